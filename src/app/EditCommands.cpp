#include "app/EditCommands.h"

#include <QAction>
#include <QApplication>
#include <QUndoStack>
#include <QWidget>
#include <QWindow>

#include "app/CommandAction.h"
#include "app/CommandView.h"
#include "designer/ui/ObjectClipboard.h"
#include "document/ProjectDocument.h"
#include "platform/ui/PasteGuard.h"

namespace {

// "&Undo" or "&Undo Move JButton0": the step's name, its '&' no mnemonic.
QString stepItemText(const QString& command, const QString& step) {
    return (command + ' ' + QString(step).replace('&', "&&")).trimmed();
}

}  // namespace

EditCommands::EditCommands(CommandView& view, tz::ProjectDocument& document, QUndoStack& history,
                           tz::ObjectClipboard& objects, std::function<bool()> designWindowActive,
                           QWidget* window)
    : QObject(window),
      view_(view),
      document_(document),
      history_(history),
      objects_(objects),
      designWindowActive_(std::move(designWindowActive)),
      actions_{
          .undo = addCommandAction(
              this, "Undo1", "&Undo", [this] { undo(); }, QKeySequence("Ctrl+Z")),
          .redo = addCommandAction(
              this, "Redo1", "&Redo", [this] { redo(); }, QKeySequence("Ctrl+Shift+Z")),
          .cut = addCommandAction(
              this, "Cut1", "Cu&t", [this] { onObjectsOrEditor(&tz::ObjectClipboard::cut, "cut"); },
              QKeySequence("Ctrl+X")),
          .copy = addCommandAction(
              this, "Copy1", "&Copy",
              [this] { onObjectsOrEditor(&tz::ObjectClipboard::copy, "copy"); },
              QKeySequence("Ctrl+C")),
          .paste = addCommandAction(
              this, "Paste1", "&Paste", [this] { paste(); }, QKeySequence("Ctrl+V")),
          .duplicate = addCommandAction(
              this, "Duplicate1", "&Duplicate", [this] { objects_.duplicate(); },
              QKeySequence("Ctrl+D"))} {
    actions_.redo->setShortcuts({QKeySequence("Ctrl+Shift+Z"), QKeySequence("Ctrl+Y")});
    connect(&history_, &QUndoStack::indexChanged, this, &EditCommands::showSteps);
    connect(&history_, &QUndoStack::cleanChanged, this, &EditCommands::showSteps);
    connect(qApp, &QApplication::focusChanged, this, &EditCommands::showSteps);
    connect(qApp, &QGuiApplication::focusWindowChanged, this, &EditCommands::enableDuplicate);
    connect(&document_.design(), &tz::DesignModel::currentObjectChanged, this,
            &EditCommands::enableDuplicate);
    connect(&document_.design(), &tz::DesignModel::modelReset, this,
            &EditCommands::enableDuplicate);
    showSteps();
    enableDuplicate();
}

void EditCommands::callFocusedEditor(const char* editorSlot) {
    if (QWidget* editor = view_.focusedEditor()) QMetaObject::invokeMethod(editor, editorSlot);
}

void EditCommands::onObjectsOrEditor(void (tz::ObjectClipboard::*command)(),
                                     const char* editorSlot) {
    if (!view_.focusedEditor() && designWindowActive_()) return (objects_.*command)();
    callFocusedEditor(editorSlot);
}

void EditCommands::paste() {
    if (tz::clipboardHoldsData()) onObjectsOrEditor(&tz::ObjectClipboard::paste, "paste");
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

void EditCommands::enableDuplicate() {
    actions_.duplicate->setEnabled(designWindowActive_() && objects_.hasSelection());
}
