#include "document/ProjectDocument.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <utility>

#include "codegen/CodeGenerator.h"
#include "designer/DesignRules.h"
#include "platform/SafeFile.h"
#include "platform/TextBytes.h"
#include "project/ProjectFileLines.h"
#include "toolchain/BuildFiles.h"
#include "toolchain/JarOutput.h"

namespace tz {

namespace {

// How often a long read tells how far it got.
constexpr qint64 ProgressMilliseconds = 16;

std::string asShown(const std::string& text) {
    return storedLine(displayLine(text));
}

// path.orig, else the first of path.orig.1, path.orig.2, ... that is not
// taken: an older copy is never replaced.
QString freeBackupName(const QString& path) {
    const QString first = path + ".orig";
    QString name = first;
    for (int number = 1; QFileInfo::exists(name) || QFileInfo(name).isSymLink(); ++number)
        name = first + "." + QString::number(number);
    return name;
}

}  // namespace

ProjectOptions optionsAsShown(const ProjectOptions& options) {
    ProjectOptions shown = options;
    if (!isColourIndex(shown.colourIndex)) shown.colourIndex = DefaultColourIndex;
    for (RunParameter& parameter : shown.parameters)
        parameter = {asShown(parameter.name), asShown(parameter.value)};
    if (shown.parameters.empty()) shown.parameters.push_back({});
    return shown;
}

ProjectDocument::ProjectDocument() {
    savedBytes_ = writeProjectFile(content());
    for (auto changed : {&DesignModel::modelReset, &DesignModel::appletSizeChanged})
        connect(&design_, changed, this, &ProjectDocument::noteModification);
    for (auto changed :
         {&DesignModel::objectAdded, &DesignModel::objectChanged, &DesignModel::objectRemoved})
        connect(&design_, changed, this, &ProjectDocument::noteObjectModification);
}

void ProjectDocument::setOptions(const ProjectOptions& options) {
    const ProjectOptions shown = optionsAsShown(options);
    if (shown == options_) return;
    options_ = shown;
    Q_EMIT optionsChanged();
    noteModification();
}

void ProjectDocument::clearSource() {
    source_.clear();
    sourceLines_ = {};
}

void ProjectDocument::noteClassTableRestored() {
    Q_EMIT classTableRestored();
    noteModification();
}

ProjectFileContent ProjectDocument::content() const {
    ProjectFileContent content;
    content.project = project_;
    content.objects = design_.tables();
    content.appletWidth = design_.appletWidth();
    content.appletHeight = design_.appletHeight();
    content.options = options_;
    return content;
}

bool ProjectDocument::isModified() const {
    return writeProjectFile(content()) != savedBytes_;
}

void ProjectDocument::noteModification() {
    const bool modified = isModified();
    if (modified == wasModified_) return;
    wasModified_ = modified;
    Q_EMIT modifiedChanged(modified);
}

void ProjectDocument::noteObjectModification() {
    if (std::exchange(objectCheckPending_, true)) return;
    QMetaObject::invokeMethod(
        this,
        [this] {
            objectCheckPending_ = false;
            noteModification();
        },
        Qt::QueuedConnection);
}

void ProjectDocument::noteTextEdited() {
    if (std::exchange(wasModified_, true)) return;
    Q_EMIT modifiedChanged(true);
}

void ProjectDocument::markSaved() {
    savedBytes_ = writeProjectFile(content());
    noteModification();
}

void ProjectDocument::setProjectPath(const QString& path) {
    project_.projectPath = storedLine(path);
    Q_EMIT filePathChanged();
}

void ProjectDocument::startNew() {
    project_ = Project();
    // Nothing compiled from another project may run.
    project_.compileFailed = true;
    options_ = optionsAsRead_ = ProjectOptions();
    design_.reset({}, DesignModel::DefaultAppletWidth, DesignModel::DefaultAppletHeight);
    clearSource();
    markSaved();
    Q_EMIT filePathChanged();
    Q_EMIT documentReset();
    Q_EMIT replaced();
}

Outcome ProjectDocument::open(const QString& path) {
    std::string error;
    const auto bytes = loadFileBytes(storedLine(path), error);
    if (!bytes) return Outcome::error(displayLine(error));
    // The whole file is checked before anything changes.
    const ProjectFileReading reading = readProjectFile(*bytes, project_, fixedComponentNames());
    if (!reading.content) {
        if (reading.error == CorruptProjectMessage)
            return Outcome::plainMessage(CorruptProjectMessage, path);
        return Outcome::error(displayLine(reading.error), path);
    }
    const ProjectFileContent& content = *reading.content;
    optionsAsRead_ = content.options;
    options_ = optionsAsShown(content.options);
    design_.reset(content.objects, content.appletWidth, content.appletHeight);
    project_ = content.project;
    project_.javaSourcePath = javaSourcePathFor(storedLine(path), reading.javaClassName);
    clearSource();
    // The last compile was of another project: nothing may run before the next.
    project_.compileFailed = true;
    project_.currentClass = Project::ImportsEntry;
    markSaved();
    setProjectPath(path);
    Q_EMIT documentReset();
    Q_EMIT replaced();
    Q_EMIT projectFileUsed(path);
    return Outcome::done();
}

Outcome ProjectDocument::save(const QString& path) {
    std::string bytes = writeProjectFile(content());
    if (const auto error = saveFileBytes(storedLine(path), bytes))
        return Outcome::error(displayLine(*error));
    savedBytes_ = std::move(bytes);
    noteModification();
    project_.javaSourcePath = javaSourcePathFor(storedLine(path), project_.slot(1, 0).name);
    Q_EMIT filePathChanged();
    Q_EMIT projectFileUsed(path);
    return Outcome::done();
}

ImportOutcome ProjectDocument::importJava(const QString& path, const ImportSteps& steps) {
    ImportOutcome result;
    std::string error;
    const auto bytes = loadFileBytes(storedLine(path), error);
    if (!bytes) {
        result.outcome = Outcome::error(displayLine(error));
        return result;
    }
    const Project before = project_;
    std::string sourceBefore = std::move(source_);
    SourceLineMap linesBefore = std::exchange(sourceLines_, {});

    project_.projectPath = Project::Untitled;
    source_.clear();
    source_.reserve(bytes->size() + bytes->size() / 8);
    // Every line ends in CR LF, whatever ended it in the file: CR LF, LF or CR.
    QElapsedTimer sinceProgress;
    sinceProgress.start();
    LineStream stream(*bytes);
    while (const auto line = stream.next()) {
        (source_ += *line) += "\r\n";
        ++result.lines;
        const bool atEnd = stream.position() >= bytes->size();
        if (steps.linesRead && (atEnd || sinceProgress.elapsed() >= ProgressMilliseconds)) {
            steps.linesRead(result.lines);
            sinceProgress.restart();
        }
    }
    project_.javaSourcePath = storedLine(path);

    if (steps.scanStarting) steps.scanStarting();
    ScanOutcome scan = restructure(path, steps.scanned);
    result.outcome = scan.outcome;
    result.treeItems = std::move(scan.treeItems);
    if (!scan.outcome.ok()) {
        project_ = before;
        source_ = std::move(sourceBefore);
        sourceLines_ = std::move(linesBefore);
        return result;
    }
    project_.currentClass = Project::ImportsEntry;
    // Nothing compiled from an earlier source may run.
    project_.compileFailed = true;
    Q_EMIT filePathChanged();
    Q_EMIT replaced();
    return result;
}

ScanOutcome ProjectDocument::restructure(const QString& sourceFile, const ScanProgress& scanned) {
    ScanOutcome scan;
    const ScanResult result = scanJavaSource(project_, source_, scanned);
    if (!result.ok) {
        scan.outcome = Outcome::plainMessage(displayLine(result.message), sourceFile);
        return scan;
    }
    scan.treeItems = result.treeItems;
    if (!result.endedEarly.empty())
        scan.outcome = Outcome::note(displayLine(result.endedEarly), sourceFile);
    Q_EMIT classTableChanged();
    noteModification();
    return scan;
}

Outcome ProjectDocument::generate(const CopyQuestion& askCopy) {
    clearSource();
    GeneratedCode generated = generateJava(project_, design_.liveObjects(), options_, askCopy);
    source_ = std::move(generated.source);
    sourceLines_ = std::move(generated.lines);
    switch (generated.failure) {
        case CodeFailure::None:
            return Outcome::done();
        case CodeFailure::PaintDeclaration:
            return Outcome::plainMessage(PaintDeclarationMessage,
                                         project_.projectPath == Project::Untitled
                                             ? QString()
                                             : displayLine(project_.projectPath));
        case CodeFailure::ImageCopy:
            break;
    }
    return Outcome::error(displayLine(generated.message));
}

bool ProjectDocument::keepOriginalSource(const QString& path, QString& copiedTo, Outcome& failure) {
    if (!QFileInfo::exists(path)) return true;
    std::string error;
    const auto bytes = loadFileBytes(storedLine(path), error);
    if (!bytes) {
        failure = Outcome::error(displayLine(error));
        return false;
    }
    // A file with markers was written here: generated again, nothing is lost.
    if (firstLineMarker(*bytes)) return true;
    const QString original = freeBackupName(path);
    if (const auto failed = saveFileBytes(storedLine(original), *bytes)) {
        failure = Outcome::error(displayLine(*failed));
        return false;
    }
    backupNote_ = QString("The original %1 was copied to %2.").arg(path, original);
    copiedTo = original;
    return true;
}

Outcome ProjectDocument::writeSource(const QString& path) {
    // A project saved under its source's name must not be written over.
    if (project_.projectPath != Project::Untitled &&
        sameFile(storedLine(path), project_.projectPath))
        return Outcome::error(QString("%1 is the project file; the Java source cannot be "
                                      "written over it. Save the project under another name.")
                                  .arg(path));
    // An empty buffer holds nothing worth the file it would replace.
    if (source_.empty() && QFileInfo::exists(path))
        return Outcome::error(QString("The Java source is empty; %1 was left as it is.").arg(path));
    const QString noteBefore = backupNote_;
    QString copiedTo;
    Outcome failure;
    if (!keepOriginalSource(path, copiedTo, failure)) return failure;
    if (const auto error = saveFileInItsFolder(storedLine(path), source_)) {
        // The copy was made for this write alone.
        if (!copiedTo.isEmpty()) QFile::remove(copiedTo);
        backupNote_ = noteBefore;
        return Outcome::error(displayLine(*error));
    }
    return copiedTo.isEmpty() ? Outcome::done() : Outcome::note(backupNote_);
}

bool ProjectDocument::generateFor(const CopyQuestion& askCopy, const Reporter& report) {
    const Outcome generated = generate(askCopy);
    if (generated.kind == Outcome::Kind::Done) return true;
    // After the paint declaration message a command may go on with the partial source.
    return report(generated) && generated.kind != Outcome::Kind::Error;
}

bool ProjectDocument::exportJava(const QString& path, const std::function<bool()>& generateCode,
                                 const Reporter& report) {
    // The pictures are checked, and copied, beside the file being written.
    const std::string previous = project_.javaSourcePath;
    project_.javaSourcePath = storedLine(path);
    bool written = generateCode();
    if (written) {
        const Outcome saved = writeSource(path);
        report(saved);
        written = saved.ok();
    }
    if (!written) project_.javaSourcePath = previous;
    return written;
}

bool ProjectDocument::prepareCompile(const std::function<bool()>& generateCode,
                                     const std::function<bool()>& saveSource,
                                     const Reporter& report) {
    backupNote_.clear();
    const std::string refusal = lineBreakRefusal({project_.javaSourcePath}, "javac.bat");
    if (!refusal.empty()) {
        report(Outcome::error(displayLine(refusal)));
        return false;
    }
    return generateCode() && saveSource();
}

Outcome ProjectDocument::goToErrorPlace(const ErrorPlace& place) {
    const bool knownClass = place.classIndex >= 0 && place.classIndex <= project_.classCount();
    const bool knownSlot =
        knownClass && place.slot >= 0 && place.slot <= project_.lastSlot(place.classIndex);
    if (!knownSlot)
        return Outcome::error(QString("The compiler's message names class %1, slot %2, which "
                                      "this project does not hold.")
                                  .arg(place.classIndex)
                                  .arg(place.slot));
    project_.currentClass = place.classIndex;
    project_.currentSlot = place.slot;
    Q_EMIT currentSlotChanged();
    return Outcome::done();
}

std::optional<CompileReport> ProjectDocument::takeCompilerRun(const CompilerRun& run,
                                                              const Reporter& report) {
    CompileReport compiled = reportCompile(run, project_.javaSourcePath, sourceLines_);
    // Set first: a marker that cannot be read still means a failed compile.
    project_.compileFailed = compiled.failed;
    if (compiled.place) {
        const Outcome moved = goToErrorPlace(*compiled.place);
        if (!moved.ok()) {
            compiled.place.reset();
            if (!report(moved)) return std::nullopt;
        }
    }
    if (!backupNote_.isEmpty()) compiled.messages = withLineAdded(compiled.messages, backupNote_);
    return compiled;
}

Outcome ProjectDocument::jarOutputCheck(const QString& path) const {
    const QString refusal = jarOutputRefusal(path, project_.projectPath, project_.javaSourcePath);
    return refusal.isEmpty() ? Outcome::done() : Outcome::error(refusal);
}

JarWritten ProjectDocument::writeJar(
    const QString& path, const ClassStamps& before, const QString& javaBin,
    const std::function<bool(const std::string&)>& isPicture) const {
    RunnableJar jar{.javaSourcePath = project_.javaSourcePath,
                    .classFiles = classesWrittenSince(before, project_.javaSourcePath),
                    .picturePaths = {},
                    .designWidth = design_.appletWidth(),
                    .designHeight = design_.appletHeight(),
                    .parameters = options_.parameters,
                    .isPicture = isPicture};
    for (const LiveObject& object : design_.liveObjects())
        if (object.kind == ObjectKind::Image) jar.picturePaths.push_back(object.text);
    const JarOutcome written = writeRunnableJar(jar, javaBin, path);
    JarWritten result;
    if (!written.error.isEmpty()) {
        result.outcome = Outcome::error(written.error);
        return result;
    }
    // The user sees what goes out with the JAR before sharing it.
    result.lines << QString("The runnable JAR %1 was written.").arg(path);
    for (const QString& entry : written.packed) result.lines << "Packed: " + entry;
    result.lines << "Packed: the applet runner" << written.leftOut;
    return result;
}

}  // namespace tz
