// The main window's compile and run commands: compiling with the Java layer
// in java/bin, leading to the first error, previewing the applet and the
// external compiler.
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>

#include "designer/DesignRules.h"
#include "designer/ui/PictureSource.h"
#include "designer/ui/Tapplet.h"
#include "platform/SafeFile.h"
#include "platform/TextBytes.h"
#include "platform/ui/BusyCursor.h"
#include "platform/ui/ErrorBox.h"
#include "project/ProjectFile.h"
#include "project/ui/Tzjava.h"
#include "settings/ui/Toptions.h"
#include "toolchain/BuildFiles.h"
#include "toolchain/CompilerMessages.h"
#include "toolchain/JarExport.h"
#include "toolchain/JarOutput.h"
#include "toolchain/ProcessRunner.h"
#include "toolchain/RunFolder.h"
#include "toolchain/ui/CompileFrames.h"

namespace {

const char* const UnsavedProjectMessage = "You must save your project before you can compile!";
const char* const NoBrowserMessage =
    "You have to select which browser you want to use for previews."
    "Choose Developer/Options to set browser.";
const char* const NoExternalCompilerMessage =
    "You must set your External Compiler in the menu Developer/Options before you can compile!";

// Marks a compile as waiting for as long as the object lives.
class CompileWait {
  public:
    explicit CompileWait(bool& flag) : flag_(flag) { flag_ = true; }
    ~CompileWait() { flag_ = false; }
    CompileWait(const CompileWait&) = delete;
    CompileWait& operator=(const CompileWait&) = delete;

  private:
    bool& flag_;
};

}  // namespace

void Tzjava::Showanim(const QPixmap& picture) {
    cpanel_->findChild<QLabel*>("animpic")->setPixmap(picture);
    cpanel_->repaint();
}

bool Tzjava::writeBuildFile(const QString& path, const std::string& bytes) {
    if (const auto error = tz::saveFileInItsFolder(tz::storedLine(path), bytes)) {
        tz::reportError(this, tz::displayLine(*error));
        return false;
    }
    return true;
}

QString Tzjava::javaSourceFolder() const {
    return QFileInfo(tz::displayLine(project().javaSourcePath)).absolutePath() + "/";
}

// ---- compile ------------------------------------------------------------

bool Tzjava::projectSavedOrAskedFor() {
    if (project().projectPath != tz::Project::Untitled) return true;
    tz::showMessage(this, UnsavedProjectMessage);
    SaveProjectAs1Click();
    return false;
}

bool Tzjava::generateAndSaveSource() {
    if (!CreateCode()) return false;
    // A source path never chosen is asked for; a cancelled choice goes on.
    const bool sourcePathAsked = project().javaSourcePath == tz::Project::Untitled;
    return Save1Click() || sourcePathAsked;
}

void Tzjava::Compile1Click() {
    // The first compile's wait keeps every window live; a second one would
    // wait inside the first's wait, which could then not end first.
    if (compiling_) return;
    backupNote_.clear();
    if (!projectSavedOrAskedFor() || refusedForLineBreak({project().javaSourcePath}, "javac.bat") ||
        !generateAndSaveSource())
        return;

    CompileWait wait(compiling_);
    startWarmCompiler();
    lastErrorPlace_.reset();
    centrePanels();
    cpanel_->show();
    cpanel_->raise();
    // A failure before the run must not leave the panel standing.
    auto stopHere = [this] { cpanel_->hide(); };
    // Held here too: an Ext. Compile meanwhile must not take it away.
    const auto folder = newCompileFolder();
    if (!folder) return stopHere();
    const QString work = folder->path() + "/";
    if (!writeBuildFile(work + "byt.txt", tz::compilerOutputPadding())) return stopHere();
    showMess("Compiling project...");
    if (!writeBuildFile(work + "javac.bat", tz::javacBatch(windows_.opt->options().optimize)))
        return stopHere();
    showMess("Compiling...");
    const auto exitCode = tz::WinExecAndWait(
        javaBinDirectory() + "/javac.pif", {tz::displayLine(project().javaSourcePath)}, work,
        [this](int frame) { Showanim(tz::compileFrame(frame)); });
    if (!exitCode) return;  // the program is quitting
    cpanel_->hide();
    repaint();
    // A service that has gone (killed, idle) serves the next compile again.
    if (warmCompiler_) warmCompiler_->keepRunning();

    mess_->clear();
    const auto text = compilerOutput(work + "tst.txt");
    if (!text) return;
    mess_->setPlainText(tz::displayText(*text));
    // A compiler that did not end well failed, whatever it printed.
    if (tz::compileFailed(*text) || *exitCode != 0) {
        // Set first: a marker that cannot be read still means a failed compile.
        project().compileFailed = true;
        geterror();
        // Said after what the compiler said, if it said anything.
        if (const auto note = tz::compilerStatusNote(*exitCode, *text); !note.empty()) {
            if (tz::compileFailed(*text))
                mess_->appendPlainText(tz::displayLine(note));
            else
                showMess(tz::displayLine(note));
        }
    } else {
        showMess("The file " + tz::displayLine(project().javaSourcePath) +
                 " was compiled SUCCESFULLY");
        project().compileFailed = false;
    }
    if (!backupNote_.isEmpty()) mess_->appendPlainText(backupNote_);
}

