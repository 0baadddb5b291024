#include <QDir>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QScreen>
#include <QtTest>

#include "app/FileCommands.h"
#include "app/MainWindow.h"
#include "app/Program.h"
#include "designer/ui/DesignWindow.h"
#include "designer/ui/PaletteWindow.h"
#include "inspector/ui/InspectorWindow.h"
#include "settings/RecentList.h"
#include "settings/SettingsFile.h"
#include "testhelpers.h"

namespace {

// The design window's size is kept as the applet's.
QRect bounds(const DesignWindow& app) {
    return QRect(app.x(), app.y(), app.appletWidth(), app.appletHeight());
}

void checkSideBySide(Program& program) {
    const QRect frames[] = {program.mainWindow().frameGeometry(),
                            program.designWindow().frameGeometry(),
                            program.palette().frameGeometry(), program.inspector().frameGeometry()};
    for (int i = 0; i < 4; ++i) {
        QVERIFY(program.mainWindow().screen()->availableGeometry().contains(frames[i]));
        for (int j = i + 1; j < 4; ++j) QVERIFY(!frames[i].intersects(frames[j]));
    }
}

bool closeMainWindow(StartedProgram& started, QStringList* messages) {
    bool closed = false;
    *messages = answerMessageBoxes([&] { closed = started.program->mainWindow().close(); },
                                   QMessageBox::Ok);
    return closed;
}

}  // namespace

class SettingsTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void mainSettingsAndTheirDefaults() {
        StartedProgram started("[MAIN]\r\nbrowser=\r\nCompiler=/opt/jikes\r\nComppar=-O -g\r\n");
        const tz::MainSettings& settings = started.program->mainSettings();
        QCOMPARE(QString::fromStdString(settings.helpFile),
                 started.directory.path() + "/tarjava.hlp");
        QCOMPARE(settings.browser, std::string());
        QCOMPARE(settings.compiler, std::string("/opt/jikes"));
        QCOMPARE(settings.compilerParameters, std::string("-O -g"));
    }

    // The latest path heads the list, each once, at most 8; [Recent] keeps
    // it without touching the file's other lines.
    void recentProjectsListAndItsSection() {
        std::vector<std::string> list;
        for (const char* path : {"a", "b", "c", "d", "e", "f", "g", "h", "i", "c"})
            list = tz::withRecentProject(list, path);
        QCOMPARE(list, (std::vector<std::string>{"c", "i", "h", "g", "f", "e", "d", "b"}));
        list = tz::withoutRecentProject(list, "i");
        QTemporaryDir directory;
        const QString ini = directory.filePath("tarjava.ini");
        const QByteArray others = "[Main]\r\nBrowser=x\r\n[Recent]\r\nFile9=kept\r\n";
        writeFile(ini, others + "File8=old\r\n");
        QVERIFY(tz::writeRecentProjects(ini.toStdString(), list));
        QCOMPARE(tz::readRecentProjects(ini.toStdString()), list);
        QVERIFY(readBytes(ini).startsWith(others + "File8=\r\nFile1=c\r\n"));
    }

    void noSettingsFilePlacesWindowsSideBySideAndCloseCreatesIt() {
        StartedProgram started;
        QVERIFY(QTest::qWaitForWindowActive(&started.program->mainWindow()));
        checkSideBySide(*started.program);
        started.program->inspector().hide();  // hidden windows are written too
        QStringList messages;
        QVERIFY(closeMainWindow(started, &messages));
        QVERIFY(messages.isEmpty());
        const QString ini = readFile(started.settingsPath());
        for (const char* section : {"[Java]", "[Applet]", "[Toolbar]", "[Objector]"})
            QVERIFY2(ini.contains(section), section);
    }

    void placementRoundTripsThroughTheFile() {
        QString stored;
        {
            StartedProgram first(
                "[Main]\r\nBrowser=/usr/bin/x-www-browser\r\n"
                "[Applet]\r\nleft=0x64\r\ntop=120\r\nwidth=500\r\nheight=abc\r\n"
                "[objector]\r\nLEFT=30\r\n");
            QVERIFY(QTest::qWaitForWindowActive(&first.program->mainWindow()));
            QCOMPARE(bounds(first.program->designWindow()), QRect(100, 120, 500, 316));
            QCOMPARE(first.program->inspector().x(), 30);
            first.program->palette().move(40, 50);
            QStringList messages;
            QVERIFY(closeMainWindow(first, &messages));
            stored = readFile(first.settingsPath());
            QVERIFY(stored.startsWith("[Main]\r\nBrowser=/usr/bin/x-www-browser\r\n"));
            QVERIFY(stored.contains("[Applet]\r\nleft=100\r\ntop=120\r\nwidth=500\r\nheight=316"));
        }
        StartedProgram second(stored);
        QVERIFY(QTest::qWaitForWindowActive(&second.program->mainWindow()));
        QCOMPARE(bounds(second.program->designWindow()), QRect(100, 120, 500, 316));
        QCOMPARE(second.program->palette().pos(), QPoint(40, 50));
        QCOMPARE(second.program->inspector().x(), 30);
    }

    void placementOffEveryScreenIsIgnored() {
        StartedProgram started("[Applet]\r\nleft=-5000\r\ntop=-5000\r\n[Objector]\r\nwidth=0\r\n");
        QVERIFY(QTest::qWaitForWindowActive(&started.program->mainWindow()));
        checkSideBySide(*started.program);
    }

    void hugePlacementValuesAreClamped() {
        QTemporaryDir directory;
        const QString ini = directory.filePath("tarjava.ini");
        writeFile(ini,
                  "[Java]\r\nleft=2147483000\r\ntop=-2147483648\r\nwidth=1000\r\n"
                  "height=2147483647\r\n");
        const auto read = tz::readPlacements(ini.toStdString(), {{"Java", {1, 2, 3, 4}}});
        QCOMPARE(read.front().bounds, (tz::Bounds{1 << 20, -(1 << 20), 1000, 1 << 20}));
    }

    void projectOpenedAtStartKeepsItsAppletSize() {
        QTemporaryDir directory;
        const QString small = directory.filePath("small.tzp");
        {
            StartedProgram first;
            first.program->designWindow().setAppletWidth(300);
            first.program->designWindow().setAppletHeight(1100);  // higher than the screen
            first.program->document().takePendingEdits();
            QVERIFY(first.program->document().save(small).ok());
        }
        const QString ini = directory.filePath("tarjava.ini");
        writeFile(ini, "[Applet]\r\nleft=20\r\nwidth=500\r\nheight=400\r\n");
        Program program(directory.path() + "/", ini);
        // As the command line does it: the project opens before the first activation.
        program.show();
        QVERIFY(program.fileCommands().openProjectFile(small));
        QVERIFY(QTest::qWaitForWindowActive(&program.mainWindow()));
        QCOMPARE(program.designWindow().x(), 20);
        QCOMPARE(program.designWindow().appletWidth(), 300);
        QCOMPARE(program.designWindow().appletHeight(), 1100);
        program.document().takePendingEdits();
        QVERIFY(!program.document().isModified());
    }

    void windowsAreMovedWholeOntoTheScreenHoldingMostOfThem() {
        StartedProgram started(
            "[Toolbar]\r\nleft=1700\r\ntop=400\r\nwidth=376\r\nheight=37\r\n"
            "[Objector]\r\nleft=1200\r\ntop=-20\r\n"
            "[Applet]\r\nleft=1400\r\ntop=10\r\nwidth=900\r\nheight=300\r\n");
        Program& program = *started.program;
        QVERIFY(QTest::qWaitForWindowActive(&program.mainWindow()));
        const QList<QScreen*> screens = QGuiApplication::screens();
        QCOMPARE(screens.size(), 2);
        const QRect large = screens[0]->availableGeometry();
        const QRect small = screens[1]->availableGeometry();
        QVERIFY(small.contains(program.palette().frameGeometry()));
        QCOMPARE(program.palette().size(), QSize(376, 67));
        QVERIFY(large.contains(program.inspector().frameGeometry()));
        QCOMPARE(program.inspector().width(), 151);
        // Wider than the small screen: the applet keeps its width.
        QVERIFY(small.contains(program.designWindow().frameGeometry().topLeft()));
        QCOMPARE(program.designWindow().appletWidth(), 900);
        QCOMPARE(program.designWindow().appletHeight(), 300);
        QVERIFY(large.contains(program.mainWindow().frameGeometry()));
    }

    void unwritableSettingsFileIsReportedAndTheProgramQuits() {
        StartedProgram started;
        QVERIFY(QDir(started.directory.path()).mkdir("tarjava.ini"));
        started.program->mainWindow().findChild<QPlainTextEdit*>("this")->appendPlainText("x");
        bool closed = false;
        const QStringList messages = answerMessageBoxes(
            [&] { closed = started.program->mainWindow().close(); }, QMessageBox::No);
        QCOMPARE(messages, QStringList({"Save changes to the current project?",
                                        "Unable to write to " + started.settingsPath()}));
        QVERIFY(closed);
        QVERIFY(!started.program->mainWindow().isVisible());
    }

    // Root may write an installed folder; it stays shared data all the same.
    void installedProgramKeepsSettingsInTheUserFolder() {
        QStandardPaths::setTestModeEnabled(true);
        QTemporaryDir prefix;
        const QString installed = prefix.filePath("lib/tarvelo-zuva/");
        const QString portable = prefix.filePath("build/");
        for (const QString& folder : {installed, portable, prefix.filePath("share/tarvelo-zuva")})
            QVERIFY(QDir().mkpath(folder));
        QCOMPARE(
            Program::settingsPathFor(installed),
            QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + "/tarjava.ini");
        QCOMPARE(Program::settingsPathFor(portable), portable + "tarjava.ini");
        QCOMPARE(tz::settingsFilePath("/opt/tz/", "/home/u/.config/tz", false),
                 std::string("/home/u/.config/tz/tarjava.ini"));
        QCOMPARE(tz::settingsFilePath("/opt/tz/", "/home/u/.config/tz", true),
                 std::string("/opt/tz/tarjava.ini"));
    }
};

int main(int argc, char* argv[]) {
    // A large screen and, on its right, a small one.
    QTemporaryDir folder;
    const QString config = folder.filePath("screens.json");
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly)) return 1;
    file.write(R"({"windowFrameMargins": true, "screens": [
        {"name": "large", "x": 0, "y": 0, "width": 1280, "height": 1024},
        {"name": "small", "x": 1280, "y": 0, "width": 640, "height": 480}]})");
    file.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.toLocal8Bit());
    QApplication application(argc, argv);
    SettingsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_settings.moc"
