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
#include "project/ui/Tzjava.h"

void Tzjava::Open1Click() {
    if (!askToSaveChanges()) return;
    const QString path = chooseJavaFile(QFileDialog::AcceptOpen);
    if (!path.isEmpty()) importJava(path);
}

bool Tzjava::importJava(const QString& path) {
    storePendingBody();
    const QString statusBefore = status_->text();
    tz::ImportOutcome imported;
    {
        tz::BusyCursor busy;
        imported = document_.importJava(
            path, {.linesRead =
                       [this, &path](std::size_t lines) {
                           showStatus(QString("%1 Lines: %2").arg(path).arg(lines));
                           status_->repaint();
                       },
                   .scanStarting = [this] { showScanPanel(); },
                   .scanned = scanProgress()});
        respanel_->hide();
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
    UpdateTab(0, 0);
    showCaption();
    return true;
}

void Tzjava::showScanPanel() {
    auto* bar = respanel_->findChild<QProgressBar*>("resbar");
    bar->setRange(0, int(std::min<std::size_t>(document_.source().size(), INT_MAX)));
    bar->setValue(0);
    centrePanels();
    respanel_->raise();
    respanel_->show();
    respanel_->repaint();
}

tz::ScanProgress Tzjava::scanProgress() {
    return [this](std::size_t position, std::size_t) {
        respanel_->findChild<QProgressBar*>("resbar")->setValue(
            int(std::min<std::size_t>(position, INT_MAX)));
        respanel_->repaint();
    };
}

bool Tzjava::showScanOutcome(const tz::Outcome& outcome,
                             const std::vector<tz::ScanTreeItem>& treeItems) {
    if (!outcome.ok()) return showOutcome(outcome);
    showScanTree(treeItems);
    if (outcome.kind == tz::Outcome::Kind::Note) showMess(outcome.message);
    return true;
}

QWidget* Tzjava::focusedEditor() const {
    if (this_->hasFocus()) return this_;
    if (spec_->hasFocus()) return spec_;
    return nullptr;
}

// Both editors have the slots cut(), copy() and paste().
void Tzjava::Cut1Click() {
    if (QWidget* editor = focusedEditor()) QMetaObject::invokeMethod(editor, "cut");
}

void Tzjava::Copy1Click() {
    if (QWidget* editor = focusedEditor()) QMetaObject::invokeMethod(editor, "copy");
}

void Tzjava::Paste1Click() {
    QWidget* editor = focusedEditor();
    if (editor && tz::clipboardHoldsData()) QMetaObject::invokeMethod(editor, "paste");
}