void Tzjava::startWarmCompiler() {
    if (warmCompilerChosen_) return;
    warmCompilerChosen_ = true;
    if (!tz::readWarmCompiler(settingsPath_.toStdString())) {
        // Nor does this program's javac use a service another one started.
        qputenv("TZ_WARM_COMPILER", "0");
        return;
    }
    warmCompiler_ = std::make_unique<tz::WarmCompiler>(javaBinDirectory() + "/compileservice");
    warmCompiler_->keepRunning();
}

std::shared_ptr<QTemporaryDir> Tzjava::newCompileFolder() {
    // The last compile's folder is kept for the user until this one.
    compileFolder_.reset();
    QString error;
    compileFolder_ = tz::makeRunFolder(error);
    if (!compileFolder_) tz::reportError(this, error);
    return compileFolder_;
}

QString Tzjava::lastCompileFolder() const {
    return compileFolder_ ? compileFolder_->path() : QString();
}

bool Tzjava::refusedForLineBreak(std::initializer_list<std::string_view> texts, const char* file) {
    const std::string refusal = tz::lineBreakRefusal(texts, file);
    if (refusal.empty()) return false;
    tz::reportError(this, tz::displayLine(refusal));
    return true;
}

std::optional<std::string> Tzjava::compilerOutput(const QString& path) {
    std::string error;
    auto bytes = tz::loadFileBytes(tz::storedLine(path), error);
    if (!bytes) tz::reportError(this, tz::displayLine(error));
    return bytes;
}

// ---- error navigation ---------------------------------------------------

void Tzjava::geterror() {
    const std::string sourceName =
        tz::storedLine(QFileInfo(tz::displayLine(project().javaSourcePath)).fileName());
    const auto place =
        tz::findErrorPlace(tz::storedText(mess_->toPlainText()), codeLines_, sourceName);
    // Without a place the compiler's own text is all there is: it stays.
    if (!place) return;
    showMess(tz::displayText(place->shownOutput));
    if (!showErrorPlace(*place)) return;
    if (place->bodyLine >= 0) MemoRow(place->bodyLine);
}

bool Tzjava::showErrorPlace(const tz::ErrorPlace& place) {
    const bool knownClass = place.classIndex >= 0 && place.classIndex <= project().classCount();
    const bool knownSlot =
        knownClass && place.slot >= 0 && place.slot <= project().lastSlot(place.classIndex);
    if (!knownSlot) {
        tz::reportError(this, QString("The compiler's message names class %1, slot %2, which "
                                      "this project does not hold.")
                                  .arg(place.classIndex)
                                  .arg(place.slot));
        return false;
    }
    lastErrorPlace_ = place;
    project().currentClass = place.classIndex;
    project().currentSlot = place.slot;
    UpdateTab(project().currentClass, project().currentSlot);
    UpdateTree();
    return true;
}

void Tzjava::MemoRow(int n) {
    // One byte per character, so that positions are the editor's own.
    const auto line = tz::lineRange(this_->toPlainText().toLatin1().toStdString(), n);
    if (!line) return;  // the body has changed since the compile
    this_->setFocus();
    // Selected from its end back to its start: the caret stays on the line,
    // not after its line break, so that the line label names it.
    QTextCursor cursor = this_->textCursor();
    cursor.setPosition(int(line->end));
    cursor.setPosition(int(line->start), QTextCursor::KeepAnchor);
    this_->setTextCursor(cursor);
    this_->ensureCursorVisible();
}

// ---- applet preview -----------------------------------------------------

void Tzjava::Run2Click() {
    if (project().compileFailed) return;
    if (refusedForLineBreak({project().javaSourcePath}, "run.htm") || !Save1Click()) return;
    const QString folder = javaSourceFolder();
    const std::string page =
        tz::appletPage(project().javaSourcePath, windows_.app->appletWidth(),
                       windows_.app->appletHeight(), windows_.opt->options().parameters);
    if (!writeBuildFile(folder + "run.htm", page)) return;
    QProcess::startDetached(javaBinDirectory() + "/appletviewer", {"run.htm"}, folder);
}

