#pragma once
// The File menu's commands: the project file, Java import and export, and Exit.
#include "app/CommandGroup.h"

struct FileActions {
    QAction* newProject;
    QAction* openProject;
    QAction* saveProject;
    QAction* saveProjectAs;
    QAction* importJava;
    QAction* exportJava;
    QAction* exit;
};

class FileCommands : public CommandGroup {
    Q_OBJECT
  public:
    FileCommands(tz::ProjectDocument& document, CommandView& view, QWidget* window);
    const FileActions& actions() const { return actions_; }

    // Open Project and Import Java on a chosen file, without dialogs or
    // questions. False when the file was refused (reported) and nothing changed.
    bool openProjectFile(const QString& path);
    bool importJava(const QString& path);
    // Open Project on a file chosen without its dialog (a drop, a recent
    // project): the unsaved-changes question, then the file.
    void openChosenProject(const QString& path);
    // A dropped .tzp opens, a .java imports, after the unsaved-changes question.
    void openDropped(const QString& path);

  private:
    // Asks to save unsaved changes first.
    void newProject();
    void openProject();
    void importJava();
    // The refusal in its box, else the tree found and where the source ended
    // early; whether the scan went through.
    bool showScanOutcome(const tz::Outcome& outcome,
                         const std::vector<tz::ScanTreeItem>& treeItems);

    FileActions actions_;
};
