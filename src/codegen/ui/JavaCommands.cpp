// The main window's Java source commands: generate, save and export.
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
    code_.clear();
    tz::GeneratedCode generated;
    {
        tz::BusyCursor busy;
        generated = tz::CreateCode(project(), windows_.app->liveObjects(), windows_.opt->options(),
                                   [this](const std::string& question) {
                                       return tz::askYesNo(this, tz::displayLine(question));
                                   });
    }
    code_ = std::move(generated.source);
    switch (generated.failure) {
        case tz::CodeFailure::None:
            showMess(tz::GeneratedMessage);
            return true;
        case tz::CodeFailure::PaintDeclaration:
            // The callers go on with the partial source.
            tz::showMessage(this, tz::PaintDeclarationMessage,
                            project().projectPath == tz::Project::Untitled
                                ? QString()
                                : tz::displayLine(project().projectPath));
            return true;
        case tz::CodeFailure::ImageCopy:
            tz::reportError(this, tz::displayLine(generated.message));
            return false;
    }
    return false;
}

void Tzjava::GenerateCode1Click() {
    CreateCode();
}

bool Tzjava::CodeSave(const QString& path) {
    if (const auto error = tz::saveFileBytes(tz::storedLine(path), code_)) {
        tz::reportError(this, tz::displayLine(*error));
        return false;
    }
    return true;
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
    // Generated first: the image check looks beside the previous source path.
    if (!CreateCode() || !CodeSave(path)) return false;
    project().javaSourcePath = tz::storedLine(path);
    return true;
}

bool Tzjava::Save1Click() {
    if (project().javaSourcePath == tz::Project::Untitled) {
        FileSaveasClick();
        return project().javaSourcePath != tz::Project::Untitled;
    }
    return CodeSave(tz::displayLine(project().javaSourcePath));
}
