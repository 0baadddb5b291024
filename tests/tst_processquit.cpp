// A quit request ends every event loop for good, so this runs on its own.
#include <QTimer>
#include <QtTest>

#include "build/ProcessRunner.h"

class ProcessQuitTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void quitRequestEndsTheWait() {
        QTemporaryDir folder;
        QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
        const auto code = tz::WinExecAndWait("/bin/sh", {"-c", "exec sleep 30"},
                                             folder.path(), {});
        QVERIFY(!code.has_value());
    }
};

QTEST_GUILESS_MAIN(ProcessQuitTest)
#include "tst_processquit.moc"
