#include "codegen/ImageCheck.h"

#include "platform/SafeFile.h"
#include "project/Project.h"

namespace tz {

std::string pictureFileName(const std::string& picturePath) {
    // Pictures chosen on other systems carry drive and backslash folders.
    const auto folderEnd = picturePath.find_last_of("/\\:");
    return folderEnd == std::string::npos ? picturePath : picturePath.substr(folderEnd + 1);
}

std::string checkImage(const std::string& picturePath, const std::string& javaSourcePath,
                       const CopyQuestion& askCopy) {
    const std::string fileName = pictureFileName(picturePath);
    // An image without a picture has nothing to copy.
    if (fileName.empty()) return {};
    const std::string folder = directoryPart(javaSourcePath);
    const std::string target = folder + fileName;
    if (isRegularFile(target)) return {};
    const std::string question = "The file \"" + fileName + "\" cant be found in " + folder +
                                 " Do you want to copy it there?";
    if (!askCopy || !askCopy(question)) return {};
    // A relative path is the project's, wherever the program was started.
    return copyFile(picturePath.starts_with('/') ? picturePath : folder + picturePath, target);
}

std::string copyFile(const std::string& from, const std::string& to) {
    std::string error;
    const auto bytes = loadFileBytes(from, error);
    if (!bytes) return error;
    return saveFileInItsFolder(to, *bytes).value_or(std::string());
}

}  // namespace tz
