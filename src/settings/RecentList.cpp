#include "settings/RecentList.h"

#include <algorithm>

namespace tz {

std::vector<std::string> withRecentProject(std::vector<std::string> list, const std::string& path) {
    list = withoutRecentProject(std::move(list), path);
    list.insert(list.begin(), path);
    if (list.size() > MaxRecentProjects) list.resize(MaxRecentProjects);
    return list;
}

std::vector<std::string> withoutRecentProject(std::vector<std::string> list,
                                              const std::string& path) {
    std::erase(list, path);
    return list;
}

}  // namespace tz
