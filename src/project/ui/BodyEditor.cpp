#include "project/ui/BodyEditor.h"

#include <QFontDatabase>

namespace tz {

BodyEditor* createBodyEditor(QWidget* parent) {
    auto* editor = new BodyEditor(parent);
    editor->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    editor->setLineWrapMode(QPlainTextEdit::NoWrap);
    editor->setTabChangesFocus(false);
    return editor;
}

}  // namespace tz
