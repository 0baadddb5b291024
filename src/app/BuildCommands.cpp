#include "app/BuildCommands.h"

#include <QAction>
#include <QFileInfo>
#include <QProcess>

#include "app/BusyPanels.h"
#include "app/CommandAction.h"
#include "app/CommandView.h"
#include "designer/ui/PictureSource.h"
#include "platform/SafeFile.h"
#include "platform/TextBytes.h"
#include "platform/ui/BusyCursor.h"
#include "platform/ui/ErrorBox.h"
#include "toolchain/BuildFiles.h"
#include "toolchain/JarExport.h"
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

BuildCommands::BuildCommands(tz::ProjectDocument& document, tz::CompileSession& compiler,
                             const tz::MainSettings& settings, const QString& programDirectory,
                             CommandView& view, QWidget* window)
    : CommandGroup(document, view, window),
      compiler_(compiler),
      settings_(settings),
      programDirectory_(programDirectory),
      actions_{
          .generate = addCommandAction(
              this, "GenerateCode1", "&Generate...", [this] { generateJava(); },
              QKeySequence("F5")),
          .compile = addCommandAction(
              this, "Compile1", "&Compile...", [this] { compile(); }, QKeySequence("F6")),
          .compileExternally = addCommandAction(this, "extcomp1", "E&xt. Compile...",
                                                [this] { compileExternally(); }),
          .compileAndRun = addCommandAction(
              this, "BuildRun1", "&Build && Run",
              [this] { compileThen(&BuildCommands::runApplet); }, QKeySequence("F7")),
          .exportRunnableJar = addCommandAction(this, "ExportJar1", "Export Runnable &JAR...",
                                                [this] { exportRunnableJar(); }),
          .projectOptions = addCommandAction(this, "Options1", "&Options",
                                             [this] { Q_EMIT projectOptionsWanted(); }),
          .runApplet = addCommandAction(
              this, "Run2", "&Run JavaApplet", [this] { runApplet(); }, QKeySequence("F9")),
          .previewInBrowser =
              addCommandAction(this, "PreviewAppletinBrowser1", "&Preview Applet in Browser",
                               [this] { previewInBrowser(); }),
          .compileAndPreview =
              addCommandAction(this, "compileAndPreview", "Compile && Bro&wse",
                               [this] { compileThen(&BuildCommands::previewInBrowser); }),
      } {}

bool BuildCommands::writeBuildFile(const QString& path, const std::string& bytes) {
    if (const auto error = tz::saveFileInItsFolder(tz::storedLine(path), bytes)) {
        tz::reportError(window_, tz::displayLine(*error));
        return false;
    }
    return true;
}

QString BuildCommands::javaSourceFolder() const {
    return QFileInfo(tz::displayLine(document_.project().javaSourcePath)).absolutePath() + "/";
}

// ---- compile ------------------------------------------------------------

bool BuildCommands::projectSavedOrAskedFor() {
    if (project().projectPath != tz::Project::Untitled) return true;
    tz::showMessage(window_, UnsavedProjectMessage);
    saveProjectAs();
    return false;
}

bool BuildCommands::generateAndSaveSource() {
    if (!generateJava()) return false;
    // A source path never chosen is asked for; a cancelled choice goes on.
    const bool sourcePathAsked = project().javaSourcePath == tz::Project::Untitled;
    return saveJavaSource() || sourcePathAsked;
}

void BuildCommands::compile() {
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
    view_.busyPanels().showCompiling();
    const tz::CompilerRun run = compiler_.run(
        project().javaSourcePath, document_.options().optimize,
        {.progress = [this](const QString& text) { view_.setMessages(text); },
         .frame =
             [this](int frame) { view_.busyPanels().showCompileFrame(tz::compileFrame(frame)); }});
    if (run.quitting()) return;
    // A failure before the run must not leave the panel standing.
    view_.busyPanels().hideCompiling();
    if (!run.exitCode) return tz::reportError(window_, run.error);
    view_.setMessages(QString());
    if (!run.error.isEmpty()) return tz::reportError(window_, run.error);
    // A place the project does not hold is reported; the compile's report still shows.
    const auto report = document_.takeCompilerRun(run, [this](const tz::Outcome& outcome) {
        showOutcome(outcome);
        return true;
    });
    view_.setMessages(report->messages);
    if (report->place) showErrorPlace(*report->place);
}

