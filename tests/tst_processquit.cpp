// A quit request ends every event loop for good, so this runs on its own.
#include <signal.h>

#include <QScopeGuard>
#include <QTimer>
#include <QtTest>

#include "testhelpers.h"
#include "toolchain/ProcessRunner.h"

namespace {

// Gone, or dead and waiting to be reaped by whoever adopted it.
bool ended(const QString& pid) {
    QFile stat("/proc/" + pid + "/stat");
    if (!stat.open(QIODevice::ReadOnly)) return true;
    const QByteArray fields = stat.readAll();
    return fields.mid(fields.lastIndexOf(')') + 2, 1) == "Z";
}

}  // namespace

class ProcessQuitTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void quitRequestEndsTheWholeProcessTree() {
        QTemporaryDir folder;
        // Quit once the child has started a grandchild, as a batch starts the compiler.
        QTimer poll;
        connect(&poll, &QTimer::timeout, [&] {
            if (QFile::exists(folder.filePath("child.pid"))) QCoreApplication::exit(0);
        });
        poll.start(10);
        const auto code = tz::runAndWait(
            "/bin/sh", {"-c", "sleep 300 & echo $! > child.part; mv child.part child.pid; wait"},
            folder.path(), {});
        QVERIFY(!code.has_value());
        const QString grandchild = readFile(folder.filePath("child.pid")).trimmed();
        QVERIFY(!grandchild.isEmpty());
        // A failure must not leave it behind.
        const auto reap = qScopeGuard([&] {
            if (!ended(grandchild)) ::kill(grandchild.toInt(), SIGKILL);
        });
        QVERIFY2(QTest::qWaitFor([&] { return ended(grandchild); }, 20000),
                 qPrintable("process " + grandchild + " lives on"));
    }
};

QTEST_GUILESS_MAIN(ProcessQuitTest)
#include "tst_processquit.moc"
