#include <QTimer>
#include <QtTest>

#include "toolchain/ProcessRunner.h"

class ProcessRunnerTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void returnsTheExitCodeWhileEventsGoOn() {
        bool eventHandled = false;
        QTimer::singleShot(0, [&] { eventHandled = true; });
        QTemporaryDir folder;
        const auto code = tz::runAndWait(
            "/bin/sh", {"-c", "pwd > where.txt; read line < where.txt; exit 3"}, folder.path(), {});
        QCOMPARE(code, std::optional<int>(3));
        QVERIFY(eventHandled);
        QVERIFY(QFile::exists(folder.filePath("where.txt")));
    }

    void programThatCannotStart() {
        QCOMPARE(tz::runAndWait("/nonexistent/program", {}, QDir::tempPath(), {}),
                 std::optional<int>(-1));
    }
};

QTEST_GUILESS_MAIN(ProcessRunnerTest)
#include "tst_processrunner.moc"
