// The main window's Java import, the restructuring of the project from the
// source buffer, and the edit commands on the focused editor.
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <algorithm>
#include <climits>
#include <optional>
#include <utility>

#include "platform/SafeFile.h"
#include "platform/TextBytes.h"
#include "platform/ui/BusyCursor.h"
#include "platform/ui/ErrorBox.h"
#include "platform/ui/PasteGuard.h"
#include "project/ProjectFileLines.h"
#include "project/ui/Tzjava.h"

namespace {

// How often a long loop redraws what it shows.
constexpr qint64 RedrawMilliseconds = 16;

}  // namespace

void Tzjava::Open1Click() {
    if (!askToSaveChanges()) return;
    const QString path = chooseJavaFile(QFileDialog::AcceptOpen);
    if (!path.isEmpty()) importJava(path);
}

bool Tzjava::importJava(const QString& path) {
    std::string error;
    const auto bytes = tz::loadFileBytes(tz::storedLine(path), error);
    if (!bytes) {
        tz::reportError(this, tz::displayLine(error));
        return false;
    }
    const tz::Project before = project();
    std::string sourceBefore = std::move(code_);
    tz::SourceLineMap linesBefore = std::exchange(codeLines_, {});
    const QString statusBefore = status_->text();

    project().projectPath = tz::Project::Untitled;
    code_.clear();
    code_.reserve(bytes->size() + bytes->size() / 8);
    // Every line ends in CR LF, whatever ended it in the file: CR LF, LF or CR.
    std::size_t lines = 0;
    QElapsedTimer sinceRedraw;
    sinceRedraw.start();
    tz::LineStream stream(*bytes);
    while (const auto line = stream.next()) {
        (code_ += *line) += "\r\n";
        ++lines;
        if (stream.position() >= bytes->size() || sinceRedraw.elapsed() >= RedrawMilliseconds) {
            showStatus(QString("%1 Lines: %2").arg(path).arg(lines));
            status_->repaint();
            sinceRedraw.restart();
        }
    }
    project().javaSourcePath = tz::storedLine(path);

    const auto endedEarly = restructure(path);
    if (!endedEarly) {
        project() = before;
        code_ = std::move(sourceBefore);
        codeLines_ = std::move(linesBefore);
        showStatus(statusBefore);
        return false;
    }
    if (!endedEarly->isEmpty())
        showStatus(QString("%1 Lines: %2 - %3").arg(path).arg(lines).arg(*endedEarly));
    project().currentClass = tz::Project::ImportsEntry;
    // Nothing compiled from an earlier source may run.
    project().compileFailed = true;
    UpdateTab(0, 0);
    showCaption();
    return true;
}

std::optional<QString> Tzjava::restructure(const QString& sourceFile) {
    tz::ScanResult result;
    {
        tz::BusyCursor busy;
        auto* bar = respanel_->findChild<QProgressBar*>("resbar");
        bar->setRange(0, int(std::min<std::size_t>(code_.size(), INT_MAX)));
        bar->setValue(0);
        centrePanels();
        respanel_->raise();
        respanel_->show();
        respanel_->repaint();
        result = tz::UpdateCode(project(), code_, [this, bar](std::size_t position, std::size_t) {
            bar->setValue(int(std::min<std::size_t>(position, INT_MAX)));
            respanel_->repaint();
        });
        respanel_->hide();
    }
    if (!result.ok) {
        tz::showMessage(this, tz::displayLine(result.message), sourceFile);
        return std::nullopt;
    }
    showScanTree(result.treeItems);
    const QString endedEarly = tz::displayLine(result.endedEarly);
    if (!endedEarly.isEmpty()) {
        showMess(endedEarly);
        tz::noteInBatch(endedEarly, sourceFile);
    }
    return endedEarly;
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
