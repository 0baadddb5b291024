// The main window's project file commands: open, save and save as.
#include <QFileInfo>
#include <QPlainTextEdit>

#include "designer/ui/Tapplet.h"
#include "platform/TextBytes.h"
#include "platform/ui/ErrorBox.h"
#include "project/ui/Tzjava.h"
#include "settings/ui/Toptions.h"

QString Tzjava::chooseFile(QFileDialog::AcceptMode mode, const QString& name,
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

QString Tzjava::projectFolder() const {
    if (project().projectPath == tz::Project::Untitled) return {};
    return QFileInfo(tz::displayLine(project().projectPath)).absolutePath();
}

bool Tzjava::mayOverwrite(const QString& path) {
    return !QFileInfo::exists(path) ||
           tz::askYesNoCancel(this, QString("OK to overwrite %1").arg(path));
}

QString Tzjava::chooseProjectFile(QFileDialog::AcceptMode mode) {
    return chooseFile(mode, mode == QFileDialog::AcceptOpen ? "openProject" : "saveProject",
                      {"Tarvelo Zuva Project (*.tzp)"}, "tzp");
}

void Tzjava::storeDesign() const {
    tz::ObjectTables tables;
    for (tz::ObjectKind kind : tz::AllKinds) tables[int(kind)] = windows_.app->table(kind);
    tz::DesignModel& design = document_.design();
    if (tables != design.tables())
        design.reset(tables, windows_.app->appletWidth(), windows_.app->appletHeight());
    design.setAppletSize(windows_.app->appletWidth(), windows_.app->appletHeight());
    document_.setOptions(windows_.opt->options());
}

bool Tzjava::showOutcome(const tz::Outcome& outcome) {
    switch (outcome.kind) {
        case tz::Outcome::Kind::Done:
            break;
        case tz::Outcome::Kind::Note:
            mess_->appendPlainText(outcome.message);
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

bool Tzjava::SaveProject(const QString& path) {
    storeDesign();
    storePendingBody();
    return showOutcome(document_.save(path));
}

void Tzjava::markProjectSaved() {
    storeDesign();
    storePendingBody();
    document_.markSaved();
}

bool Tzjava::hasUnsavedChanges() const {
    storeDesign();
    storePendingBody();
    return document_.isModified();
}

bool Tzjava::askToSaveChanges() {
    if (!hasUnsavedChanges()) return true;
    switch (tz::askYesNoCancelChoice(this, "Save changes to the current project?")) {
        case tz::Answer::Yes:
            return SaveProject1Click();
        case tz::Answer::No:
            return true;
        case tz::Answer::Cancel:
            return false;
    }
    return false;
}

void Tzjava::showOpenedDesign() {
    Tapplet& app = *windows_.app;
    const tz::DesignModel& design = document_.design();
    app.discardAllObjects();
    windows_.opt->setOptions(document_.options());
    // A colour index the table does not hold leaves the colour as it was.
    const tz::ProjectOptions& read = document_.optionsAsRead();
    if (tz::isColourIndex(read.colourIndex) || !read.autoBCOL)
        windows_.opt->applyBackgroundColour();
    app.setAppletWidth(design.appletWidth());
    app.setAppletHeight(design.appletHeight());
    for (tz::ObjectKind kind : tz::AllKinds) {
        const tz::ObjectTable& table = design.table(kind);
        for (int slot = 0; slot < table.count; ++slot)
            app.addLoadedObject(kind, table.records[slot]);
    }
    app.UpdateChoice(std::string());
    // Loading passed every record through the grid; none of them is current.
    app.clearCurrentObject();
}

bool Tzjava::OpenProject(const QString& path) {
    storePendingBody();
    const tz::Outcome opened = document_.open(path);
    if (!showOutcome(opened)) return false;
    showOpenedDesign();
    return true;
}

void Tzjava::showProjectPath(const QString& path) {
    project().projectPath = tz::storedLine(path);
    showCaption();
    showStatus(tz::displayLine(project().javaSourcePath));
}

// The caption names the file the next Save Project writes.
void Tzjava::showCaption() {
    if (project().projectPath == tz::Project::Untitled) {
        setWindowTitle("Tarvelo Zuva- [Untitled]");
    } else {
        setWindowTitle(QString("Tarvelo Zuva - [%1]").arg(tz::displayLine(project().projectPath)));
    }
}

void Tzjava::OpenProject1Click() {
    if (!askToSaveChanges()) return;
    const QString path = chooseProjectFile(QFileDialog::AcceptOpen);
    if (!path.isEmpty()) openProjectFile(path);
}

bool Tzjava::openProjectFile(const QString& path) {
    if (!OpenProject(path)) return false;
    UpdateTab(0, 0);
    UpdateTree();
    showProjectPath(path);
    showMess(QString("%1 Loaded. Contains of %2 classes.").arg(path).arg(project().classCount()));
    return true;
}

bool Tzjava::SaveProject1Click() {
    if (project().projectPath == tz::Project::Untitled) return SaveProjectAs1Click();
    if (!SaveProject(tz::displayLine(project().projectPath))) return false;
    showMess("The project was Saved.");
    return true;
}

bool Tzjava::SaveProjectAs1Click() {
    const QString path = chooseProjectFile(QFileDialog::AcceptSave);
    if (path.isEmpty()) return false;
    if (!mayOverwrite(path)) return false;
    if (!SaveProject(path)) return false;
    showProjectPath(path);
    showMess("The project was Saved as " + path);
    return true;
}
