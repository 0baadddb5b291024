// The main window's Java source commands: generate, save and export.
#include <QFileInfo>
#include <QPlainTextEdit>

#include "codegen/CodeGenerator.h"
#include "designer/ui/DesignWindow.h"
#include "platform/SafeFile.h"
#include "platform/TextBytes.h"
#include "platform/ui/BusyCursor.h"
#include "platform/ui/ErrorBox.h"
#include "project/ui/MainWindow.h"
#include "settings/ui/ProjectOptionsDialog.h"

bool MainWindow::generateJava() {
    setMessages(tz::GeneratingMessage);
    storePendingBody();
    tz::Outcome generated;
    {
        tz::BusyCursor busy;
        generated = document_.generate([this](const std::string& question) {
            return tz::askYesNo(this, tz::displayLine(question));
        });
    }
    if (generated.ok()) setMessages(tz::GeneratedMessage);
    // After the paint declaration message the callers go on with the partial source.
    return showOutcome(generated) || generated.kind == tz::Outcome::Kind::Message;
}

void MainWindow::generateCode() {
    generateJava();
}

bool MainWindow::writeJavaSource(const QString& path) {
    return showOutcome(document_.writeSource(path));
}

QString MainWindow::chooseJavaFile(QFileDialog::AcceptMode mode) {
    return chooseFile(mode, mode == QFileDialog::AcceptOpen ? "open" : "save",
                      {"Java Source Code (*.java)", "Text Files (*.txt)"}, "java");
}

void MainWindow::exportJava() {
    const QString path = chooseJavaFile(QFileDialog::AcceptSave);
    if (path.isEmpty()) return;
    if (!mayOverwrite(path)) return;
    exportJava(path);
}

bool MainWindow::exportJava(const QString& path) {
    return document_.exportJava(
        path, [this] { return generateJava(); },
        [this](const tz::Outcome& outcome) { return showOutcome(outcome); });
}

bool MainWindow::saveJavaSource() {
    if (project().javaSourcePath == tz::Project::Untitled) {
        exportJava();
        return project().javaSourcePath != tz::Project::Untitled;
    }
    return writeJavaSource(tz::displayLine(project().javaSourcePath));
}
