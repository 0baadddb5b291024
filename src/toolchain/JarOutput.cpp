#include "toolchain/JarOutput.h"

#include <QDir>
#include <QFileInfo>

#include "platform/SafeFile.h"
#include "platform/TextBytes.h"

namespace tz {

namespace {

// Why out cannot be written at all, whatever the project.
QString pathRefusal(const QFileInfo& out) {
    if (out.isDir()) return "it is a folder";
    if (!out.dir().exists()) return "its folder does not exist";
    if (out.exists() && !out.isFile()) return "it is not a regular file";
    return {};
}

// Why out must not be replaced: the project's own files.
QString projectFileRefusal(const QFileInfo& out, const std::string& projectPath,
                           const std::string& javaSourcePath) {
    const std::string path = storedLine(out.absoluteFilePath());
    if (sameFile(path, projectPath)) return "it is the project file";
    if (sameFile(path, javaSourcePath)) return "it is the project's Java source";
    const QFileInfo source(displayLine(javaSourcePath));
    if (out.suffix() == "class" && out.absoluteDir() == source.absoluteDir())
        return "it is a class file of the project";
    return {};
}

}  // namespace

QString jarOutputRefusal(const QString& out, const std::string& projectPath,
                         const std::string& javaSourcePath) {
    const QFileInfo info(out);
    QString reason = pathRefusal(info);
    if (reason.isEmpty()) reason = projectFileRefusal(info, projectPath, javaSourcePath);
    return reason.isEmpty() ? QString()
                            : QString("Unable to write the JAR to %1: %2.").arg(out, reason);
}

}  // namespace tz
