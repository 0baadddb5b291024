#pragma once
// The program's six windows, kept until the program ends: the four shown at
// start created in a fixed order, the two option dialogs at their first
// use; and the one place that wires them and the command groups together.
#include <QString>
#include <QUndoStack>
#include <memory>

#include "document/ProjectDocument.h"
#include "document/ui/DocumentEdits.h"
#include "settings/SettingsFile.h"
#include "toolchain/CompileSession.h"

class MainWindow;
class DesignWindow;
class InspectorWindow;
class ProjectOptionsDialog;
class PaletteWindow;
class DeveloperOptionsDialog;
class FileCommands;
class BuildCommands;
class WindowCommands;
class LayoutCommands;
class WindowArrangement;
struct CommandGroups;
namespace tz {
class ObjectClipboard;
class PasteGuard;
}  // namespace tz

class Program {
  public:
    Program(const QString& programDirectory, const QString& settingsPath);
    ~Program();

    // Shows the main window, the design window, the inspector and the palette.
    void show();

    tz::ProjectDocument& document() { return document_; }
    tz::CompileSession& compiler() { return compiler_; }
    const tz::MainSettings& mainSettings() const { return mainSettings_; }
    // The design window takes the grid step over.
    void setMainSettings(const tz::MainSettings& settings);
    MainWindow& mainWindow() { return *mainWindow_; }
    DesignWindow& designWindow() { return *designWindow_; }
    InspectorWindow& inspector() { return *inspector_; }
    ProjectOptionsDialog& projectOptions();
    PaletteWindow& palette() { return *palette_; }
    DeveloperOptionsDialog& developerOptions();
    FileCommands& fileCommands() { return *fileCommands_; }
    BuildCommands& buildCommands() { return *buildCommands_; }
    WindowCommands& windowCommands() { return *windowCommands_; }

    // The settings file for an executable in programDirectory.
    static QString settingsPathFor(const QString& programDirectory);

  private:
    CommandGroups makeCommands(MainWindow& window);
    // The groups' requests for other windows, and the main window's activation.
    void connectCommandsToWindows();
    // The palette's choice arms the design window; its end of create mode
    // puts the palette's buttons up. The tool windows float above it. The
    // palette also holds the Layout menu's commands.
    void connectPaletteToDesignWindow();

    QString programDirectory_;
    QString settingsPath_;
    std::unique_ptr<tz::PasteGuard> pasteGuard_;
    tz::ProjectDocument document_;
    // The project's undo stack: the views' edits of the document.
    QUndoStack history_;
    tz::DocumentEdits edits_{document_, history_};
    tz::CompileSession compiler_;
    tz::MainSettings mainSettings_;
    // Owned by the main window, made while it is built.
    FileCommands* fileCommands_ = nullptr;
    BuildCommands* buildCommands_ = nullptr;
    WindowCommands* windowCommands_ = nullptr;
    LayoutCommands* layoutCommands_ = nullptr;
    tz::ObjectClipboard* objectClipboard_ = nullptr;
    std::unique_ptr<MainWindow> mainWindow_;
    std::unique_ptr<DesignWindow> designWindow_;
    std::unique_ptr<InspectorWindow> inspector_;
    std::unique_ptr<ProjectOptionsDialog> projectOptions_;
    std::unique_ptr<PaletteWindow> palette_;
    std::unique_ptr<DeveloperOptionsDialog> developerOptions_;
    std::unique_ptr<WindowArrangement> arrangement_;
};
