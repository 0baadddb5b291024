// The main window's Java import, the restructuring of the project from the
// source buffer, and the edit commands on the focused editor.
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <algorithm>
#include <climits>

#include "platform/TextBytes.h"
#include "platform/ui/BusyCursor.h"
#include "platform/ui/ErrorBox.h"
#include "platform/ui/PasteGuard.h"
#include "project/ui/ClassTreeView.h"
#include "project/ui/MainWindow.h"

void MainWindow::importJava() {
    if (!askToSaveChanges()) return;
    const QString path = chooseJavaFile(QFileDialog::AcceptOpen);
    if (!path.isEmpty()) importJava(path);
}

bool MainWindow::importJava(const QString& path) {
    storePendingBody();
    const QString statusBefore = statusLabel_->text();
    tz::ImportOutcome imported;
    {
        tz::BusyCursor busy;
        imported = document_.importJava(
            path, {.linesRead =
                       [this, &path](std::size_t lines) {
                           showStatus(QString("%1 Lines: %2").arg(path).arg(lines));
                           statusLabel_->repaint();
                       },
                   .scanStarting = [this] { showScanPanel(); },
                   .scanned = scanProgress()});
        restructuringPanel_->hide();
    }
    if (!showScanOutcome(imported.outcome, imported.treeItems)) {
        showStatus(statusBefore);
        return false;
    }
    if (imported.outcome.kind == tz::Outcome::Kind::Note)
        showStatus(QString("%1 Lines: %2 - %3")
                       .arg(path)
                       .arg(imported.lines)
                       .arg(imported.outcome.message));
    showMethodTabs(0, 0);
    showCaption();
    return true;
}

void MainWindow::showScanPanel() {
    auto* bar = restructuringPanel_->findChild<QProgressBar*>("resbar");
    bar->setRange(0, int(std::min<std::size_t>(document_.source().size(), INT_MAX)));
    bar->setValue(0);
    centrePanels();
    restructuringPanel_->raise();
    restructuringPanel_->show();
    restructuringPanel_->repaint();
}

tz::ScanProgress MainWindow::scanProgress() {
    return [this](std::size_t position, std::size_t) {
        restructuringPanel_->findChild<QProgressBar*>("resbar")->setValue(
            int(std::min<std::size_t>(position, INT_MAX)));
        restructuringPanel_->repaint();
    };
}

bool MainWindow::showScanOutcome(const tz::Outcome& outcome,
                                 const std::vector<tz::ScanTreeItem>& treeItems) {
    if (!outcome.ok()) return showOutcome(outcome);
    classTree_->showScannedItems(treeItems);
    if (outcome.kind == tz::Outcome::Kind::Note) setMessages(outcome.message);
    return true;
}

QWidget* MainWindow::focusedEditor() const {
    if (bodyEditor_->hasFocus()) return bodyEditor_;
    if (declarationEdit_->hasFocus()) return declarationEdit_;
    return nullptr;
}

// Both editors have the slots cut(), copy() and paste().
void MainWindow::cutSelection() {
    if (QWidget* editor = focusedEditor()) QMetaObject::invokeMethod(editor, "cut");
}

void MainWindow::copySelection() {
    if (QWidget* editor = focusedEditor()) QMetaObject::invokeMethod(editor, "copy");
}

void MainWindow::pasteClipboard() {
    QWidget* editor = focusedEditor();
    if (editor && tz::clipboardHoldsData()) QMetaObject::invokeMethod(editor, "paste");
}
