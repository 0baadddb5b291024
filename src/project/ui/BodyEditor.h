#pragma once
// The method-body editor of the main window, behind one seam so that its
// control can be exchanged without touching the window.
#include <QPlainTextEdit>

namespace tz {

using BodyEditor = QPlainTextEdit;

BodyEditor* createBodyEditor(QWidget* parent);

}  // namespace tz
