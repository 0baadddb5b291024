#include "toolchain/JarExport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cctype>

#include "toolchain/BuildFiles.h"
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
        return QString("%1 failed in %2: %3")
            .arg(tool, folder, QString::fromLocal8Bit(jar.readAll()).trimmed());
    return QString();
}

QString copyInto(const fs::path& folder, const std::string& name, const fs::path& from) {
    const fs::path to = folder / name;
    std::error_code error;
    fs::create_directories(to.parent_path(), error);
    if (!error) fs::copy_file(from, to, error);
    return error ? QString("Cannot copy %1 to %2: %3")
                       .arg(shown(from), shown(to), QString::fromStdString(error.message()))
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

bool hasExtension(const std::string& name, std::initializer_list<const char*> extensions) {
    std::string extension = fs::path(name).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return std::find(extensions.begin(), extensions.end(), extension) != extensions.end();
}

// Whether folder / name is a file of the folder itself, not one a link leads to.
bool staysInFolder(const fs::path& folder, const std::string& name) {
    std::error_code error;
    const fs::path real = fs::canonical(folder / name, error);
    return !error && real.parent_path() == fs::canonical(folder, error) && !error;
}

QString leftOutNote(const fs::path& file, const char* why) {
    return QString("Left out of the JAR: %1 %2.").arg(shown(file), why);
}

// Packs what the applet is made of; files that would carry anything else of
// the user's are noted in outcome.leftOut instead.
class AppletPacker {
  public:
    AppletPacker(Entries& entries, const RunnableJar& jar, JarOutcome& outcome)
        : entries_(entries),
          jar_(jar),
          outcome_(outcome),
          folder_(fs::path(jar.javaSourcePath).parent_path()) {}

    QString pack() {
        const std::string appletClass = classNameOf(jar_.javaSourcePath) + ".class";
        // Without it the JAR could not run: the compile's classes were not seen.
        if (std::find(jar_.classFiles.begin(), jar_.classFiles.end(), appletClass) ==
            jar_.classFiles.end())
            return QString("The compile wrote no %1.").arg(shown(folder_ / appletClass));
        for (const std::string& name : jar_.classFiles)
            if (QString error = add(name, folder_ / name); !error.isEmpty()) return error;
        for (const std::string& picture : jar_.picturePaths)
            if (QString error = addPicture(picture); !error.isEmpty()) return error;
        if (!pageHasParameters(jar_.parameters)) return QString();
        for (const RunParameter& parameter : jar_.parameters) addNamedFile(parameter.value);
        return QString();
    }

  private:
    QString add(const std::string& name, const fs::path& file) {
        const bool known = entries_.has(name);
        QString error = entries_.add(name, file);
        if (error.isEmpty() && !known) outcome_.packed << QString::fromStdString(name);
        return error;
    }

    // The applet loads it by name from beside its page, as the viewer does.
    QString addPicture(const std::string& picture) {
        const std::string name = pictureFileName(picture);
        if (name.empty()) return QString();  // an image without a picture
        const fs::path beside = folder_ / name;
        // A relative path is the project's, wherever the program was started.
        const fs::path file = isFile(beside) ? beside : folder_ / picture;
        if (!isFile(file))
            return QString("The picture file %1 cannot be found.").arg(shown(picture));
        if (!jar_.isPicture(file.string())) {
            outcome_.leftOut << leftOutNote(file, "is not a picture the applet can show");
            return QString();
        }
        return add(name, file);
    }

    // A parameter's value that names a file: packed when it is a picture or
    // sound of the project's own folder, noted otherwise.
    void addNamedFile(const std::string& value) {
        if (value.empty() || entries_.has(value)) return;  // a text, or already packed
        const fs::path file = folder_ / value;
        if (!isFile(file)) return;  // a plain text value
        if (!isPlainName(value))
            outcome_.leftOut << leftOutNote(file, "is not a file of the project's folder");
        else if (value.front() == '.')
            outcome_.leftOut << leftOutNote(file, "is a hidden file");
        else if (!staysInFolder(folder_, value))
            outcome_.leftOut << leftOutNote(file, "leads out of the project's folder");
        else if (hasExtension(value, {".au", ".wav", ".aif", ".aiff", ".mid", ".midi", ".rmf"}))
            add(value, file);
        else if (hasExtension(value, {".gif", ".jpg", ".jpeg", ".png"}) &&
                 jar_.isPicture(file.string()))
            add(value, file);
        else
            outcome_.leftOut << leftOutNote(file,
                                            "is neither a picture nor a sound an applet loads");
    }

    Entries& entries_;
    const RunnableJar& jar_;
    JarOutcome& outcome_;
    const fs::path folder_;
};

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

namespace {

QString stageAndWrite(const RunnableJar& jar, const QString& javaBin, const QString& out,
                      JarOutcome& outcome) {
    // The JDK's own jar tool unpacks the runner and writes archive and
    // manifest as Java reads them back; this program needs no zip code.
    QTemporaryDir stage;
    if (!stage.isValid())
        return QString("Cannot make a working folder in %1: %2")
            .arg(QDir::tempPath(), stage.errorString());
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
    outcome.packed << PageEntry;
    if (!(error = AppletPacker(entries, jar, outcome).pack()).isEmpty()) return error;
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

}  // namespace

JarOutcome writeRunnableJar(const RunnableJar& jar, const QString& javaBin, const QString& out) {
    JarOutcome outcome;
    outcome.error = stageAndWrite(jar, javaBin, out, outcome);
    return outcome;
}

}  // namespace tz
