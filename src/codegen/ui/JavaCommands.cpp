// The main window's Java source commands: generate, save and export.
#include <QFile>
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
    code_.clear();
    codeLines_ = {};
    tz::GeneratedCode generated;
    {
        tz::BusyCursor busy;
        generated = tz::CreateCode(project(), windows_.app->liveObjects(), windows_.opt->options(),
                                   [this](const std::string& question) {
                                       return tz::askYesNo(this, tz::displayLine(question));
                                   });
    }
    code_ = std::move(generated.source);
    codeLines_ = std::move(generated.lines);
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

bool Tzjava::keepOriginalSource(const QString& path) {
    if (!QFileInfo::exists(path)) return true;
    std::string error;
    const auto bytes = tz::loadFileBytes(tz::storedLine(path), error);
    if (!bytes) {
        tz::reportError(this, tz::displayLine(error));
        return false;
    }
    // A file with markers was written here: generated again, nothing is lost.
    if (tz::firstLineMarker(*bytes)) return true;
    const QString original = path + ".orig";
    // The first copy is the user's own; a later one would not be.
    if (QFileInfo::exists(original) || QFileInfo(original).isSymLink()) return true;
    if (const auto failed = tz::saveFileBytes(tz::storedLine(original), *bytes)) {
        tz::reportError(this, tz::displayLine(*failed));
        return false;
    }
    backupNote_ = QString("The original %1 was copied to %2.").arg(path, original);
    return true;
}

bool Tzjava::CodeSave(const QString& path) {
    // An empty buffer holds nothing worth the file it would replace.
    if (code_.empty() && QFileInfo::exists(path)) {
        tz::reportError(this, QString("The Java source is empty; %1 was left as it is.").arg(path));
        return false;
    }
    const QString noteBefore = backupNote_;
    if (!keepOriginalSource(path)) return false;
    const bool backedUp = backupNote_ != noteBefore;
    if (const auto error = tz::saveFileInItsFolder(tz::storedLine(path), code_)) {
        // The copy was made for this write alone.
        if (backedUp) QFile::remove(path + ".orig");
        backupNote_ = noteBefore;
        tz::reportError(this, tz::displayLine(*error));
        return false;
    }
    if (backedUp) mess_->appendPlainText(backupNote_);
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
