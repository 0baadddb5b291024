#pragma once
// Whether the program runs installed or from a folder of its own (its build
// folder, a portable copy).
#include <string>

namespace tz {

// True for PREFIX/lib/tarvelo-zuva/ beside an existing PREFIX/share/tarvelo-zuva/,
// the layout an install makes. Such a folder is shared and read-only data,
// whoever may write it.
bool isInstalledProgramFolder(const std::string& programDirectory);

}  // namespace tz
