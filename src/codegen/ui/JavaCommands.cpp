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

namespace {

// path.orig, else the first of path.orig.1, path.orig.2, ... that is not
// taken: an older copy is never replaced.
QString freeBackupName(const QString& path) {
    const QString first = path + ".orig";
    QString name = first;
    for (int number = 1; QFileInfo::exists(name) || QFileInfo(name).isSymLink(); ++number)
        name = first + "." + QString::number(number);
    return name;
}

}  // namespace

bool Tzjava::keepOriginalSource(const QString& path, QString& copiedTo) {
    if (!QFileInfo::exists(path)) return true;
    std::string error;
    const auto bytes = tz::loadFileBytes(tz::storedLine(path), error);
    if (!bytes) {
        tz::reportError(this, tz::displayLine(error));
        return false;
    }
    // A file with markers was written here: generated again, nothing is lost.
    if (tz::firstLineMarker(*bytes)) return true;
    const QString original = freeBackupName(path);
    if (const auto failed = tz::saveFileBytes(tz::storedLine(original), *bytes)) {
        tz::reportError(this, tz::displayLine(*failed));
        return false;
    }
    backupNote_ = QString("The original %1 was copied to %2.").arg(path, original);
    copiedTo = original;
    return true;
}

bool Tzjava::CodeSave(const QString& path) {
    // A project saved under its source's name must not be written over.
    if (project().projectPath != tz::Project::Untitled &&
        tz::sameFile(tz::storedLine(path), project().projectPath)) {
        tz::reportError(this, QString("%1 is the project file; the Java source cannot be "
                                      "written over it. Save the project under another name.")
                                  .arg(path));
        return false;
    }
    // An empty buffer holds nothing worth the file it would replace.
    if (code_.empty() && QFileInfo::exists(path)) {
        tz::reportError(this, QString("The Java source is empty; %1 was left as it is.").arg(path));
        return false;
    }
    const QString noteBefore = backupNote_;
    QString copiedTo;
    if (!keepOriginalSource(path, copiedTo)) return false;
    const bool backedUp = !copiedTo.isEmpty();
    if (const auto error = tz::saveFileInItsFolder(tz::storedLine(path), code_)) {
        // The copy was made for this write alone.
        if (backedUp) QFile::remove(copiedTo);
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
    // The pictures are checked, and copied, beside the file being written.
    const std::string previous = project().javaSourcePath;
    project().javaSourcePath = tz::storedLine(path);
    if (CreateCode() && CodeSave(path)) return true;
    project().javaSourcePath = previous;
    return false;
}

bool Tzjava::Save1Click() {
    if (project().javaSourcePath == tz::Project::Untitled) {
        FileSaveasClick();
        return project().javaSourcePath != tz::Project::Untitled;
    }
    return CodeSave(tz::displayLine(project().javaSourcePath));
}
