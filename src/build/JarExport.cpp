#include "build/JarExport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>

#include "build/BuildFiles.h"
#include "codegen/ImageCheck.h"
#include "platform/SafeFile.h"
#include "platform/TextBytes.h"

namespace tz {

namespace fs = std::filesystem;

namespace {

const char* const RunnerClass = "AppletRunner";
const char* const RunnerArchive = "appletviewer.jar";
const char* const PageEntry = "run.htm";
constexpr int ToolMilliseconds = 120000;

QString shown(const fs::path& path) {
    return QFile::decodeName(QByteArray::fromStdString(path.string()));
}

bool isFile(const fs::path& path) {
    return isRegularFile(path.string());
}

// A name a page can give relative to its folder, with no folder of its own.
bool isPlainName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of("/\\") == std::string::npos;
}

// Entry names and the files they are taken from; one file per name.
class Entries {
  public:
    QString add(const std::string& name, const fs::path& file) {
        const auto [at, added] = files_.emplace(name, file);
        std::error_code error;
        if (added || fs::equivalent(at->second, file, error)) return QString();
        return QString("Both %1 and %2 would be stored as %3 in the JAR.")
            .arg(shown(at->second), shown(file), QString::fromStdString(name));
    }
    bool has(const std::string& name) const { return files_.contains(name); }
    const std::map<std::string, fs::path>& files() const { return files_; }

  private:
    std::map<std::string, fs::path> files_;
};

// The JDK's jar tool, run in folder; the error text, or the empty text.
QString runJarTool(const QString& javaBin, const QStringList& arguments, const QString& folder) {
    const QString tool = javaBin + "/jar";
    QProcess jar;
    jar.setWorkingDirectory(folder);
    jar.setProcessChannelMode(QProcess::MergedChannels);
    jar.start(tool, arguments);
    if (!jar.waitForFinished(ToolMilliseconds)) {
        jar.kill();
        jar.waitForFinished();
        return QString("Cannot run %1: %2").arg(tool, jar.errorString());
    }
    if (jar.exitStatus() != QProcess::NormalExit || jar.exitCode() != 0)
        return QString("%1 failed: %2").arg(tool, QString::fromLocal8Bit(jar.readAll()).trimmed());
    return QString();
}

QString copyInto(const fs::path& folder, const std::string& name, const fs::path& from) {
    const fs::path to = folder / name;
    std::error_code error;
    fs::create_directories(to.parent_path(), error);
    if (!error) fs::copy_file(from, to, error);
    return error ? QString("Cannot copy %1: %2")
                       .arg(shown(from), QString::fromStdString(error.message()))
                 : QString();
}

QString writeFile(const QString& path, const std::string& bytes) {
    const auto error = saveFileBytes(storedLine(path), bytes);
    return error ? displayLine(*error) : QString();
}

// The runner's classes, unpacked from the archive java/bin's viewer runs.
QString addRunner(Entries& entries, const QString& javaBin, const QString& folder) {
    const QString archive = QDir(javaBin).absoluteFilePath(RunnerArchive);
    if (QString error = runJarTool(javaBin, {"--extract", "--file", archive}, folder);
        !error.isEmpty())
        return error;
    const fs::path root(QFile::encodeName(folder).toStdString());
    std::error_code walkError;
    for (auto it = fs::recursive_directory_iterator(root, walkError);
         !walkError && it != fs::recursive_directory_iterator(); it.increment(walkError)) {
        const std::string name = it->path().lexically_relative(root).generic_string();
        if (!isFile(it->path()) || name.starts_with("META-INF/")) continue;
        if (QString error = entries.add(name, it->path()); !error.isEmpty()) return error;
    }
    if (walkError)
        return QString("Cannot read %1: %2")
            .arg(archive, QString::fromStdString(walkError.message()));
    return QString();
}

// The classes, the pictures and the files the page's parameters name.
QString addApplet(Entries& entries, const RunnableJar& jar) {
    const fs::path folder = fs::path(jar.javaSourcePath).parent_path();
    const std::string appletClass = classNameOf(jar.javaSourcePath) + ".class";
    // Without it the JAR could not run: the compile's classes were not seen.
    if (std::find(jar.classFiles.begin(), jar.classFiles.end(), appletClass) ==
        jar.classFiles.end())
        return QString("The compile wrote no %1.").arg(shown(folder / appletClass));
    for (const std::string& name : jar.classFiles)
        if (QString error = entries.add(name, folder / name); !error.isEmpty()) return error;
    for (const std::string& picture : jar.picturePaths) {
        // The applet loads it by name from beside its page, as the viewer does.
        const std::string name = pictureFileName(picture);
        const fs::path beside = folder / name;
        const fs::path file = isFile(beside) ? beside : fs::path(picture);
        if (!isFile(file))
            return QString("The picture file %1 cannot be found.").arg(shown(picture));
        if (QString error = entries.add(name, file); !error.isEmpty()) return error;
    }
    if (!pageHasParameters(jar.parameters)) return QString();
    // A name already stored (the page itself, a class) is that entry.
    for (const RunParameter& parameter : jar.parameters)
        if (isPlainName(parameter.value) && !entries.has(parameter.value) &&
            isFile(folder / parameter.value))
            entries.add(parameter.value, folder / parameter.value);
    return QString();
}

}  // namespace

