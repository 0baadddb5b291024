#include "platform/SafeFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

namespace tz {

namespace {

const char* const NotRegularReason = "Not a regular file";

// The name as QFile opens it, for the checks made beside it.
std::filesystem::path systemPath(const std::string& path) {
    return QFile::encodeName(QString::fromStdString(path)).toStdString();
}

// Something is there and it is not a regular file.
bool isOtherThanRegularFile(const std::string& path) {
    std::error_code error;
    const auto status = std::filesystem::status(systemPath(path), error);
    return std::filesystem::exists(status) && !std::filesystem::is_regular_file(status);
}

}  // namespace

bool isRegularFile(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(systemPath(path), error);
}

std::optional<std::string> readRegularFile(const std::string& path, std::string& reason) {
    // Opening a FIFO or a device could wait for ever.
    if (isOtherThanRegularFile(path)) {
        reason = NotRegularReason;
        return std::nullopt;
    }
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) {
        reason = file.errorString().toStdString();
        return std::nullopt;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        reason = file.errorString().toStdString();
        return std::nullopt;
    }
    return bytes.toStdString();
}

std::optional<std::string> loadFileBytes(const std::string& path, std::string& error) {
    std::string reason;
    auto bytes = readRegularFile(path, reason);
    if (!bytes) error = "Cannot open file " + path + ". " + reason;
    return bytes;
}

std::optional<std::string> saveFileBytes(const std::string& path, const std::string& bytes) {
    const auto refused = [&path](const std::string& reason) {
        return "Unable to write to " + path + ": " + reason;
    };
    if (isOtherThanRegularFile(path)) return refused(NotRegularReason);
    const QString name = QString::fromStdString(path);
    // A read-only file stays so: replacing it would not need its permission.
    if (QFileInfo(name).isFile() && !QFileInfo(name).isWritable())
        return refused(std::strerror(EACCES));
    QSaveFile file(name);
    if (!file.open(QIODevice::WriteOnly)) return refused(file.errorString().toStdString());
    // A short write carries no reason; the next attempt reports it.
    for (qint64 done = 0, size = qint64(bytes.size()); done < size;) {
        const qint64 written = file.write(bytes.data() + done, size - done);
        if (written <= 0) return refused(file.errorString().toStdString());
        done += written;
    }
    // What the buffer took can still fail on its way to the file (a size
    // limit of a few bytes); committing then would replace the file with less.
    if (!file.flush() || !file.commit()) return refused(file.errorString().toStdString());
    return std::nullopt;
}

std::optional<std::string> saveFileInItsFolder(const std::string& path, const std::string& bytes) {
    const auto link = systemPath(path);
    std::error_code error;
    if (std::filesystem::is_symlink(std::filesystem::symlink_status(link, error))) {
        std::error_code folderError;
        const auto folder = std::filesystem::weakly_canonical(link.parent_path(), folderError);
        const auto target = std::filesystem::weakly_canonical(link, error);
        const auto [end, inside] =
            std::mismatch(folder.begin(), folder.end(), target.begin(), target.end());
        if (error || folderError || end != folder.end())
            return "Unable to write to " + path + ": it is a link to " +
                   QFile::decodeName(QByteArray::fromStdString(target.string())).toStdString() +
                   ", outside its folder";
    }
    return saveFileBytes(path, bytes);
}

bool sameFile(const std::string& first, const std::string& second) {
    const auto a = systemPath(first);
    const auto b = systemPath(second);
    std::error_code error;
    if (std::filesystem::equivalent(a, b, error)) return true;
    std::error_code errorA;
    std::error_code errorB;
    const auto canonicalA = std::filesystem::weakly_canonical(a, errorA);
    const auto canonicalB = std::filesystem::weakly_canonical(b, errorB);
    return !errorA && !errorB && canonicalA == canonicalB;
}

}  // namespace tz
