#pragma once
// Shared test fixtures: a started program in a temporary program directory,
// and answering the message boxes a command shows.
#include <QString>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <memory>

#include "app/Program.h"

class QAction;
class QDialog;
class QTreeWidgetItem;

struct StartedProgram {
    explicit StartedProgram(const QString& iniText = QString());
    QString settingsPath() const;
    // The project and whether it differs from the saved one, with the
    // editors' pending edits in, as a command reads them.
    tz::Project& project();
    bool hasUnsavedChanges();

    QTemporaryDir directory;
    std::unique_ptr<Program> program;
};

// Runs action; every message box it opens is closed by pressing button
// (for example QMessageBox::Ok); returns the texts of the boxes, in order.
QStringList answerMessageBoxes(const std::function<void()>& action, int button);

// Runs open; the first modal dialog it shows is handed to handler, from the
// dialog's own event loop. A dialog the handler leaves open is rejected.
void whileModal(const std::function<void()>& open, const std::function<void(QDialog*)>& handler);

// Runs open; the first file dialog it shows gets path in its file name
// field and is accepted, or is cancelled when path is empty. Returns the
// dialog's object name, empty when no file dialog was shown.
QString answerFileDialog(const std::function<void()>& open, const QString& path);

// The main window's command of that object name; an unknown name ends the run.
QAction* commandAction(const char* name);
// Triggers the main window's command of that object name.
void triggerCommand(const char* name);

QString readFile(const QString& path);
QByteArray readBytes(const QString& path);
void writeFile(const QString& path, const QByteArray& bytes);
// A named pipe: opening it waits for the other end.
void makeFifo(const QString& path);
bool isFifo(const QString& path);

// Byte texts shown readably when a comparison fails.
namespace QTest {
template <>
inline char* toString(const std::string& text) {
    return toPrettyCString(text.data(), qsizetype(text.size()));
}
}  // namespace QTest
