#pragma once
// Fixtures of the compile and preview tests: a started program whose
// java/bin holds the real compiler layer and recording stand-ins for the
// programs that are started and not waited for.
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTimer>
#include <QtTest>

#include "app/BuildCommands.h"
#include "app/FileCommands.h"
#include "app/MainWindow.h"
#include "testhelpers.h"

namespace buildtests {

// A program that writes its working directory and arguments, one a line,
// into the log named, beside itself.
inline void writeRecorder(const QString& path, const QString& logName) {
    writeFile(path, ("#!/bin/sh\nlog=\"$(dirname \"$0\")/" + logName +
                     "\"\npwd > \"$log.part\"\nprintf '%s\\n' \"$@\" >> \"$log.part\"\n"
                     "mv \"$log.part\" \"$log\"\n")
                        .toUtf8());
    QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner);
}

// The lines a recorder wrote, once it has run.
inline QStringList recorded(const QString& logPath) {
    if (!QTest::qWaitFor([&] { return QFile::exists(logPath); }, 20000)) return {};
    return readFile(logPath).split('\n', Qt::SkipEmptyParts);
}

struct BuildProgram {
    explicit BuildProgram(const QString& iniText = QString())
        : started(iniText), mainWindow(started.program->mainWindow()), bin(inProgram("java/bin")) {
        QDir().mkpath(bin);
        for (const char* name : {"javac", "javac.pif", "jar", "appletviewer.jar"})
            QFile::link(QStringLiteral(TZ_JAVA_BIN_DIR) + "/" + name, bin + "/" + name);
        writeRecorder(bin + "/appletviewer", "viewer.log");
        writeRecorder(inProgram("ext.pif"), "ext.log");
    }
    QString inProgram(const QString& name) const { return started.directory.filePath(name); }
    void trigger(const char* action) { commandAction(action)->trigger(); }
    // A short-cut key, pressed once the main window is active again.
    void key(Qt::Key key) {
        mainWindow.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&mainWindow));
        QTest::keyClick(&mainWindow, key);
    }
    QString mess() const { return mainWindow.findChild<QPlainTextEdit*>("mess")->toPlainText(); }

    // Save Project As, answering its file dialog with path.
    void saveProjectAs(const QString& path) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        whileModal([&] { trigger("SaveProjectAs1"); },
                   [&](QDialog* shown) {
                       auto* name = shown->findChild<QLineEdit*>("fileNameEdit");
                       QVERIFY(name);
                       name->setText(path);
                       QTest::keyClick(name, Qt::Key_Return);
                   });
        QCOMPARE(QString::fromStdString(started.project().projectPath), path);
    }

    StartedProgram started;
    MainWindow& mainWindow;
    QString bin;
};

// The compile service's socket in this test's runtime folder.
inline QString compileServiceSocket() {
    return qEnvironmentVariable("XDG_RUNTIME_DIR") + "/tzjava/compile.sock";
}

inline sockaddr_un socketAddress(const QString& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray bytes = QFile::encodeName(path);
    std::copy(bytes.begin(), bytes.end(), address.sun_path);
    return address;
}

// Sends request to the compile service, ends the sending side and returns
// the whole reply; empty or cut when no service answers within 30 s.
inline QByteArray askCompileService(const QByteArray& request) {
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address = socketAddress(compileServiceSocket());
    // A stopped service must not hold the test up.
    const timeval patience{30, 0};
    setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &patience, sizeof patience);
    QByteArray reply;
    if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        send(fd, request.constData(), size_t(request.size()), MSG_NOSIGNAL) == request.size()) {
        shutdown(fd, SHUT_WR);
        char buffer[4096];
        for (ssize_t got; (got = read(fd, buffer, sizeof buffer)) > 0;) reply.append(buffer, got);
    }
    close(fd);
    return reply;
}

// The service's report of itself: pid, rss-kb, compiles; empty when none answers.
inline QMap<QString, QString> compileServiceState() {
    const QByteArray reply = askCompileService("TZS1");
    QMap<QString, QString> state;
    if (!reply.startsWith('S')) return state;
    for (const QString& field : QString::fromUtf8(reply.mid(5)).split(' ', Qt::SkipEmptyParts))
        state[field.section('=', 0, 0)] = field.section('=', 1).trimmed();
    return state;
}

inline int servedCompiles() {
    return compileServiceState().value("compiles", "-1").toInt();
}

// Runs action; message boxes are answered OK and file dialogs cancelled.
// Returns, in order, the texts of the boxes and "file dialog <name>".
inline QStringList dialogsDuring(const std::function<void()>& action) {
    QStringList shown;
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            shown << box->text();
            box->done(QMessageBox::Ok);
        } else if (auto* files = qobject_cast<QFileDialog*>(modal)) {
            shown << "file dialog " + files->objectName();
            files->reject();
        }
    });
    watcher.start(0);
    action();
    return shown;
}

}  // namespace buildtests
