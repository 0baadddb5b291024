#pragma once
// The Project and Run menus' commands: generating, compiling with the Java
// layer in java/bin, leading to the first error, running and previewing the
// applet, the external compiler and the runnable JAR.
#include <initializer_list>
#include <memory>
#include <string_view>

#include "app/CommandGroup.h"
#include "settings/SettingsFile.h"
#include "toolchain/CompileSession.h"
#include "toolchain/CompilerMessages.h"
#include "toolchain/ExternalRun.h"

struct BuildActions {
    QAction* generate;
    QAction* compile;
    QAction* compileExternally;
    QAction* compileAndRun;
    QAction* exportRunnableJar;
    QAction* projectOptions;
    QAction* runApplet;
    QAction* previewInBrowser;
    // Compile & Browse has no menu item: its action is the toolbar button's alone.
    QAction* compileAndPreview;
};

class BuildCommands : public CommandGroup {
    Q_OBJECT
  public:
    // programDirectory ends with '/' and holds the external compiler's
    // starter; settings name the browser and the external compiler.
    BuildCommands(tz::ProjectDocument& document, tz::CompileSession& compiler,
                  const tz::MainSettings& settings, const QString& programDirectory,
                  CommandView& view, QWidget* window);
    const BuildActions& actions() const { return actions_; }

    // Leads from the compiler's output in the message memo to the first error's place.
    void showFirstError();

  Q_SIGNALS:
    void projectOptionsWanted();

  private:
    void compile();
    void runApplet();
    void previewInBrowser();
    // Build & Run and Compile & Browse: a failed compile leaves the step out.
    void compileThen(void (BuildCommands::*then)());
    void compileExternally();
    void exportRunnableJar();
    // Compiles, then writes the runnable JAR to path; false when nothing was written.
    bool exportRunnableJar(const QString& path);
    // True, after the error report, when path cannot take the runnable JAR.
    bool refusedJarOutput(const QString& path);
    // False, after the message and Save Project As, for a never saved project.
    bool projectSavedOrAskedFor();
    // False when the command must stop before compiling.
    bool generateAndSaveSource();
    // False, after the error report, when the file could not be written.
    bool writeBuildFile(const QString& path, const std::string& bytes);
    // True, after the error report, when one of texts holds a line break.
    bool refusedForLineBreak(std::initializer_list<std::string_view> texts, const char* file);
    // Shows the error's class, slot and body line, which are current.
    void showErrorPlace(const tz::ErrorPlace& place);
    QString javaSourceFolder() const;

    tz::CompileSession& compiler_;
    const tz::MainSettings& settings_;
    QString programDirectory_;
    BuildActions actions_;
    bool compiling_ = false;
    std::unique_ptr<tz::ExternalRun> externalRun_;
};
