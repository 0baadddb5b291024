// Running the compiled applet in the viewer or the browser, and the
// external compiler.
#include <QDirIterator>
#include <QProcess>
#include <QPushButton>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QToolButton>

#include "buildtests.h"
#include "designer/ui/DesignWindow.h"
#include "designer/ui/PaletteWindow.h"
#include "settings/ui/ProjectOptionsDialog.h"

using buildtests::BuildProgram;
using buildtests::dialogsDuring;
using buildtests::recorded;

namespace {

const QString Compiler = QStringLiteral("[Main]\r\nCompiler=/opt/jdk/bin/javac\r\nComppar=-g\r\n");

}  // namespace

class PreviewTest : public QObject {
    Q_OBJECT
  private:
    QTemporaryDir tools;  // the browser lives outside the program folder
    std::unique_ptr<BuildProgram> p;
    QString folder;

    tz::Project& project() { return p->started.project(); }
    QString browser() const { return tools.filePath("browser"); }
    QByteArray path;
    // The program and the project folder as they stand, for comparing.
    static QStringList filesBelow(const QString& folder) {
        QStringList files;
        QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) files << it.next();
        files.sort();
        return files;
    }
    // Ext. Compile with the program's own ext.pif, not the recorder.
    void useRealExtPif() {
        QFile::remove(p->inProgram("ext.pif"));
        QVERIFY(QFile::link(QStringLiteral(TZ_JAVA_BIN_DIR) + "/../../ext.pif",
                            p->inProgram("ext.pif")));
    }
    void startSaved(const QString& iniText, const QString& folderName = "proj") {
        p = std::make_unique<BuildProgram>(iniText);
        folder = p->inProgram(folderName);
        p->saveProjectAs(folder + "/Demo.tzp");
    }
    void press(const char* button) { p->mainWindow.findChild<QToolButton*>(button)->click(); }
    void setParameters(const std::vector<tz::RunParameter>& parameters) {
        tz::ProjectDocument& document = p->started.program->document();
        tz::ProjectOptions options = document.options();
        options.parameters = parameters;
        document.setOptions(options);
    }

  private Q_SLOTS:
    void initTestCase() { path = qgetenv("PATH"); }
    void init() {
        buildtests::writeRecorder(browser(), "browser.log");
        // No terminal to be found unless a test puts one there.
        qunsetenv("DISPLAY");
        qunsetenv("WAYLAND_DISPLAY");
    }
    void cleanup() {
        p.reset();
        QFile::remove(tools.filePath("browser.log"));
        qputenv("PATH", path);
    }

    void extCompileWritesTheBatchAndClearsTheFlag_data() {
        QTest::addColumn<QString>("folderName");
        QTest::addColumn<QString>("parameters");
        QTest::addColumn<QString>("line2");
        QTest::newRow("plain") << "proj"
                               << "-g"
                               << "/opt/jdk/bin/javac -g %1/NewClass.java";
        QTest::newRow("no parameters") << "proj"
                                       << ""
                                       << "/opt/jdk/bin/javac  %1/NewClass.java";
        QTest::newRow("blank in folder") << "my proj"
                                         << "-g -O"
                                         << "/opt/jdk/bin/javac -g -O '%1/NewClass.java'";
    }
    void extCompileWritesTheBatchAndClearsTheFlag() {
        QFETCH(QString, folderName);
        QFETCH(QString, parameters);
        QFETCH(QString, line2);
        startSaved("[Main]\r\nCompiler=/opt/jdk/bin/javac\r\nComppar=" + parameters + "\r\n",
                   folderName);
        buildtests::writeRecorder(tools.filePath("x-terminal-emulator"), "terminal.log");
        qputenv("DISPLAY", ":0");
        qputenv("PATH", tools.path().toUtf8() + ":" + path);
        QVERIFY(project().compileFailed);
        QCOMPARE(dialogsDuring([&] { press("extcomp"); }), QStringList());
        const QStringList started = recorded(tools.filePath("terminal.log"));
        QCOMPARE(started.mid(1), QStringList({"-e", p->inProgram("ext.pif"), "--in-terminal"}));
        // The batch is in a working folder of the run's own, not the program's.
        QVERIFY(!started.value(0).startsWith(p->started.directory.path()));
        QCOMPARE(readFile(started.value(0) + "/ext.bat"),
                 "@echo off\r\n" + line2.arg(folder) + "\r\n");
        QVERIFY(readFile(folder + "/NewClass.java").contains("public class NewClass"));
        QCOMPARE(p->mess(), QString());
        QVERIFY(!project().compileFailed);
        QFile::remove(tools.filePath("terminal.log"));
    }

    void extCompileWithoutATerminalShowsTheOutputWhenItEnds() {
        const QString javac = QStandardPaths::findExecutable("javac");
        QVERIFY(!javac.isEmpty());
        startSaved("[Main]\r\nCompiler=" + javac + "\r\nComppar=-d " + tools.path() + "\r\n");
        useRealExtPif();
        project().setBody(1, 1, "int a = ;");
        press("extcomp");
        QVERIFY2(QTest::qWaitFor([&] { return p->mess().contains("error:"); }, 120000),
                 qPrintable(p->mess()));
        QVERIFY(p->mess().contains(folder + "/NewClass.java:"));
        QVERIFY(!project().compileFailed);
    }

    // As installed: nothing may be written beside the program, and as another
    // user nothing could be. Compile and Ext. Compile still work.
    void readOnlyProgramFolderCompiles() {
        writeFile(tools.filePath("jc"), "#!/bin/sh\necho \"compiled $*\"\n");
        QFile::setPermissions(tools.filePath("jc"), QFile::ReadOwner | QFile::ExeOwner);
        p = std::make_unique<BuildProgram>("[Main]\r\nCompiler=" + tools.filePath("jc") +
                                           "\r\nComppar=-g\r\n");
        useRealExtPif();
        folder = tools.filePath("installed");
        p->saveProjectAs(folder + "/Demo.tzp");
        const QString program = p->started.directory.path();
        QCOMPARE(QProcess::execute("chmod", {"-R", "a-w", program}), 0);
        const auto writable = qScopeGuard([&] {
            QProcess::execute("chmod", {"-R", "u+w", program});
        });
        const QStringList before = filesBelow(program);
        p->key(Qt::Key_F6);
        QCOMPARE(p->mess(), "The file " + folder + "/NewClass.java was compiled SUCCESFULLY");
        QCOMPARE(filesBelow(program), before);
        press("extcomp");
        QVERIFY2(QTest::qWaitFor([&] { return p->mess().startsWith("compiled "); }, 60000),
                 qPrintable(p->mess()));
        QCOMPARE(p->mess(), "compiled -g " + folder + "/NewClass.java\n");
        QCOMPARE(filesBelow(program), before);
    }

    void extCompileAsksForTheCompilerBeforeTheProject() {
        p = std::make_unique<BuildProgram>();
        QCOMPARE(dialogsDuring([&] { p->trigger("extcomp1"); }),
                 QStringList("You must set your External Compiler in the menu Developer/Options "
                             "before you can compile!"));
        p = std::make_unique<BuildProgram>(Compiler);
        QCOMPARE(dialogsDuring([&] { p->trigger("extcomp1"); }),
                 QStringList({"You must save your project before you can compile!",
                              "file dialog saveProject"}));
        QVERIFY(!QFile::exists(p->inProgram("ext.bat")));
        QVERIFY(project().compileFailed);
    }

    void lineBreaksNeverReachABatchOrThePage() {
        p = std::make_unique<BuildProgram>(Compiler);
        p->saveProjectAs(tools.filePath("plain/Demo.tzp"));
        const QString hostile = tools.filePath("x\ntouch PWNED");
        QVERIFY(QDir().mkpath(hostile));
        QVERIFY(QFile::copy(tools.filePath("plain/Demo.tzp"), hostile + "/Demo.tzp"));
        QVERIFY(p->started.program->fileCommands().openProjectFile(hostile + "/Demo.tzp"));
        const QString refused = "\"" + tools.path() +
                                "/x\\ntouch PWNED/NewClass.java\" holds a line break and cannot "
                                "be written into %1.";
        QCOMPARE(dialogsDuring([&] { p->key(Qt::Key_F6); }), QStringList(refused.arg("javac.bat")));
        QCOMPARE(dialogsDuring([&] { press("extcomp"); }), QStringList(refused.arg("ext.bat")));
        project().compileFailed = false;  // as after an earlier compile
        QCOMPARE(dialogsDuring([&] { p->key(Qt::Key_F9); }), QStringList(refused.arg("run.htm")));
        QCOMPARE(QDir(hostile).entryList(QDir::Files), QStringList("Demo.tzp"));

        QVERIFY(
            p->started.program->fileCommands().openProjectFile(tools.filePath("plain/Demo.tzp")));
        tz::MainSettings settings = p->started.program->mainSettings();
        settings.compilerParameters = "-g\r\ntouch PWNED";
        p->started.program->setMainSettings(settings);
        QCOMPARE(dialogsDuring([&] { press("extcomp"); }),
                 QStringList("\"-g\\r\\ntouch PWNED\" holds a line break and cannot be written "
                             "into ext.bat."));
        QVERIFY(!QFile::exists(p->inProgram("ext.log")));
    }

    void runWritesThePageAndStartsTheViewer_data() {
        using Rows = std::vector<tz::RunParameter>;
        QTest::addColumn<Rows>("parameters");
        QTest::addColumn<QString>("paramLines");
        QTest::newRow("none") << Rows{{}} << "";
        QTest::newRow("two rows") << Rows{{"speed", "10"}, {"text", "Hi"}}
                                  << "<PARAM NAME=\"speed\" VALUE=\"10\">\r\n"
                                     "<PARAM NAME=\"text\" VALUE=\"Hi\">\r\n";
    }
    void runWritesThePageAndStartsTheViewer() {
        QFETCH(std::vector<tz::RunParameter>, parameters);
        QFETCH(QString, paramLines);
        startSaved(Compiler);
        press("extcomp");
        setParameters(parameters);
        DesignWindow& app = p->started.program->designWindow();
        app.setAppletWidth(600);
        app.setAppletHeight(400);
        QCOMPARE(app.appletWidth(), 600);
        QCOMPARE(app.appletHeight(), 400);
        p->key(Qt::Key_F9);
        QCOMPARE(readFile(folder + "/run.htm"),
                 "<META CHARSET=\"UTF-8\">\r\n<TITLE>Tarvelo Zuva</TITLE>\r\n"
                 "<APPLET CODE=\"NewClass.class\" WIDTH=600 HEIGHT=374>\r\n" +
                     paramLines + "</APPLET>\r\n");
        QCOMPARE(recorded(p->bin + "/viewer.log"), QStringList({folder, "run.htm"}));
    }

    // The menu command asks for the file and before overwriting one.
    void exportJarAsksForTheFileThenWritesIt() {
        startSaved(QString());
        const QString jar = folder + "/Demo.jar";
        writeFile(jar, "older");
        QString opened;
        whileModal(
            [&] { p->trigger("ExportJar1"); },
            [&](QDialog* shown) { opened = static_cast<QFileDialog*>(shown)->directory().path(); });
        QCOMPARE(opened, folder);
        for (int answer : {int(QMessageBox::No), int(QMessageBox::Yes)}) {
            QCOMPARE(answerMessageBoxes(
                         [&] {
                             QCOMPARE(answerFileDialog([&] { p->trigger("ExportJar1"); }, jar),
                                      QString("exportJar"));
                         },
                         answer),
                     QStringList("OK to overwrite " + jar));
            QCOMPARE(readBytes(jar).startsWith("PK"), answer == QMessageBox::Yes);
        }
        QVERIFY(p->mess().startsWith("The runnable JAR " + jar + " was written.\nPacked: "));
    }

    // The stored height counts a caption bar; the design window's client
    // area is the applet, so an object at its bottom edge shows in the viewer.
    void anObjectAtTheBottomEdgeIsDrawnInTheViewer() {
        if (QStandardPaths::findExecutable("xvfb-run").isEmpty())
            QSKIP("xvfb-run is not installed");
        startSaved(Compiler);
        whileModal([&] { p->trigger("Options1"); },
                   [](QDialog* shown) {
                       shown->findChild<QLineEdit*>("appx")->setText("300");
                       shown->findChild<QLineEdit*>("appy")->setText("226");
                       QTest::mouseClick(shown->findChild<QPushButton*>("BitBtn1"), Qt::LeftButton);
                   });
        DesignWindow& app = p->started.program->designWindow();
        QCOMPARE(app.size(), QSize(300, 200));
        QTest::mouseClick(p->started.program->palette().button(2), Qt::LeftButton);
        QTest::mouseClick(&app, Qt::LeftButton, {}, QPoint(10, app.height() - 25));
        // The applet reports once its label is drawn where it was placed.
        project().setLastSlot(1, 3);
        project().fillSlot(
            1, 3, "start", "public void start()",
            "new Thread(() -> {\r\n"
            "try {\r\n"
            "java.awt.Robot robot = new java.awt.Robot();\r\n"
            "for (int i = 0; i < 150; ++i) {\r\n"
            "Thread.sleep(100);\r\n"
            "if (!JLabel0.isShowing() || JLabel0.getY() != JLabel0_Ypos) continue;\r\n"
            "java.awt.Rectangle seen = new java.awt.Rectangle(JLabel0.getLocationOnScreen(),"
            " JLabel0.getSize()).intersection(new java.awt.Rectangle(getLocationOnScreen(),"
            " getSize()));\r\n"
            "if (seen.isEmpty()) continue;\r\n"
            "java.awt.image.BufferedImage shot = robot.createScreenCapture(seen);\r\n"
            "for (int x = 0; x < shot.getWidth(); ++x)\r\n"
            "for (int y = 0; y < shot.getHeight(); ++y)\r\n"
            "if (new java.awt.Color(shot.getRGB(x, y)).getGreen() < 64) {\r\n"
            "System.out.println(\"drawn\");\r\n"
            "System.exit(0);\r\n"
            "}\r\n"
            "}\r\n"
            "} catch (Exception e) {\r\n"
            "e.printStackTrace();\r\n"
            "}\r\n"
            "System.out.println(\"not drawn\");\r\n"
            "System.exit(0);\r\n"
            "}).start();");
        p->key(Qt::Key_F7);
        QVERIFY(p->mess().endsWith("compiled SUCCESFULLY"));
        QVERIFY(readFile(folder + "/run.htm").contains(" WIDTH=300 HEIGHT=200>"));
        p->trigger("SaveProject1");
        QVERIFY(readFile(folder + "/Demo.tzp").contains("\r\nwidth=300\r\nheight=226\r\n"));

        QProcess viewer;
        viewer.setWorkingDirectory(folder);
        viewer.start("xvfb-run",
                     {"-a", QStringLiteral(TZ_JAVA_BIN_DIR) + "/appletviewer", "run.htm"});
        QVERIFY(viewer.waitForFinished(120000));
        QCOMPARE(QString(viewer.readAllStandardOutput()).trimmed(), QString("drawn"));
    }

    void nothingRunsWhileTheCompileHasFailed() {
        p = std::make_unique<BuildProgram>("[Main]\r\nBrowser=" + browser() + "\r\n");
        folder = p->inProgram("proj");
        p->saveProjectAs(folder + "/Demo.tzp");
        QVERIFY(project().compileFailed);
        QCOMPARE(dialogsDuring([&] {
                     p->key(Qt::Key_F9);
                     press("BitBtn1");
                     p->trigger("PreviewAppletinBrowser1");
                     press("BitBtn5");
                 }),
                 QStringList());
        QVERIFY(!QFile::exists(folder + "/run.htm"));
        QVERIFY(!QFile::exists(folder + "/NewClass.java"));
        // Only now that something was started can its absence be trusted.
        press("BitBtn6");
        QCOMPARE(recorded(tools.filePath("browser.log")),
                 QStringList({folder, folder + "/run.htm"}));
        QVERIFY(!QFile::exists(p->bin + "/viewer.log"));
    }

    void browserMustBeChosenFirst() {
        startSaved(Compiler);
        press("extcomp");
        QCOMPARE(dialogsDuring([&] { press("BitBtn5"); }),
                 QStringList("You have to select which browser you want to use for "
                             "previews.Choose Developer/Options to set browser."));
    }
};

QTEST_MAIN(PreviewTest)
#include "tst_preview.moc"
