#pragma once
#include <QString>

class QWidget;

namespace tz {

// The program-wide error report: a critical message box with the text.
void reportError(QWidget* parent, const QString& message);

}  // namespace tz
