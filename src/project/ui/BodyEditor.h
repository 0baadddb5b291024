#pragma once
// The method-body editor of the main window, behind one seam so that its
// control can be exchanged without touching the window.
#include "controls/ui/KeywordEditor.h"

namespace tz {

using BodyEditor = KeywordEditor;

// The Java keywords the body editor colours, in list order.
const QStringList& javaKeywords();

BodyEditor* createBodyEditor(QWidget* parent);

}  // namespace tz
