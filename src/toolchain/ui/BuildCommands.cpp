// The main window's compile and run commands: compiling with the Java layer
// in java/bin, leading to the first error, previewing the applet and the
// external compiler.
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>

#include "designer/DesignRules.h"
#include "designer/ui/DesignWindow.h"
#include "designer/ui/PictureSource.h"
#include "platform/SafeFile.h"
#include "platform/TextBytes.h"
#include "platform/ui/BusyCursor.h"
#include "platform/ui/ErrorBox.h"
#include "project/ProjectFile.h"
#include "project/ui/MainWindow.h"
#include "settings/ui/ProjectOptionsDialog.h"
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

void MainWindow::showCompileFrame(const QPixmap& picture) {
    compilingPanel_->findChild<QLabel*>("animpic")->setPixmap(picture);
    compilingPanel_->repaint();
}

bool MainWindow::writeBuildFile(const QString& path, const std::string& bytes) {
    if (const auto error = tz::saveFileInItsFolder(tz::storedLine(path), bytes)) {
        tz::reportError(this, tz::displayLine(*error));
        return false;
    }
    return true;
}

QString MainWindow::javaSourceFolder() const {
    return QFileInfo(tz::displayLine(document_.project().javaSourcePath)).absolutePath() + "/";
}

// ---- compile ------------------------------------------------------------

bool MainWindow::projectSavedOrAskedFor() {
    if (project().projectPath != tz::Project::Untitled) return true;
    tz::showMessage(this, UnsavedProjectMessage);
    saveProjectAs();
    return false;
}

bool MainWindow::generateAndSaveSource() {
    if (!generateJava()) return false;
    // A source path never chosen is asked for; a cancelled choice goes on.
    const bool sourcePathAsked = project().javaSourcePath == tz::Project::Untitled;
    return saveJavaSource() || sourcePathAsked;
}

void MainWindow::compile() {
    // The first compile's wait keeps every window live; a second one would
    // wait inside the first's wait, which could then not end first.
    if (compiling_) return;
    if (!projectSavedOrAskedFor() ||
        !document_.prepareCompile(
            [this] { return generateAndSaveSource(); }, [] { return true; },
            [this](const tz::Outcome& outcome) { return showOutcome(outcome); }))
        return;

    CompileWait wait(compiling_);
    compiler_.startWarmCompiler();
    lastErrorPlace_.reset();
    centrePanels();
    compilingPanel_->show();
    compilingPanel_->raise();
    const tz::CompilerRun run =
        compiler_.run(project().javaSourcePath, document_.options().optimize,
                      {.progress = [this](const QString& text) { setMessages(text); },
                       .frame = [this](int frame) { showCompileFrame(tz::compileFrame(frame)); }});
    if (run.quitting()) return;
    compilingPanel_->hide();
    // A failure before the run must not leave the panel standing.
    if (!run.exitCode) return tz::reportError(this, run.error);
    repaint();
    messages_->clear();
    if (!run.error.isEmpty()) return tz::reportError(this, run.error);
    // A place the project does not hold is reported; the compile's report still shows.
    const auto report = document_.takeCompilerRun(run, [this](const tz::Outcome& outcome) {
        showOutcome(outcome);
        return true;
    });
    messages_->setPlainText(report->messages);
    if (report->place) showErrorPlace(*report->place);
}

QString MainWindow::lastCompileFolder() const {
    return compiler_.lastFolder();
}

bool MainWindow::refusedForLineBreak(std::initializer_list<std::string_view> texts,
                                     const char* file) {
    const std::string refusal = tz::lineBreakRefusal(texts, file);
    if (refusal.empty()) return false;
    tz::reportError(this, tz::displayLine(refusal));
    return true;
}

// ---- error navigation ---------------------------------------------------

void MainWindow::showFirstError() {
    const auto place = tz::errorPlaceIn(messages_->toPlainText(), document_.sourceLines(),
                                        project().javaSourcePath);
    // Without a place the compiler's own text is all there is: it stays.
    if (!place) return;
    setMessages(tz::displayText(place->shownOutput));
    if (showOutcome(document_.goToErrorPlace(*place))) showErrorPlace(*place);
}

