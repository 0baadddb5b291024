#include <QDir>
#include <QMessageBox>
#include <QtTest>

#include "designer/ui/Tapplet.h"
#include "designer/ui/Ttool.h"
#include "inspector/ui/TObjector.h"
#include "project/ui/Tzjava.h"
#include "settings/SettingsFile.h"
#include "testhelpers.h"

namespace {

QRect bounds(const QWidget& window) {
    return QRect(window.x(), window.y(), window.width(), window.height());
}

// The design window's size is kept as the applet's.
QRect bounds(const Tapplet& app) {
    return QRect(app.x(), app.y(), app.appletWidth(), app.appletHeight());
}

bool closeMainWindow(StartedProgram& started, QStringList* messages) {
    bool closed = false;
    *messages =
        answerMessageBoxes([&] { closed = started.program->zjava().close(); }, QMessageBox::Ok);
    return closed;
}

}  // namespace

class SettingsTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void mainSettingsAndTheirDefaults() {
        StartedProgram started("[MAIN]\r\nbrowser=\r\nCompiler=/opt/jikes\r\nComppar=-O -g\r\n");
        const tz::MainSettings& settings = started.program->zjava().mainSettings();
        QCOMPARE(QString::fromStdString(settings.helpFile),
                 started.directory.path() + "/tarjava.hlp");
        QCOMPARE(settings.browser, std::string());
        QCOMPARE(settings.compiler, std::string("/opt/jikes"));
        QCOMPARE(settings.compilerParameters, std::string("-O -g"));
    }

    void noSettingsFileKeepsBuiltInBoundsAndCloseCreatesIt() {
        StartedProgram started;
        QVERIFY(QTest::qWaitForWindowActive(&started.program->zjava()));
        QCOMPARE(bounds(started.program->app()), QRect(215, 147, 410, 316));
        QCOMPARE(bounds(started.program->obj()), QRect(210, 305, 151, 350));
        started.program->obj().hide();  // hidden windows are written too
        QStringList messages;
        QVERIFY(closeMainWindow(started, &messages));
        QVERIFY(messages.isEmpty());
        const QString ini = readFile(started.settingsPath());
        for (const char* section : {"[Java]", "[Applet]", "[Toolbar]", "[Objector]"})
            QVERIFY2(ini.contains(section), section);
        QVERIFY(ini.contains("[Objector]\r\nleft=210\r\ntop=305\r\nwidth=151\r\nheight=350\r\n"));
    }

    void placementRoundTripsThroughTheFile() {
        QString stored;
        {
            StartedProgram first(
                "[Main]\r\nBrowser=/usr/bin/x-www-browser\r\n"
                "[Applet]\r\nleft=0x64\r\ntop=120\r\nwidth=500\r\nheight=abc\r\n"
                "[objector]\r\nLEFT=30\r\n");
            QVERIFY(QTest::qWaitForWindowActive(&first.program->zjava()));
            QCOMPARE(bounds(first.program->app()), QRect(100, 120, 500, 316));
            QCOMPARE(first.program->obj().x(), 30);
            first.program->tool().move(40, 50);
            QStringList messages;
            QVERIFY(closeMainWindow(first, &messages));
            stored = readFile(first.settingsPath());
            QVERIFY(stored.startsWith("[Main]\r\nBrowser=/usr/bin/x-www-browser\r\n"));
            QVERIFY(stored.contains("[Applet]\r\nleft=100\r\ntop=120\r\nwidth=500\r\nheight=316"));
        }
        StartedProgram second(stored);
        QVERIFY(QTest::qWaitForWindowActive(&second.program->zjava()));
        QCOMPARE(bounds(second.program->app()), QRect(100, 120, 500, 316));
        QCOMPARE(second.program->tool().pos(), QPoint(40, 50));
        QCOMPARE(second.program->obj().x(), 30);
    }

    void placementOffEveryScreenIsIgnored() {
        StartedProgram started("[Applet]\r\nleft=-5000\r\ntop=-5000\r\n[Objector]\r\nwidth=0\r\n");
        QVERIFY(QTest::qWaitForWindowActive(&started.program->zjava()));
        QCOMPARE(bounds(started.program->app()), QRect(215, 147, 410, 316));
        QCOMPARE(bounds(started.program->obj()), QRect(210, 305, 151, 350));
    }

    void unwritableSettingsFileKeepsTheWindowOpen() {
        StartedProgram started;
        QVERIFY(QDir(started.directory.path()).mkdir("tarjava.ini"));
        QStringList messages;
        QVERIFY(!closeMainWindow(started, &messages));
        QCOMPARE(messages, QStringList("Unable to write to " + started.settingsPath()));
        QVERIFY(started.program->zjava().isVisible());
    }

    void installedProgramKeepsSettingsInTheUserFolder() {
        QCOMPARE(tz::settingsFilePath("/opt/tz/", "/home/u/.config/tz", false),
                 std::string("/home/u/.config/tz/tarjava.ini"));
        QCOMPARE(tz::settingsFilePath("/opt/tz/", "/home/u/.config/tz", true),
                 std::string("/opt/tz/tarjava.ini"));
    }
};

QTEST_MAIN(SettingsTest)
#include "tst_settings.moc"
