#include "app/EditCommands.h"

#include <QAction>
#include <QApplication>
#include <QUndoStack>
#include <QWidget>

#include "app/CommandAction.h"
#include "app/CommandView.h"
#include "document/ProjectDocument.h"
#include "platform/ui/PasteGuard.h"

namespace {

// "&Undo" or "&Undo Move JButton0": the step's name, its '&' no mnemonic.
QString stepItemText(const QString& command, const QString& step) {
    return (command + ' ' + QString(step).replace('&', "&&")).trimmed();
}

}  // namespace

EditCommands::EditCommands(CommandView& view, tz::ProjectDocument& document, QUndoStack& history,
                           QWidget* window)
    : QObject(window),
      view_(view),
      document_(document),
      history_(history),
      actions_{
          .undo = addCommandAction(
              this, "Undo1", "&Undo", [this] { undo(); }, QKeySequence("Ctrl+Z")),
          .redo = addCommandAction(
              this, "Redo1", "&Redo", [this] { redo(); }, QKeySequence("Ctrl+Shift+Z")),
          .cut = addCommandAction(
              this, "Cut1", "Cu&t", [this] { callFocusedEditor("cut"); }, QKeySequence("Ctrl+X")),
          .copy = addCommandAction(
              this, "Copy1", "&Copy", [this] { callFocusedEditor("copy"); },
              QKeySequence("Ctrl+C")),
          .paste = addCommandAction(
              this, "Paste1", "&Paste", [this] { paste(); }, QKeySequence("Ctrl+V"))} {
    actions_.redo->setShortcuts({QKeySequence("Ctrl+Shift+Z"), QKeySequence("Ctrl+Y")});
    connect(&history_, &QUndoStack::indexChanged, this, &EditCommands::showSteps);
    connect(&history_, &QUndoStack::cleanChanged, this, &EditCommands::showSteps);
    connect(qApp, &QApplication::focusChanged, this, &EditCommands::showSteps);
    showSteps();
}

void EditCommands::callFocusedEditor(const char* editorSlot) {
    if (QWidget* editor = view_.focusedEditor()) QMetaObject::invokeMethod(editor, editorSlot);
}

void EditCommands::paste() {
    if (tz::clipboardHoldsData()) callFocusedEditor("paste");
}

void EditCommands::undo() {
    if (view_.focusedEditor()) return callFocusedEditor("undo");
    // The body typed last belongs to the slot shown before the step.
    document_.takePendingEdits();
    history_.undo();
}

void EditCommands::redo() {
    if (view_.focusedEditor()) return callFocusedEditor("redo");
    document_.takePendingEdits();
    history_.redo();
}

void EditCommands::showSteps() {
    const bool editing = view_.focusedEditor() != nullptr;
    actions_.undo->setText(stepItemText("&Undo", editing ? QString() : history_.undoText()));
    actions_.redo->setText(stepItemText("&Redo", editing ? QString() : history_.redoText()));
    actions_.undo->setEnabled(editing || history_.canUndo());
    actions_.redo->setEnabled(editing || history_.canRedo());
}