void Tzjava::BuildRun1Click() {
    if (compiling_) return;
    project().compileFailed = true;
    Compile1Click();
    Run2Click();
}

void Tzjava::BitBtn5Click() {
    if (project().compileFailed) return;
    if (mainSettings_.browser.empty()) {
        tz::showMessage(this, NoBrowserMessage);
        return;
    }
    const QString folder = javaSourceFolder();
    QProcess::startDetached(tz::displayLine(mainSettings_.browser), {folder + "run.htm"}, folder);
}

void Tzjava::BitBtn6Click() {
    if (compiling_) return;
    project().compileFailed = true;
    Compile1Click();
    BitBtn5Click();
}

// ---- runnable JAR -------------------------------------------------------

void Tzjava::ExportJar1Click() {
    const QString path = chooseFile(QFileDialog::AcceptSave, "exportJar", {"Runnable JAR (*.jar)"},
                                    "jar", projectFolder());
    if (!path.isEmpty() && !refusedJarOutput(path) && mayOverwrite(path)) exportRunnableJar(path);
}

bool Tzjava::refusedJarOutput(const QString& path) {
    const QString refusal =
        tz::jarOutputRefusal(path, project().projectPath, project().javaSourcePath);
    if (!refusal.isEmpty()) tz::reportError(this, refusal);
    return !refusal.isEmpty();
}

bool Tzjava::exportRunnableJar(const QString& path) {
    if (compiling_ || !projectSavedOrAskedFor()) return false;
    // Refused before the compile, which would be for nothing.
    if (refusedJarOutput(path)) return false;
    // The classes are those the compile writes beside the source: it needs
    // its place first.
    if (project().javaSourcePath == tz::Project::Untitled && !Save1Click()) return false;
    const tz::ClassStamps before = tz::classStamps(project().javaSourcePath);
    project().compileFailed = true;
    Compile1Click();
    if (project().compileFailed) return false;

    tz::RunnableJar jar{.javaSourcePath = project().javaSourcePath,
                        .classFiles = tz::classesWrittenSince(before, project().javaSourcePath),
                        .picturePaths = {},
                        .designWidth = windows_.app->appletWidth(),
                        .designHeight = windows_.app->appletHeight(),
                        .parameters = windows_.opt->options().parameters,
                        .isPicture = isAppletPicture};
    for (const tz::LiveObject& object : windows_.app->liveObjects())
        if (object.kind == tz::ObjectKind::Image) jar.picturePaths.push_back(object.text);
    tz::JarOutcome outcome;
    {
        tz::BusyCursor busy;
        outcome = tz::writeRunnableJar(jar, javaBinDirectory(), path);
    }
    if (!outcome.error.isEmpty()) {
        tz::reportError(this, outcome.error);
        return false;
    }
    // The user sees what goes out with the JAR before sharing it.
    QStringList lines{QString("The runnable JAR %1 was written.").arg(path)};
    for (const QString& entry : outcome.packed) lines << "Packed: " + entry;
    lines << "Packed: the applet runner" << outcome.leftOut;
    showMess(lines.join('\n'));
    return true;
}

// ---- external compiler --------------------------------------------------

void Tzjava::extcompClick() {
    if (mainSettings_.compiler.empty()) {
        tz::showMessage(this, NoExternalCompilerMessage);
        return;
    }
    if (!projectSavedOrAskedFor() ||
        refusedForLineBreak(
            {mainSettings_.compiler, mainSettings_.compilerParameters, project().javaSourcePath},
            "ext.bat") ||
        !generateAndSaveSource())
        return;
    // The run before, if it still goes, is superseded.
    externalRun_.reset();
    QString error;
    auto folder = tz::makeRunFolder(error);
    if (!folder) return tz::reportError(this, error);
    if (!writeBuildFile(
            folder->path() + "/ext.bat",
            tz::externalCompilerBatch(mainSettings_.compiler, mainSettings_.compilerParameters,
                                      project().javaSourcePath)))
        return;
    showMess("Ext. Compiling...");
    // Whatever the external compiler says, the applet may be run afterwards.
    project().compileFailed = false;
    externalRun_ = std::make_unique<tz::ExternalRun>(
        std::move(folder), programDirectory_ + "ext.pif", tz::findTerminal(),
        [this](const std::string& output) { showMess(tz::displayText(output)); });
    showMess(QString());
}