bool BuildCommands::refusedForLineBreak(std::initializer_list<std::string_view> texts,
                                        const char* file) {
    const std::string refusal = tz::lineBreakRefusal(texts, file);
    if (refusal.empty()) return false;
    tz::reportError(window_, tz::displayLine(refusal));
    return true;
}

// ---- error navigation ---------------------------------------------------

void BuildCommands::showFirstError() {
    const auto place =
        tz::errorPlaceIn(view_.messagesText(), document_.sourceLines(), project().javaSourcePath);
    // Without a place the compiler's own text is all there is: it stays.
    if (!place) return;
    view_.setMessages(tz::displayText(place->shownOutput));
    if (showOutcome(document_.goToErrorPlace(*place))) showErrorPlace(*place);
}

void BuildCommands::showErrorPlace(const tz::ErrorPlace& place) {
    view_.showMethodTabs(project().currentClass, project().currentSlot);
    view_.rebuildTree();
    if (place.bodyLine >= 0) view_.selectBodyLine(place.bodyLine);
}

// ---- applet preview -----------------------------------------------------

void BuildCommands::runApplet() {
    if (project().compileFailed) return;
    if (refusedForLineBreak({project().javaSourcePath}, "run.htm") || !saveJavaSource()) return;
    const QString folder = javaSourceFolder();
    document_.takePendingEdits();
    const std::string page =
        tz::appletPage(project().javaSourcePath, document_.design().appletWidth(),
                       document_.design().appletHeight(), document_.options().parameters);
    if (!writeBuildFile(folder + "run.htm", page)) return;
    QProcess::startDetached(compiler_.javaBin() + "/appletviewer", {"run.htm"}, folder);
}

void BuildCommands::compileThen(void (BuildCommands::*then)()) {
    if (compiling_) return;
    project().compileFailed = true;
    compile();
    (this->*then)();
}

void BuildCommands::previewInBrowser() {
    if (project().compileFailed) return;
    if (settings_.browser.empty()) {
        tz::showMessage(window_, NoBrowserMessage);
        return;
    }
    const QString folder = javaSourceFolder();
    QProcess::startDetached(tz::displayLine(settings_.browser), {folder + "run.htm"}, folder);
}

// ---- runnable JAR -------------------------------------------------------

void BuildCommands::exportRunnableJar() {
    const QString path = chooseFile(QFileDialog::AcceptSave, "exportJar", {"Runnable JAR (*.jar)"},
                                    "jar", projectFolder());
    if (!path.isEmpty() && !refusedJarOutput(path) && mayOverwrite(path)) exportRunnableJar(path);
}

bool BuildCommands::refusedJarOutput(const QString& path) {
    return !showOutcome(document_.jarOutputCheck(path));
}

bool BuildCommands::exportRunnableJar(const QString& path) {
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
    view_.setMessages(written.lines.join('\n'));
    return true;
}

// ---- external compiler --------------------------------------------------

void BuildCommands::compileExternally() {
    if (settings_.compiler.empty()) {
        tz::showMessage(window_, NoExternalCompilerMessage);
        return;
    }
    if (!projectSavedOrAskedFor() ||
        refusedForLineBreak(
            {settings_.compiler, settings_.compilerParameters, project().javaSourcePath},
            "ext.bat") ||
        !generateAndSaveSource())
        return;
    // The run before, if it still goes, is superseded.
    externalRun_.reset();
    QString error;
    auto folder = tz::makeRunFolder(error);
    if (!folder) return tz::reportError(window_, error);
    if (!writeBuildFile(folder->path() + "/ext.bat",
                        tz::externalCompilerBatch(settings_.compiler, settings_.compilerParameters,
                                                  project().javaSourcePath)))
        return;
    view_.setMessages("Ext. Compiling...");
    // Whatever the external compiler says, the applet may be run afterwards.
    project().compileFailed = false;
    externalRun_ = std::make_unique<tz::ExternalRun>(
        std::move(folder), programDirectory_ + "ext.pif", tz::findTerminal(),
        [this](const std::string& output) { view_.setMessages(tz::displayText(output)); });
    view_.setMessages(QString());
}