void MainWindow::showErrorPlace(const tz::ErrorPlace& place) {
    lastErrorPlace_ = place;
    showMethodTabs(project().currentClass, project().currentSlot);
    rebuildTree();
    if (place.bodyLine >= 0) selectBodyLine(place.bodyLine);
}

void MainWindow::selectBodyLine(int n) {
    // One byte per character, so that positions are the editor's own.
    const auto line = tz::lineRange(bodyEditor_->toPlainText().toLatin1().toStdString(), n);
    if (!line) return;  // the body has changed since the compile
    bodyEditor_->setFocus();
    // Selected from its end back to its start: the caret stays on the line,
    // not after its line break, so that the line label names it.
    QTextCursor cursor = bodyEditor_->textCursor();
    cursor.setPosition(int(line->end));
    cursor.setPosition(int(line->start), QTextCursor::KeepAnchor);
    bodyEditor_->setTextCursor(cursor);
    bodyEditor_->ensureCursorVisible();
}

// ---- applet preview -----------------------------------------------------

void MainWindow::runApplet() {
    if (project().compileFailed) return;
    if (refusedForLineBreak({project().javaSourcePath}, "run.htm") || !saveJavaSource()) return;
    const QString folder = javaSourceFolder();
    const std::string page =
        tz::appletPage(project().javaSourcePath, document_.design().appletWidth(),
                       document_.design().appletHeight(), document_.options().parameters);
    if (!writeBuildFile(folder + "run.htm", page)) return;
    QProcess::startDetached(javaBinDirectory() + "/appletviewer", {"run.htm"}, folder);
}

void MainWindow::compileAndRun() {
    if (compiling_) return;
    project().compileFailed = true;
    compile();
    runApplet();
}

void MainWindow::previewInBrowser() {
    if (project().compileFailed) return;
    if (mainSettings_.browser.empty()) {
        tz::showMessage(this, NoBrowserMessage);
        return;
    }
    const QString folder = javaSourceFolder();
    QProcess::startDetached(tz::displayLine(mainSettings_.browser), {folder + "run.htm"}, folder);
}

void MainWindow::compileAndPreview() {
    if (compiling_) return;
    project().compileFailed = true;
    compile();
    previewInBrowser();
}

// ---- runnable JAR -------------------------------------------------------

void MainWindow::exportRunnableJar() {
    const QString path = chooseFile(QFileDialog::AcceptSave, "exportJar", {"Runnable JAR (*.jar)"},
                                    "jar", projectFolder());
    if (!path.isEmpty() && !refusedJarOutput(path) && mayOverwrite(path)) exportRunnableJar(path);
}

bool MainWindow::refusedJarOutput(const QString& path) {
    return !showOutcome(document_.jarOutputCheck(path));
}

bool MainWindow::exportRunnableJar(const QString& path) {
    if (compiling_ || !projectSavedOrAskedFor()) return false;
    // Refused before the compile, which would be for nothing.
    if (refusedJarOutput(path)) return false;
    // The classes are those the compile writes beside the source: it needs
    // its place first.
    if (project().javaSourcePath == tz::Project::Untitled && !saveJavaSource()) return false;
    const tz::ClassStamps before = tz::classStamps(project().javaSourcePath);
    project().compileFailed = true;
    compile();
    if (project().compileFailed) return false;
    tz::JarWritten written;
    {
        tz::BusyCursor busy;
        written = document_.writeJar(path, before, compiler_.javaBin(), isAppletPicture);
    }
    if (!showOutcome(written.outcome)) return false;
    setMessages(written.lines.join('\n'));
    return true;
}

// ---- external compiler --------------------------------------------------

void MainWindow::compileExternally() {
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
    setMessages("Ext. Compiling...");
    // Whatever the external compiler says, the applet may be run afterwards.
    project().compileFailed = false;
    externalRun_ = std::make_unique<tz::ExternalRun>(
        std::move(folder), programDirectory_ + "ext.pif", tz::findTerminal(),
        [this](const std::string& output) { setMessages(tz::displayText(output)); });
    setMessages(QString());
}
