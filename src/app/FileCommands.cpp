#include "app/FileCommands.h"

#include <QAction>
#include <algorithm>
#include <climits>

#include "app/BusyPanels.h"
#include "app/CommandAction.h"
#include "app/CommandView.h"
#include "platform/TextBytes.h"
#include "platform/ui/BusyCursor.h"

namespace {

int clampedToInt(std::size_t value) {
    return int(std::min<std::size_t>(value, INT_MAX));
}

}  // namespace

FileCommands::FileCommands(tz::ProjectDocument& document, CommandView& view, QWidget* window)
    : CommandGroup(document, view, window),
      actions_{
          .newProject = addCommandAction(
              this, "NewProject1", "&New Project", [this] { newProject(); },
              QKeySequence("Ctrl+N")),
          .openProject = addCommandAction(
              this, "OpenProject1", "&Open Project", [this] { openProject(); },
              QKeySequence("Ctrl+O")),
          .saveProject = addCommandAction(
              this, "SaveProject1", "&Save Project", [this] { saveProject(); },
              QKeySequence("Ctrl+S")),
          .saveProjectAs = addCommandAction(
              this, "SaveProjectAs1", "Save Project &As", [this] { saveProjectAs(); },
              QKeySequence("Ctrl+A")),
          .importJava = addCommandAction(this, "Open1", "&Import Java", [this] { importJava(); }),
          .exportJava =
              addCommandAction(this, "FileSaveas", "&Export Java", [this] { exportJava(); }),
          .exit = addCommandAction(
              this, "Exit1", "E&xit", [this] { window_->close(); }, QKeySequence("Ctrl+Q")),
      } {}

void FileCommands::newProject() {
    if (!askToSaveChanges()) return;
    document_.takePendingEdits();
    document_.startNew();
    view_.showMethodTabs(project().currentClass, project().currentSlot);
    view_.rebuildTree();
    view_.showCaption();
    view_.showStatus(QString());
    view_.setMessages(QString());
}

void FileCommands::openDropped(const QString& path) {
    if (path.endsWith(".tzp", Qt::CaseInsensitive))
        openChosenProject(path);
    else if (askToSaveChanges())
        importJava(path);
}

void FileCommands::openChosenProject(const QString& path) {
    if (askToSaveChanges()) openProjectFile(path);
}

void FileCommands::openProject() {
    if (!askToSaveChanges()) return;
    const QString path = chooseProjectFile(QFileDialog::AcceptOpen);
    if (!path.isEmpty()) openProjectFile(path);
}

bool FileCommands::openProjectFile(const QString& path) {
    document_.takePendingEdits();
    if (!showOutcome(document_.open(path))) return false;
    view_.showMethodTabs(0, 0);
    view_.rebuildTree();
    showProjectPath(path);
    view_.setMessages(
        QString("%1 Loaded. Contains of %2 classes.").arg(path).arg(project().classCount()));
    return true;
}

void FileCommands::importJava() {
    if (!askToSaveChanges()) return;
    const QString path = chooseJavaFile(QFileDialog::AcceptOpen);
    if (!path.isEmpty()) importJava(path);
}

bool FileCommands::importJava(const QString& path) {
    document_.takePendingEdits();
    const QString statusBefore = view_.statusText();
    tz::ImportOutcome imported;
    {
        tz::BusyCursor busy;
        imported = document_.importJava(
            path,
            {.linesRead =
                 [this, &path](std::size_t lines) {
                     view_.showStatus(QString("%1 Lines: %2").arg(path).arg(lines));
                 },
             .scanStarting =
                 [this] { view_.busyPanels().showScan(clampedToInt(document_.source().size())); },
             .scanned =
                 [this](std::size_t position, std::size_t) {
                     view_.busyPanels().showScanProgress(clampedToInt(position));
                 }});
        view_.busyPanels().hideScan();
    }
    if (!showScanOutcome(imported.outcome, imported.treeItems)) {
        view_.showStatus(statusBefore);
        return false;
    }
    if (imported.outcome.kind == tz::Outcome::Kind::Note)
        view_.showStatus(QString("%1 Lines: %2 - %3")
                             .arg(path)
                             .arg(imported.lines)
                             .arg(imported.outcome.message));
    view_.showMethodTabs(0, 0);
    view_.showCaption();
    return true;
}

bool FileCommands::showScanOutcome(const tz::Outcome& outcome,
                                   const std::vector<tz::ScanTreeItem>& treeItems) {
    if (!outcome.ok()) return showOutcome(outcome);
    view_.showScannedItems(treeItems);
    if (outcome.kind == tz::Outcome::Kind::Note) view_.setMessages(outcome.message);
    return true;
}
