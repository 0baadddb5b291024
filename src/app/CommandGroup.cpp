#include "app/CommandGroup.h"

#include <QFileInfo>

#include "app/CommandView.h"
#include "codegen/CodeGenerator.h"
#include "platform/TextBytes.h"
#include "platform/ui/BusyCursor.h"
#include "platform/ui/ErrorBox.h"

CommandGroup::CommandGroup(tz::ProjectDocument& document, CommandView& view, QWidget* window)
    : QObject(window), document_(document), view_(view), window_(window) {}

tz::Project& CommandGroup::project() {
    document_.takePendingEdits();
    return document_.project();
}

// ---- dialogs and boxes --------------------------------------------------

QString CommandGroup::chooseFile(QFileDialog::AcceptMode mode, const QString& name,
                                 const QStringList& filters, const QString& defaultSuffix,
                                 const QString& folder) {
    QFileDialog dialog(window_, QString(), folder);
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

QString CommandGroup::chooseJavaFile(QFileDialog::AcceptMode mode) {
    return chooseFile(mode, mode == QFileDialog::AcceptOpen ? "open" : "save",
                      {"Java Source Code (*.java)", "Text Files (*.txt)"}, "java");
}

QString CommandGroup::chooseProjectFile(QFileDialog::AcceptMode mode) {
    return chooseFile(mode, mode == QFileDialog::AcceptOpen ? "openProject" : "saveProject",
                      {"Tarvelo Zuva Project (*.tzp)"}, "tzp");
}

QString CommandGroup::projectFolder() const {
    const std::string& path = document_.project().projectPath;
    if (path == tz::Project::Untitled) return {};
    return QFileInfo(tz::displayLine(path)).absolutePath();
}

bool CommandGroup::mayOverwrite(const QString& path) {
    return !QFileInfo::exists(path) ||
           tz::askYesNoCancel(window_, QString("OK to overwrite %1").arg(path));
}

bool CommandGroup::showOutcome(const tz::Outcome& outcome) {
    switch (outcome.kind) {
        case tz::Outcome::Kind::Done:
            break;
        case tz::Outcome::Kind::Note:
            view_.appendMessage(outcome.message);
            break;
        case tz::Outcome::Kind::Message:
            tz::showMessage(window_, outcome.message);
            break;
        case tz::Outcome::Kind::Error:
            tz::reportError(window_, outcome.message);
            break;
    }
    return outcome.ok();
}

// ---- Java source --------------------------------------------------------

bool CommandGroup::generateJava() {
    view_.setMessages(tz::GeneratingMessage);
    document_.takePendingEdits();
    tz::Outcome generated;
    {
        tz::BusyCursor busy;
        generated = document_.generate([this](const std::string& question) {
            return tz::askYesNo(window_, tz::displayLine(question));
        });
    }
    if (generated.ok()) view_.setMessages(tz::GeneratedMessage);
    // After the paint declaration message the callers go on with the partial source.
    return showOutcome(generated) || generated.kind == tz::Outcome::Kind::Message;
}

void CommandGroup::exportJava() {
    const QString path = chooseJavaFile(QFileDialog::AcceptSave);
    if (path.isEmpty()) return;
    if (!mayOverwrite(path)) return;
    exportJava(path);
}

bool CommandGroup::exportJava(const QString& path) {
    return document_.exportJava(
        path, [this] { return generateJava(); },
        [this](const tz::Outcome& outcome) { return showOutcome(outcome); });
}

bool CommandGroup::saveJavaSource() {
    if (project().javaSourcePath == tz::Project::Untitled) {
        exportJava();
        return project().javaSourcePath != tz::Project::Untitled;
    }
    return showOutcome(document_.writeSource(tz::displayLine(project().javaSourcePath)));
}

// ---- project file -------------------------------------------------------

bool CommandGroup::writeProject(const QString& path) {
    document_.takePendingEdits();
    return showOutcome(document_.save(path));
}

bool CommandGroup::askToSaveChanges() {
    document_.takePendingEdits();
    if (!document_.isModified()) return true;
    switch (tz::askYesNoCancelChoice(window_, "Save changes to the current project?")) {
        case tz::Answer::Yes:
            return saveProject();
        case tz::Answer::No:
            return true;
        case tz::Answer::Cancel:
            return false;
    }
    return false;
}

void CommandGroup::showProjectPath(const QString& path) {
    project().projectPath = tz::storedLine(path);
    view_.showCaption();
    view_.showStatus(tz::displayLine(project().javaSourcePath));
}

bool CommandGroup::saveProject() {
    if (project().projectPath == tz::Project::Untitled) return saveProjectAs();
    if (!writeProject(tz::displayLine(project().projectPath))) return false;
    view_.setMessages("The project was Saved.");
    return true;
}

bool CommandGroup::saveProjectAs() {
    const QString path = chooseProjectFile(QFileDialog::AcceptSave);
    if (path.isEmpty()) return false;
    if (!mayOverwrite(path)) return false;
    if (!writeProject(path)) return false;
    showProjectPath(path);
    view_.setMessages("The project was Saved as " + path);
    return true;
}