ClassStamps classStamps(const std::string& javaSourcePath) {
    ClassStamps stamps;
    std::error_code error;
    for (const auto& entry :
         fs::directory_iterator(fs::path(javaSourcePath).parent_path(), error)) {
        std::error_code statError;
        if (entry.path().extension() != ".class" || !entry.is_regular_file(statError)) continue;
        const ClassStamp stamp{entry.file_size(statError), entry.last_write_time(statError)};
        if (!statError) stamps.emplace(entry.path().filename().string(), stamp);
    }
    return stamps;
}

std::vector<std::string> classesWrittenSince(const ClassStamps& before,
                                             const std::string& javaSourcePath) {
    std::vector<std::string> written;
    for (const auto& [name, stamp] : classStamps(javaSourcePath)) {
        const auto old = before.find(name);
        if (old == before.end() || !(old->second == stamp)) written.push_back(name);
    }
    return written;
}

QString writeRunnableJar(const RunnableJar& jar, const QString& javaBin, const QString& out) {
    // The JDK's own jar tool unpacks the runner and writes archive and
    // manifest as Java reads them back; this program needs no zip code.
    QTemporaryDir stage;
    if (!stage.isValid())
        return QString("Cannot make a working folder: %1").arg(stage.errorString());
    const QString runner = stage.filePath("runner");
    const QString content = stage.filePath("content");
    QDir().mkpath(runner);
    QDir().mkpath(content);

    const QString page = stage.filePath(PageEntry);
    Entries entries;
    QString error = writeFile(
        page, appletPage(jar.javaSourcePath, jar.designWidth, jar.designHeight, jar.parameters));
    if (!error.isEmpty()) return error;
    entries.add(PageEntry, QFile::encodeName(page).toStdString());
    if (!(error = addApplet(entries, jar)).isEmpty()) return error;
    if (!(error = addRunner(entries, javaBin, runner)).isEmpty()) return error;
    const fs::path contentPath(QFile::encodeName(content).toStdString());
    for (const auto& [name, file] : entries.files())
        if (!(error = copyInto(contentPath, name, file)).isEmpty()) return error;
    const QString manifest = stage.filePath("manifest.mf");
    error = writeFile(manifest, QString("Main-Class: %1\nCreated-By: %2 %3\n")
                                    .arg(RunnerClass, QCoreApplication::applicationName(),
                                         QCoreApplication::applicationVersion())
                                    .toStdString());
    if (!error.isEmpty()) return error;
    const QString archive = stage.filePath("out.jar");
    error = runJarTool(javaBin,
                       {"--create", "--file", archive, "--manifest", manifest, "-C", content, "."},
                       stage.path());
    if (!error.isEmpty()) return error;
    std::string readError;
    const auto made = loadFileBytes(storedLine(archive), readError);
    return made ? writeFile(out, *made) : displayLine(readError);
}

}  // namespace tz
