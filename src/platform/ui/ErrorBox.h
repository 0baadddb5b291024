#pragma once
// The program's message and question boxes. In batch mode no window is
// shown: every text goes to standard error as one line, questions are
// answered No, and a message that reports a problem stops the run.
#include <QString>

class QWidget;

namespace tz {

// Thrown in batch mode by a message that reports a problem.
struct BatchStop {
    QString message;
};

void setBatchMode(bool on);
bool batchMode();

// A note the window shows elsewhere; in batch mode it goes to standard error
// and the run goes on.
void noteInBatch(const QString& note, const QString& file = {});
// The program-wide error report: a critical box with the text.
// file: the file the message is about when its text does not name it; in
// batch mode the line then starts with it.
void reportError(QWidget* parent, const QString& message, const QString& file = {});
// A plain message box with an OK button.
void showMessage(QWidget* parent, const QString& message, const QString& file = {});
// Questions proceed only on Yes.
bool askYesNo(QWidget* parent, const QString& question);
bool askYesNoCancel(QWidget* parent, const QString& question);

enum class Answer { Yes, No, Cancel };
// A question whose three answers lead three ways; No in batch mode.
Answer askYesNoCancelChoice(QWidget* parent, const QString& question);

}  // namespace tz
