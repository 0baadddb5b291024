// The main window's project file commands: open, save and save as.
#include <QFileInfo>
#include <QPlainTextEdit>

#include "designer/DesignRules.h"
#include "designer/ui/Tapplet.h"
#include "platform/SafeFile.h"
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

tz::ProjectFileContent Tzjava::currentContent() const {
    tz::ProjectFileContent content;
    content.project = project();
    for (tz::ObjectKind kind : tz::AllKinds)
        content.objects[static_cast<int>(kind)] = windows_.app->table(kind);
    content.appletWidth = windows_.app->appletWidth();
    content.appletHeight = windows_.app->appletHeight();
    content.options = windows_.opt->options();
    return content;
}

bool Tzjava::SaveProject(const QString& path) {
    std::string bytes = tz::writeProjectFile(currentContent());
    if (const auto error = tz::saveFileBytes(tz::storedLine(path), bytes)) {
        tz::reportError(this, tz::displayLine(*error));
        return false;
    }
    savedProject_ = std::move(bytes);
    project().javaSourcePath =
        tz::javaSourcePathFor(tz::storedLine(path), project().slot(1, 0).name);
    return true;
}

void Tzjava::markProjectSaved() {
    savedProject_ = tz::writeProjectFile(currentContent());
}

// Derived, not tracked: whatever changed the project, the file would differ.
bool Tzjava::hasUnsavedChanges() const {
    return tz::writeProjectFile(currentContent()) != savedProject_;
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

void Tzjava::applyContent(const tz::ProjectFileContent& content) {
    Tapplet& app = *windows_.app;
    app.discardAllObjects();
    windows_.opt->setOptions(content.options);
    // A colour index the table does not hold leaves the colour as it was.
    if (tz::isColourIndex(content.options.colourIndex) || !content.options.autoBCOL)
        windows_.opt->applyBackgroundColour();
    app.setAppletWidth(content.appletWidth);
    app.setAppletHeight(content.appletHeight);
    for (tz::ObjectKind kind : tz::AllKinds) {
        const tz::ObjectTable& table = content.objects[static_cast<int>(kind)];
        for (int slot = 0; slot < table.count; ++slot)
            app.addLoadedObject(kind, table.records[slot]);
    }
    app.UpdateChoice(std::string());
    // Loading passed every record through the grid; none of them is current.
    app.clearCurrentObject();
    project() = content.project;
}

bool Tzjava::OpenProject(const QString& path) {
    std::string error;
    const auto bytes = tz::loadFileBytes(tz::storedLine(path), error);
    if (!bytes) {
        tz::reportError(this, tz::displayLine(error));
        return false;
    }
    // The whole file is checked before anything changes.
    const tz::ProjectFileReading reading =
        tz::readProjectFile(*bytes, project(), tz::fixedComponentNames());
    if (!reading.content) {
        if (reading.error == tz::CorruptProjectMessage) {
            tz::showMessage(this, tz::CorruptProjectMessage, path);
        } else {
            tz::reportError(this, tz::displayLine(reading.error), path);
        }
        return false;
    }
    applyContent(*reading.content);
    project().javaSourcePath = tz::javaSourcePathFor(tz::storedLine(path), reading.javaClassName);
    markProjectSaved();
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
    code_.clear();
    codeLines_ = {};
    // The last compile was of another project: nothing may run before the next.
    project().compileFailed = true;
    project().currentClass = tz::Project::ImportsEntry;
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
