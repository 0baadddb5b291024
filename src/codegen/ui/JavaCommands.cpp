// The main window's Java source commands: generate, save and export.
#include <QFileInfo>
#include <QPlainTextEdit>

#include "codegen/CodeGenerator.h"
#include "designer/ui/Tapplet.h"
#include "platform/SafeFile.h"
#include "platform/TextBytes.h"
#include "platform/ui/BusyCursor.h"
#include "platform/ui/ErrorBox.h"
#include "project/ui/Tzjava.h"
#include "settings/ui/Toptions.h"

bool Tzjava::CreateCode() {
    showMess(tz::GeneratingMessage);
    storeDesign();
    storePendingBody();
    tz::Outcome generated;
    {
        tz::BusyCursor busy;
        generated = document_.generate([this](const std::string& question) {
            return tz::askYesNo(this, tz::displayLine(question));
        });
    }
    if (generated.ok()) showMess(tz::GeneratedMessage);
    // After the paint declaration message the callers go on with the partial source.
    return showOutcome(generated) || generated.kind == tz::Outcome::Kind::Message;
}

void Tzjava::GenerateCode1Click() {
    CreateCode();
}

bool Tzjava::CodeSave(const QString& path) {
    return showOutcome(document_.writeSource(path));
}

QString Tzjava::chooseJavaFile(QFileDialog::AcceptMode mode) {
    return chooseFile(mode, mode == QFileDialog::AcceptOpen ? "open" : "save",
                      {"Java Source Code (*.java)", "Text Files (*.txt)"}, "java");
}

void Tzjava::FileSaveasClick() {
    const QString path = chooseJavaFile(QFileDialog::AcceptSave);
    if (path.isEmpty()) return;
    if (!mayOverwrite(path)) return;
    exportJava(path);
}

bool Tzjava::exportJava(const QString& path) {
    return document_.exportJava(
        path, [this] { return CreateCode(); },
        [this](const tz::Outcome& outcome) { return showOutcome(outcome); });
}

bool Tzjava::Save1Click() {
    if (project().javaSourcePath == tz::Project::Untitled) {
        FileSaveasClick();
        return project().javaSourcePath != tz::Project::Untitled;
    }
    return CodeSave(tz::displayLine(project().javaSourcePath));
}
