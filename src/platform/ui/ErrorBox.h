#pragma once
// The program's message and question boxes.
#include <QString>

class QWidget;

namespace tz {

// The program-wide error report: a critical box with the text.
void reportError(QWidget* parent, const QString& message);
// A plain message box with an OK button.
void showMessage(QWidget* parent, const QString& message);
// Questions proceed only on Yes.
bool askYesNo(QWidget* parent, const QString& question);
bool askYesNoCancel(QWidget* parent, const QString& question);

enum class Answer { Yes, No, Cancel };
// A question whose three answers lead three ways.
Answer askYesNoCancelChoice(QWidget* parent, const QString& question);

}  // namespace tz
