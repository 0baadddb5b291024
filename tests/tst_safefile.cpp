#include <sys/resource.h>
#include <unistd.h>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>

#include "platform/SafeFile.h"
#include "testhelpers.h"

using namespace tz;

namespace {

// Writes beyond limit bytes fail with EFBIG while the object lives.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t limit) {
        getrlimit(RLIMIT_FSIZE, &before_);
        signalBefore_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = before_;
        lowered.rlim_cur = limit;
        setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &before_);
        std::signal(SIGXFSZ, signalBefore_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  private:
    rlimit before_{};
    void (*signalBefore_)(int) = nullptr;
};

}  // namespace

class SafeFileTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void failedWriteKeepsTheOldFileAndSaysWhy() {
        QTemporaryDir folder;
        const QString path = folder.filePath("Old.java");
        writeFile(path, "the old source");
        std::optional<std::string> error;
        {
            FileSizeLimit limit(4096);
            error = saveFileBytes(path.toStdString(), std::string(100000, 'x'));
        }
        QVERIFY(error);
        QCOMPARE(*error, "Unable to write to " + path.toStdString() + ": File too large");
        QCOMPARE(readBytes(path), QByteArray("the old source"));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList("Old.java"));
        {  // held in the buffer until the end, and refused all the same
            FileSizeLimit limit(0);
            QCOMPARE(saveFileBytes(path.toStdString(), "tiny"), error);
        }
        QCOMPARE(readBytes(path), QByteArray("the old source"));
    }

    void onlyRegularFilesAreOpened() {
        QTemporaryDir folder;
        const QString fifo = folder.filePath("pipe");
        makeFifo(fifo);
        std::string error;
        QVERIFY(!loadFileBytes(fifo.toStdString(), error));  // at once, no writer needed
        QCOMPARE(error, "Cannot open file " + fifo.toStdString() + ". Not a regular file");
        QCOMPARE(saveFileBytes(fifo.toStdString(), "x"),
                 "Unable to write to " + fifo.toStdString() + ": Not a regular file");
        QVERIFY(isFifo(fifo));
        QVERIFY(saveFileBytes(folder.path().toStdString(), "x"));

        // A link to a regular file is written through, and stays a link.
        const QString target = folder.filePath("target.java");
        const QString link = folder.filePath("link.java");
        writeFile(target, "old");
        QVERIFY(QFile::link(target, link));
        QCOMPARE(saveFileBytes(link.toStdString(), "new"), std::nullopt);
        QCOMPARE(readBytes(target), QByteArray("new"));
        QVERIFY(QFileInfo(link).isSymLink());

        // A file the user made read-only is not replaced behind its back.
        if (geteuid() != 0) {
            QVERIFY(QFile::setPermissions(target, QFile::ReadOwner));
            QVERIFY(saveFileBytes(target.toStdString(), "newer"));
            QCOMPARE(readBytes(target), QByteArray("new"));
        }
    }

    void sameFileByInodeOrPath() {
        QTemporaryDir folder;
        const QString file = folder.filePath("A.java");
        writeFile(file, "a");
        writeFile(folder.filePath("B.java"), "a");
        QVERIFY(QFile::link(file, folder.filePath("link.java")));
        QCOMPARE(::link(QFile::encodeName(file).constData(),
                        QFile::encodeName(folder.filePath("hard.java")).constData()),
                 0);
        const std::string a = file.toStdString();
        QVERIFY(sameFile(a, folder.filePath("link.java").toStdString()));
        QVERIFY(sameFile(a, folder.filePath("hard.java").toStdString()));
        QVERIFY(sameFile(a, folder.filePath("x/../A.java").toStdString()));
        QVERIFY(!sameFile(a, folder.filePath("B.java").toStdString()));
        QVERIFY(!sameFile(a, folder.filePath("missing.java").toStdString()));
    }
};

QTEST_MAIN(SafeFileTest)
#include "tst_safefile.moc"
