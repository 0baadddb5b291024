#include "testhelpers.h"

#include <sys/stat.h>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>

#include "app/MainWindow.h"

StartedProgram::StartedProgram(const QString& iniText) {
    if (!iniText.isNull()) writeFile(settingsPath(), iniText.toUtf8());
    program = std::make_unique<Program>(directory.path() + "/", settingsPath());
    program->show();
    QVERIFY(QTest::qWaitForWindowActive(&program->mainWindow()));
}

QString StartedProgram::settingsPath() const {
    return directory.filePath("tarjava.ini");
}

tz::Project& StartedProgram::project() {
    program->document().takePendingEdits();
    return program->document().project();
}

bool StartedProgram::hasUnsavedChanges() {
    program->document().takePendingEdits();
    return program->document().isModified();
}

QStringList answerMessageBoxes(const std::function<void()>& action, int button) {
    QStringList texts;
    // Closes each box as soon as the event loop of its exec() runs.
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        texts << box->text();
        box->done(button);
    });
    watcher.start(0);
    action();
    return texts;
}

void whileModal(const std::function<void()>& open, const std::function<void(QDialog*)>& handler) {
    bool handled = false;
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible()) return;
        watcher.stop();
        handled = true;
        handler(dialog);
        if (dialog->isVisible()) dialog->reject();
    });
    watcher.start(0);
    open();
    QVERIFY2(handled, "no modal dialog was shown");
}

QString answerFileDialog(const std::function<void()>& open, const QString& path) {
    QString name;
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible()) return;
        watcher.stop();
        name = dialog->objectName();
        if (path.isEmpty()) {
            dialog->reject();
            return;
        }
        dialog->findChild<QLineEdit*>("fileNameEdit")->setText(path);
        static_cast<QDialog*>(dialog)->accept();
    });
    watcher.start(0);
    open();
    return name;
}

QAction* commandAction(const char* name) {
    for (QWidget* window : QApplication::topLevelWidgets())
        if (auto* mainWindow = qobject_cast<MainWindow*>(window))
            if (auto* action = mainWindow->findChild<QAction*>(name)) return action;
    qFatal("The main window has no command named %s", name);
}

void triggerCommand(const char* name) {
    QAction* action = commandAction(name);
    QVERIFY2(action->isEnabled(), name);
    action->trigger();
}

QByteArray readBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return QByteArray();
    return file.readAll();
}

QString readFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return QString();
    return QString::fromUtf8(file.readAll());
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

void makeFifo(const QString& path) {
    QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
}

bool isFifo(const QString& path) {
    struct stat status {};
    return lstat(QFile::encodeName(path).constData(), &status) == 0 && S_ISFIFO(status.st_mode);
}
