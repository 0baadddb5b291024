#pragma once
// The main window: owns the project and carries the menus, the toolbar, the
// project tree with the method tabs and editors, and the message memo.
#include <QFileDialog>
#include <QMainWindow>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "document/ProjectDocument.h"
#include "project/Project.h"
#include "project/ProjectFile.h"
#include "project/Scanner.h"
#include "project/ui/BodyEditor.h"
#include "project/ui/ToolbarGlyphs.h"
#include "settings/SettingsFile.h"
#include "toolchain/CompileSession.h"
#include "toolchain/CompilerMessages.h"
#include "toolchain/ExternalRun.h"

class QAction;
class QPixmap;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QToolButton;
class DesignWindow;
class InspectorWindow;
class ProjectOptionsDialog;
class PaletteWindow;
class DeveloperOptionsDialog;
class HelpWindow;
namespace tz {
class ClassTreeView;
}

struct ProgramWindows {
    DesignWindow* design = nullptr;
    InspectorWindow* inspector = nullptr;
    ProjectOptionsDialog* projectOptions = nullptr;
    PaletteWindow* palette = nullptr;
    DeveloperOptionsDialog* developerOptions = nullptr;
};

class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    // programDirectory ends with '/'; settingsPath is the settings file, or
    // empty for none: then no placement is read or written. The file, Java
    // and compile commands work on document with compiler.
    MainWindow(const QString& programDirectory, const QString& settingsPath,
               tz::ProjectDocument& document, tz::CompileSession& compiler);

    void setWindows(const ProgramWindows& windows);

    // The project, with the body editor's latest text in it.
    tz::Project& project();
    const tz::MainSettings& mainSettings() const { return mainSettings_; }
    void setMainSettings(const tz::MainSettings& settings) { mainSettings_ = settings; }
    // The help file the program currently names to the help window.
    const QString& currentHelpFile() const { return currentHelpFile_; }
    const QString& programDirectory() const { return programDirectory_; }

    void showMethodTabs(int classIndex, int slotIndex);

    // The source buffer: the generated or imported Java source, as bytes.
    const std::string& sourceBuffer() const { return document_.source(); }
    // The message memo's text: progress, results and compiler output.
    QString messagesText() const;

    // False when nothing was written.
    bool saveJavaSource();
    // False when the file could not be written.
    bool writeProject(const QString& path);

    // Import Java, Open Project and Export Java on a chosen file, without
    // dialogs or questions (also the batch mode's steps). False when the
    // file was refused (reported) and nothing changed.
    bool importJava(const QString& path);
    bool openProjectFile(const QString& path);
    bool exportJava(const QString& path);
    // The project as it stands becomes the one unsaved changes are judged by.
    void markProjectSaved();
    bool hasUnsavedChanges();

  protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QString javaBinDirectory() const { return programDirectory_ + "java/bin"; }
    void rebuildTree();

    // Java source commands. generateJava is false when generation failed so
    // that the calling command must stop; writeJavaSource is false when nothing was
    // written.
    bool generateJava();
    bool writeJavaSource(const QString& path);
    void exportJava();
    void generateCode();

    // readProject is false when the file was refused and nothing changed.
    bool readProject(const QString& path);
    void openProject();
    // False when the project was not saved (refused, cancelled or failed).
    bool saveProject();
    bool saveProjectAs();

    void loadStartState();
    void windowActivated();
    void savePlacements();

    void buildMenus();
    void buildToolbar(QWidget* parent);
    QWidget* buildLeftPanel(QWidget* parent);
    QWidget* buildCodePanel(QWidget* parent);
    QFrame* buildRestructuringPanel(QWidget* parent);
    QFrame* buildCompilingPanel(QWidget* parent);
    void centrePanels();
    // A command's one action, for its menu item and its toolbar button.
    QAction* addCommand(QMenu* menu, const QString& name, const QString& text,
                        const std::function<void()>& handler, const QKeySequence& shortcut = {});
    QToolButton* addToolButton(const char* name, QAction* command, const QString& hint,
                               tz::Glyph glyph);

    std::vector<tz::WindowPlacement> currentPlacements() const;
    void applyPlacement(QWidget* window, const tz::Bounds& bounds);
    void placeWindowsSideBySide();

    void bodyEdited();
    void declarationEdited();
    void declarationLeft();
    void showCaretLine();

    void exitProgram();
    void showDesignWindow();
    void showInspector();
    void showPalette();
    void showProjectOptions();
    void showDeveloperOptions();
    void showProgramHelp();
    void showJavaSyntaxHelp();
    void showAbout();
    QString programHelpFile() const { return programDirectory_ + "TARJAVA.HLP"; }
    void showHelpTopics();

    void showInEditor(const std::string& bytes);
    void showInDeclaration(const std::string& bytes);
    void showStatus(const QString& text);

    // A file dialog's chosen file, or the empty text when it was cancelled.
    // It opens in folder, or in the working directory when that is empty.
    QString chooseFile(QFileDialog::AcceptMode mode, const QString& name,
                       const QStringList& filters, const QString& defaultSuffix,
                       const QString& folder = QString());
    // The saved project's folder; empty while the project is untitled.
    QString projectFolder() const;
    QString chooseJavaFile(QFileDialog::AcceptMode mode);
    QString chooseProjectFile(QFileDialog::AcceptMode mode);
    // False when path exists and the user does not agree to overwrite it.
    bool mayOverwrite(const QString& path);
    // An outcome's message in its box, its note in the memo; whether it went through.
    bool showOutcome(const tz::Outcome& outcome);
    void showProjectPath(const QString& path);
    void showCaption();
    void setMessages(const QString& text);

    void importJava();
    void cutSelection();
    void copySelection();
    void pasteClipboard();
    // The focused editor for the edit commands: this, else declaration, else none.
    QWidget* focusedEditor() const;
    // Asks to save unsaved changes first; false when the command must stop.
    bool askToSaveChanges();
    // The restructuring panel, its bar from nothing to the source's length.
    void showScanPanel();
    tz::ScanProgress scanProgress();
    // The refusal in its box, else the tree found and where the source ended
    // early; whether the scan went through.
    bool showScanOutcome(const tz::Outcome& outcome,
                         const std::vector<tz::ScanTreeItem>& treeItems);

    // The body editor's text reaches the class table when the table is next
    // read rather than at every keystroke: copying a long body per key made
    // typing slow. Reading the project through project() brings it in.
    void storePendingBody();
    tz::ProjectDocument& document_;
    tz::CompileSession& compiler_;
    bool bodyPending_ = false;
    tz::MainSettings mainSettings_;
    QString programDirectory_;
    QString settingsPath_;
    QString currentHelpFile_;
    // The editors follow the tables while showMethodTabs shows them.
    bool updating_ = false;
    bool placementPending_ = true;
    ProgramWindows windows_;

    QWidget* toolbar_ = nullptr;
    QLabel* caretLine_ = nullptr;
    tz::ClassTreeView* classTree_ = nullptr;
    QLineEdit* declarationEdit_ = nullptr;
    tz::BodyEditor* bodyEditor_ = nullptr;
    QPlainTextEdit* messages_ = nullptr;
    QLabel* statusLabel_ = nullptr;
    HelpWindow* helpWindow_ = nullptr;
    QFrame* restructuringPanel_ = nullptr;
    QFrame* compilingPanel_ = nullptr;
    // The commands that a toolbar button or a key handler needs too.
    QAction* openProject_ = nullptr;
    QAction* saveProject_ = nullptr;
    QAction* saveProjectAs_ = nullptr;
    QAction* generateCode_ = nullptr;
    QAction* compile_ = nullptr;
    QAction* compileExternally_ = nullptr;
    QAction* compileAndRun_ = nullptr;
    QAction* runApplet_ = nullptr;
    QAction* previewInBrowser_ = nullptr;

    // ---- compile and run commands ----------------------------------------
  public:
    void compile();
    // The last compile's working folder, with its batch and the compiler's
    // output; kept until the next compile or the program's end.
    QString lastCompileFolder() const;
    // Where the last compile's error navigation went, if anywhere.
    const std::optional<tz::ErrorPlace>& lastErrorPlace() const { return lastErrorPlace_; }
    // Leads from the compiler's output in mess to the first error's place.
    void showFirstError();
    // Selects body line n (from 0) of the body editor.
    void selectBodyLine(int n);
    // Compiles, then writes the runnable JAR to path; false when nothing was written.
    bool exportRunnableJar(const QString& path);

  private:
    void runApplet();
    void compileAndRun();
    void previewInBrowser();
    void compileAndPreview();
    void compileExternally();
    void exportRunnableJar();
    // True, after the error report, when path cannot take the runnable JAR.
    bool refusedJarOutput(const QString& path);
    // False, after the message and Save Project As, for a never saved project.
    bool projectSavedOrAskedFor();
    // False when the command must stop before compiling.
    bool generateAndSaveSource();
    void showCompileFrame(const QPixmap& picture);
    // False, after the error report, when the file could not be written.
    bool writeBuildFile(const QString& path, const std::string& bytes);
    // True, after the error report, when one of texts holds a line break.
    bool refusedForLineBreak(std::initializer_list<std::string_view> texts, const char* file);
    // Shows the error's class, slot and body line, which are current.
    void showErrorPlace(const tz::ErrorPlace& place);
    QString javaSourceFolder() const;
    bool compiling_ = false;
    std::optional<tz::ErrorPlace> lastErrorPlace_;
    std::unique_ptr<tz::ExternalRun> externalRun_;
};
