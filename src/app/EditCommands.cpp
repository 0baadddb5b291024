#include "app/EditCommands.h"

#include <QWidget>

#include "app/CommandAction.h"
#include "app/CommandView.h"
#include "platform/ui/PasteGuard.h"

EditCommands::EditCommands(CommandView& view, QWidget* window)
    : QObject(window),
      view_(view),
      actions_{
          .cut = addCommandAction(
              this, "Cut1", "Cut", [this] { callFocusedEditor("cut"); }, QKeySequence("Ctrl+X")),
          .copy = addCommandAction(
              this, "Copy1", "Copy", [this] { callFocusedEditor("copy"); }, QKeySequence("Ctrl+C")),
          .paste = addCommandAction(
              this, "Paste1", "Paste", [this] { paste(); }, QKeySequence("Ctrl+V"))} {}

void EditCommands::callFocusedEditor(const char* editorSlot) {
    if (QWidget* editor = view_.focusedEditor()) QMetaObject::invokeMethod(editor, editorSlot);
}

void EditCommands::paste() {
    if (tz::clipboardHoldsData()) callFocusedEditor("paste");
}
