// The main window's project file commands: open, save and save as.
#include <QFileInfo>
#include <QPlainTextEdit>

#include "platform/TextBytes.h"
#include "platform/ui/ErrorBox.h"
#include "project/ui/MainWindow.h"

QString MainWindow::chooseFile(QFileDialog::AcceptMode mode, const QString& name,
                               const QStringList& filters, const QString& defaultSuffix,
                               const QString& folder) {
    QFileDialog dialog(this, QString(), folder);
    dialog.setObjectName(name);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    // Overwriting is asked by the commands themselves, with their own text.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first();
}

QString MainWindow::projectFolder() const {
    const std::string& path = document_.project().projectPath;
    if (path == tz::Project::Untitled) return {};
    return QFileInfo(tz::displayLine(path)).absolutePath();
}

bool MainWindow::mayOverwrite(const QString& path) {
    return !QFileInfo::exists(path) ||
           tz::askYesNoCancel(this, QString("OK to overwrite %1").arg(path));
}

QString MainWindow::chooseProjectFile(QFileDialog::AcceptMode mode) {
    return chooseFile(mode, mode == QFileDialog::AcceptOpen ? "openProject" : "saveProject",
                      {"Tarvelo Zuva Project (*.tzp)"}, "tzp");
}

bool MainWindow::showOutcome(const tz::Outcome& outcome) {
    switch (outcome.kind) {
        case tz::Outcome::Kind::Done:
            break;
        case tz::Outcome::Kind::Note:
            messages_->appendPlainText(outcome.message);
            break;
        case tz::Outcome::Kind::Message:
            tz::showMessage(this, outcome.message);
            break;
        case tz::Outcome::Kind::Error:
            tz::reportError(this, outcome.message);
            break;
    }
    return outcome.ok();
}

bool MainWindow::writeProject(const QString& path) {
    storePendingBody();
    return showOutcome(document_.save(path));
}

void MainWindow::markProjectSaved() {
    storePendingBody();
    document_.markSaved();
}

bool MainWindow::hasUnsavedChanges() {
    storePendingBody();
    return document_.isModified();
}

bool MainWindow::askToSaveChanges() {
    if (!hasUnsavedChanges()) return true;
    switch (tz::askYesNoCancelChoice(this, "Save changes to the current project?")) {
        case tz::Answer::Yes:
            return saveProject();
        case tz::Answer::No:
            return true;
        case tz::Answer::Cancel:
            return false;
    }
    return false;
}

bool MainWindow::readProject(const QString& path) {
    storePendingBody();
    const tz::Outcome opened = document_.open(path);
    return showOutcome(opened);
}

void MainWindow::showProjectPath(const QString& path) {
    project().projectPath = tz::storedLine(path);
    showCaption();
    showStatus(tz::displayLine(project().javaSourcePath));
}

// The caption names the file the next Save Project writes.
void MainWindow::showCaption() {
    if (project().projectPath == tz::Project::Untitled) {
        setWindowTitle("Tarvelo Zuva- [Untitled]");
    } else {
        setWindowTitle(QString("Tarvelo Zuva - [%1]").arg(tz::displayLine(project().projectPath)));
    }
}

void MainWindow::openProject() {
    if (!askToSaveChanges()) return;
    const QString path = chooseProjectFile(QFileDialog::AcceptOpen);
    if (!path.isEmpty()) openProjectFile(path);
}

bool MainWindow::openProjectFile(const QString& path) {
    if (!readProject(path)) return false;
    showMethodTabs(0, 0);
    rebuildTree();
    showProjectPath(path);
    setMessages(
        QString("%1 Loaded. Contains of %2 classes.").arg(path).arg(project().classCount()));
    return true;
}

bool MainWindow::saveProject() {
    if (project().projectPath == tz::Project::Untitled) return saveProjectAs();
    if (!writeProject(tz::displayLine(project().projectPath))) return false;
    setMessages("The project was Saved.");
    return true;
}

bool MainWindow::saveProjectAs() {
    const QString path = chooseProjectFile(QFileDialog::AcceptSave);
    if (path.isEmpty()) return false;
    if (!mayOverwrite(path)) return false;
    if (!writeProject(path)) return false;
    showProjectPath(path);
    setMessages("The project was Saved as " + path);
    return true;
}
