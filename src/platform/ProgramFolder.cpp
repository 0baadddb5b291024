#include "platform/ProgramFolder.h"

#include <filesystem>

namespace tz {

bool isInstalledProgramFolder(const std::string& programDirectory) {
    const std::string tail = "/" TZ_INSTALL_PROGRAM_DIR "/";
    if (!programDirectory.ends_with(tail)) return false;
    const std::string prefix =
        programDirectory.substr(0, programDirectory.size() - tail.size() + 1);
    std::error_code error;
    return std::filesystem::is_directory(prefix + TZ_INSTALL_DATA_DIR, error);
}

}  // namespace tz
