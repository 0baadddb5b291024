#pragma once
// The recent projects: the project files last opened or saved, most recent
// first, each once.
#include <cstddef>
#include <string>
#include <vector>

namespace tz {

inline constexpr std::size_t MaxRecentProjects = 8;

// path heads the list, taken from its earlier place; the oldest beyond
// MaxRecentProjects drop off.
std::vector<std::string> withRecentProject(std::vector<std::string> list, const std::string& path);
std::vector<std::string> withoutRecentProject(std::vector<std::string> list,
                                              const std::string& path);

}  // namespace tz
