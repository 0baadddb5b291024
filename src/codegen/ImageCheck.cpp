#include "codegen/ImageCheck.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

#include "project/Project.h"

namespace tz {

namespace {

constexpr std::size_t CopyBlockSize = 2048;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

std::string systemError(const std::string& what, const std::string& path) {
    return what + " \"" + path + "\". " + std::strerror(errno);
}

bool isFile(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

}  // namespace

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
    if (isFile(target)) return {};
    const std::string question = "The file \"" + fileName + "\" cant be found in " + folder +
                                 " Do you want to copy it there?";
    if (!askCopy || !askCopy(question)) return {};
    return copyFileInBlocks(picturePath, target);
}

std::string copyFileInBlocks(const std::string& from, const std::string& to) {
    errno = 0;
    FileHandle source(std::fopen(from.c_str(), "rb"));
    if (!source) return systemError("Cannot open file", from);
    FileHandle target(std::fopen(to.c_str(), "wb"));
    if (!target) return systemError("Cannot create file", to);
    char block[CopyBlockSize];
    for (;;) {
        const std::size_t got = std::fread(block, 1, CopyBlockSize, source.get());
        if (got > 0 && std::fwrite(block, 1, got, target.get()) != got) {
            return systemError("Unable to write to", to);
        }
        if (got < CopyBlockSize) break;
    }
    if (std::ferror(source.get())) return systemError("Unable to read", from);
    if (std::fclose(target.release()) != 0) return systemError("Unable to write to", to);
    return {};
}

}  // namespace tz
