#include <QTemporaryDir>
#include <QtTest>

#include "platform/ProfileFile.h"
#include "testhelpers.h"

using tz::ProfileFile;

class ProfileFileTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void readsFirstSectionAndKeyWithoutRegardToCase() {
        const auto profile = ProfileFile::fromBytes(
            "[main]\r\nBrowser = /usr/bin/first \r\nbrowser=/second\r\n"
            "[MAIN]\r\nbrowser=/third\r\n");
        QCOMPARE(profile.readString("Main", "BROWSER", "x"), std::string("/usr/bin/first"));
    }

    void emptyValueIsNotMissing() {
        const auto profile = ProfileFile::fromBytes("[Main]\r\nBrowser=\r\n");
        QCOMPARE(profile.readString("Main", "Browser", "default"), std::string());
        QCOMPARE(profile.readString("Main", "Compiler", "default"), std::string("default"));
        QCOMPARE(profile.readString("Other", "Browser", "default"), std::string("default"));
    }

    void keysOfLaterSectionsAreNotTaken() {
        const auto profile = ProfileFile::fromBytes("[A]\nx=1\n[B]\ny=2\n");
        QCOMPARE(profile.readInt("A", "y", 7), 7);
        QCOMPARE(profile.readInt("B", "y", 7), 2);
    }

    void readsIntegersDecimalAndHex() {
        const auto profile = ProfileFile::fromBytes(
            "[W]\nhex=0x64\nHEX=0X1f\nneg=-12\nword=abc\ntail=12abc\nbare=0x\nhuge=99999999999\n");
        QCOMPARE(profile.readInt("W", "hex", 0), 100);
        QCOMPARE(profile.readInt("W", "neg", 0), -12);
        QCOMPARE(profile.readInt("W", "word", 5), 5);
        QCOMPARE(profile.readInt("W", "tail", 5), 5);
        QCOMPARE(profile.readInt("W", "bare", 5), 5);
        QCOMPARE(profile.readInt("W", "huge", 5), 5);
        QCOMPARE(tz::parseProfileInt("0X1f"), std::optional<int>(31));
    }

    void cutsLongValues() {
        const auto profile = ProfileFile::fromBytes("[M]\nk=" + std::string(2000, 'a') + "\n");
        QCOMPARE(profile.readString("M", "k", "").size(), ProfileFile::MaxValueLength);
    }

    void writesInPlaceKeepingEverythingElse() {
        auto profile =
            ProfileFile::fromBytes("; note\r\n[Java]\r\nLEFT=1\r\ntop=2\r\n\r\n[Other]\r\nx=y\r\n");
        profile.writeInt("java", "left", 40);
        QCOMPARE(profile.bytes(),
                 std::string("; note\r\n[Java]\r\nleft=40\r\ntop=2\r\n\r\n[Other]\r\nx=y\r\n"));
    }

    void addsKeyAtEndOfItsSectionAndNewSectionsAtEnd() {
        auto profile = ProfileFile::fromBytes("[Java]\r\nleft=1\r\n\r\n[Other]\r\nx=y");
        profile.writeInt("Java", "top", 2);
        profile.writeInt("Objector", "width", 3);
        profile.write("Other", "z", "w");
        QCOMPARE(profile.bytes(),
                 std::string("[Java]\r\nleft=1\r\ntop=2\r\n\r\n[Other]\r\nx=y\r\nz=w"
                             "\r\n\r\n[Objector]\r\nwidth=3\r\n"));
    }

    void savesAndCreatesTheFile() {
        QTemporaryDir folder;
        const std::string path = folder.filePath("new.ini").toStdString();
        ProfileFile profile = ProfileFile::load(path);
        QVERIFY(profile.bytes().empty());
        profile.write("Main", "Browser", "/usr/bin/firefox");
        QVERIFY(profile.save(path));
        QCOMPARE(readFile(QString::fromStdString(path)),
                 QString("[Main]\r\nBrowser=/usr/bin/firefox\r\n"));
        QCOMPARE(ProfileFile::load(path).readString("main", "browser", ""),
                 std::string("/usr/bin/firefox"));
    }

    void refusedWriteIsReported() {
        QTemporaryDir folder;
        QVERIFY(QDir(folder.path()).mkdir("taken.ini"));
        QVERIFY(
            !ProfileFile::fromBytes("[A]\r\n").save(folder.filePath("taken.ini").toStdString()));
    }

    void fifoIsNeitherWaitedForNorReplaced() {
        QTemporaryDir folder;
        const QString fifo = folder.filePath("tarjava.ini");
        makeFifo(fifo);
        ProfileFile profile = ProfileFile::load(fifo.toStdString());
        QVERIFY(profile.bytes().empty());
        profile.write("Main", "Browser", "x");
        QVERIFY(!profile.save(fifo.toStdString()));
        QVERIFY(isFifo(fifo));
    }
};

QTEST_MAIN(ProfileFileTest)
#include "tst_profilefile.moc"
