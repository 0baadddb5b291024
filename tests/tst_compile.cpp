// Compiling from the main window with the real JDK, and leading from the
// compiler's messages to the place of the first error.
#include <QLabel>
#include <QTabBar>
#include <QToolButton>
#include <QTreeWidget>
#include <csignal>

#include "buildtests.h"
#include "designer/ui/DesignWindow.h"
#include "project/ProjectFile.h"
#include "settings/ui/ProjectOptionsDialog.h"
#include "toolchain/CompileServiceSocket.h"

using buildtests::BuildProgram;
using buildtests::dialogsDuring;

namespace {

const QString Success = QStringLiteral("The file %1 was compiled SUCCESFULLY");
const QChar LineBreak(QChar::ParagraphSeparator);  // as a selection shows it

}  // namespace

class CompileTest : public QObject {
    Q_OBJECT
  private:
    std::unique_ptr<BuildProgram> p;
    QString folder;

    tz::Project& project() { return p->started.project(); }
    QPlainTextEdit* body() { return p->mainWindow.findChild<QPlainTextEdit*>("this"); }
    QWidget* compilingPanel() { return p->mainWindow.findChild<QWidget*>("cpanel"); }
    // The panel is made for the first compile that shows it.
    bool compilingPanelShown() { return compilingPanel() && !compilingPanel()->isHidden(); }
    QString source() const { return folder + "/NewClass.java"; }
    QString selected() { return body()->textCursor().selectedText(); }
    // A started program with its project saved in a folder named folderName.
    void startSaved(const QString& folderName = "my projects") {
        p = std::make_unique<BuildProgram>();
        folder = p->inProgram(folderName);
        p->saveProjectAs(folder + "/Demo.tzp");
    }
    void compile() { p->key(Qt::Key_F6); }
    // Replaces the bin folder's compiler by one that prints output.
    void fakeCompiler(const QByteArray& output) {
        QFile::remove(p->bin + "/javac");
        writeFile(p->bin + "/javac", "#!/bin/sh\nprintf '%s' '" + output + "'\n");
        QFile::setPermissions(p->bin + "/javac", QFile::ExeOwner | QFile::ReadOwner);
    }
    void showInMessages(const QString& text) {
        p->mainWindow.findChild<QPlainTextEdit*>("mess")->setPlainText(text);
    }

    QTemporaryDir runtime;

  private Q_SLOTS:
    // Compile services of this test only.
    void initTestCase() { qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit()); }
    void cleanup() { p.reset(); }

    // A service killed or stopped mid-session: the next compile runs the JDK
    // in the batch and the program starts a new service for the one after.
    void brokenServiceIsReplacedAfterAColdCompile_data() {
        QTest::addColumn<int>("signal");
        QTest::newRow("killed") << SIGKILL;
        QTest::newRow("stopped") << SIGSTOP;
    }
    void brokenServiceIsReplacedAfterAColdCompile() {
        QFETCH(int, signal);
        startSaved();
        for (const char* name : {"compileservice", "compileservice.jar"})
            QFile::link(QStringLiteral(TZ_JAVA_BIN_DIR) + "/" + name, p->bin + "/" + name);
        compile();  // nothing to start at program start; started after this compile
        QVERIFY(QTest::qWaitFor([] { return buildtests::servedCompiles() == 0; }, 60000));
        compile();
        QCOMPARE(p->mess(), Success.arg(source()));
        const auto first = buildtests::compileServiceState();
        QCOMPARE(first.value("compiles"), QString("1"));

        QCOMPARE(::kill(first.value("pid").toInt(), signal), 0);
        if (signal == SIGKILL)
            QVERIFY(QTest::qWaitFor([] { return buildtests::servedCompiles() < 0; }, 60000));
        QFile::remove(folder + "/NewClass.class");
        qputenv("TZ_COMPILE_SERVICE_TIMEOUT_MS", "1000");
        compile();
        qunsetenv("TZ_COMPILE_SERVICE_TIMEOUT_MS");
        QCOMPARE(p->mess(), Success.arg(source()));
        QVERIFY(QFile::exists(folder + "/NewClass.class"));
        QVERIFY(QTest::qWaitFor([] { return buildtests::servedCompiles() == 0; }, 60000));
        compile();
        const auto second = buildtests::compileServiceState();
        QVERIFY(second.value("pid") != first.value("pid"));
        QCOMPARE(second.value("compiles"), QString("1"));
        QCOMPARE(p->mess(), Success.arg(source()));
        // Ended with the program, the service leaves nothing behind.
        p.reset();
        QVERIFY(!QFileInfo::exists(runtime.filePath("tzjava")));
    }

    // Turned off, the program starts no service and uses none that runs.
    void warmCompilerTurnedOffCompilesAlone() {
        p = std::make_unique<BuildProgram>("[Main]\r\nWarmCompiler=0\r\n");
        folder = p->inProgram("off");
        p->saveProjectAs(folder + "/Demo.tzp");
        for (const char* name : {"compileservice", "compileservice.jar"})
            QFile::link(QStringLiteral(TZ_JAVA_BIN_DIR) + "/" + name, p->bin + "/" + name);
        QProcess running;
        running.start(p->bin + "/compileservice",
                      {QString::fromStdString(tz::compileServiceSocket(true))});
        QVERIFY(QTest::qWaitFor([] { return buildtests::servedCompiles() == 0; }, 60000));
        compile();
        compile();
        qunsetenv("TZ_WARM_COMPILER");
        QCOMPARE(p->mess(), Success.arg(source()));
        QCOMPARE(buildtests::servedCompiles(), 0);
        running.closeWriteChannel();
        QVERIFY(running.waitForFinished(30000));
    }

    void cleanCompileInAFolderWithABlank() {
        startSaved();
        compile();
        QCOMPARE(p->mess(), Success.arg(source()));
        QVERIFY(!project().compileFailed);
        QVERIFY(QFile::exists(folder + "/NewClass.class"));
        QVERIFY(!compilingPanelShown());
        // The run's files stay in its own folder until the next compile.
        const QString work = p->started.program->compiler().lastFolder();
        QVERIFY(!work.isEmpty() && !work.startsWith(p->started.directory.path()));
        QCOMPARE(readFile(work + "/javac.bat"),
                 QString("@echo off\r\njavac %1 > res.txt\r\ncopy res.txt+byt.txt tst.txt\r\n"));
        QCOMPARE(readFile(work + "/byt.txt"), QString(" \r\n"));
        QCOMPARE(readFile(work + "/tst.txt"), QString(" \r\n"));
        QCOMPARE(QFile::permissions(work) & 0x0077, QFileDevice::Permissions());
        compile();
        QVERIFY(!QFile::exists(work));
        QVERIFY(QFile::exists(p->started.program->compiler().lastFolder() + "/res.txt"));
    }

    void optimizeWritesTheOptionIntoTheBatch() {
        startSaved("plain");
        tz::ProjectOptions options = p->started.program->document().options();
        options.optimize = true;
        p->started.program->document().setOptions(options);
        compile();
        QCOMPARE(readFile(p->started.program->compiler().lastFolder() + "/javac.bat")
                     .split("\r\n")
                     .value(1),
                 QString("javac -O %1 > res.txt"));
        QCOMPARE(p->mess(), Success.arg(source()));
    }

    void shellCharactersInTheFolderRunOnlyTheCompiler() {
        startSaved("we ird;touch PWNED;$(touch PWNED2)`touch PWNED3`'q");
        compile();
        QCOMPARE(p->mess(), Success.arg(source()));
        QVERIFY(QFile::exists(folder + "/NewClass.class"));
        for (const QString& dir :
             {p->bin, folder, p->inProgram(""), p->started.program->compiler().lastFolder()})
            for (const char* trace : {"PWNED", "PWNED2", "PWNED3"})
                QVERIFY(!QFile::exists(dir + "/" + trace));
    }

    void errorInABodyLineLeadsToTheLine() {
        startSaved();
        project().setBody(1, 1,
                          "int a = 1;\r\nint b = 2;\r\nint c = 3;\r\nint d = ;\r\nc = a + b;");
        compile();
        QVERIFY(project().compileFailed);
        QCOMPARE(project().currentClass, 1);
        QCOMPARE(project().currentSlot, 1);
        QCOMPARE(p->mainWindow.findChild<QTabBar*>("tab")->currentIndex(), 1);
        QCOMPARE(p->mainWindow.findChild<QTreeWidget*>("tree")->currentItem()->text(0),
                 QString("init"));
        QCOMPARE(body()->toPlainText(),
                 QString("int a = 1;\nint b = 2;\nint c = 3;\nint d = ;\nc = a + b;"));
        QCOMPARE(selected(), "int d = ;" + QString(LineBreak));
        QCOMPARE(p->mainWindow.findChild<QLabel*>("xy")->text(), QString("Line: 4"));
        QVERIFY(body()->hasFocus());
        // The memo ends with the echoed line, cut before its marker.
        const QString mess = p->mess();
        QVERIFY2(mess.contains("NewClass.java:") && mess.contains("error:"), qPrintable(mess));
        QVERIFY2(mess.trimmed().endsWith("int d = ;"), qPrintable(mess));
        QVERIFY(!mess.contains("//\\") && !mess.contains('^'));
        QVERIFY(!compilingPanelShown());
    }

    void everyErrorLandsOnItsLine_data() {
        QTest::addColumn<QString>("where");  // body of init, paint, class, imports or object
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("classIndex");
        QTest::addColumn<int>("slot");
        QTest::addColumn<QString>("selection");  // empty: none
        const QString first = "int a = ;\r\nint b = 1;\r\nint c = 2;";
        QTest::newRow("first body line")
            << "init" << first << 1 << 1 << QString("int a = ;") + LineBreak;
        QTest::newRow("second body line") << "init"
                                          << "int a = 1;\r\nint b = ;\r\nint c = 2;" << 1 << 1
                                          << QString("int b = ;") + LineBreak;
        QTest::newRow("last body line")
            << "paint"
            << "int a = 1;\r\nint b = 2;\r\nint c = ;" << 1 << 2 << "int c = ;";
        QTest::newRow("only line") << "init"
                                   << "int a = ;" << 1 << 1 << "int a = ;";
        QTest::newRow("class declaration")
            << "class"
            << "public class NewClass extends Applet implements Nothing" << 1 << 0 << "";
        QTest::newRow("imports") << "imports"
                                 << "import java.applet.*;\r\nimport java.awt.*;\r\n"
                                    "import java.nothere.*;"
                                 << 0 << 0 << "import java.nothere.*;";
        QTest::newRow("field line") << "object"
                                    << "a_Xpos" << 1 << 0 << "";
    }
    void everyErrorLandsOnItsLine() {
        QFETCH(QString, where);
        QFETCH(QString, text);
        startSaved();
        const std::string bytes = text.toStdString();
        if (where == "init") project().setBody(1, 1, bytes);
        if (where == "paint") project().setBody(1, 2, bytes);
        if (where == "class") project().setDeclaration(1, 0, bytes);
        if (where == "imports") project().imports = bytes;
        if (where == "object") {
            tz::ObjectRecord named;
            named.fields = {"b", "10", "20", "65", "33", "a", ""};  // a's a_Xpos clashes below
            tz::DesignModel& design = p->started.program->document().design();
            QVERIFY(!design.addObject(tz::ObjectKind::Button, named));
            named.fields[tz::Name] = bytes;
            QVERIFY(!design.addObject(tz::ObjectKind::Button, named));
        }
        // Started elsewhere, so that landing on the place shows.
        p->mainWindow.findChild<QTabBar*>("tab")->setCurrentIndex(where == "paint" ? 1 : 2);
        compile();
        QVERIFY(project().compileFailed);
        QTEST(project().currentClass, "classIndex");
        QTEST(project().currentSlot, "slot");
        QTEST(selected(), "selection");
        QVERIFY(p->mess().contains("NewClass.java:"));
    }

    void errorInTheImportsShowsTheImports() {
        startSaved();
        project().imports = "import java.nothere.*;\r\nimport java.applet.*;\r\nimport java.awt.*;";
        compile();
        QVERIFY(project().compileFailed);
        QCOMPARE(project().currentClass, 0);
        QCOMPARE(project().currentSlot, 0);
        QCOMPARE(p->mainWindow.findChild<QTabBar*>("tab")->count(), 0);
        QCOMPARE(body()->toPlainText(),
                 QString("import java.nothere.*;\nimport java.applet.*;\nimport java.awt.*;"));
        QVERIFY(p->mess().trimmed().endsWith("import java.nothere.*;"));
    }

    void outputThatCannotBeReadBackStillFails() {
        startSaved();
        compile();
        QVERIFY(!project().compileFailed);
        fakeCompiler("javac: cannot read NewClass.java\n");
        QCOMPARE(dialogsDuring([&] { compile(); }), QStringList());
        QCOMPARE(p->mess(), QString("javac: cannot read NewClass.java\n \n"));
        QVERIFY(project().compileFailed);
        QCOMPARE(project().currentClass, 1);
        QCOMPARE(project().currentSlot, 0);

        startSaved();
        compile();
        fakeCompiler("E.java:3: error: x\nint s = \"//\\a,1,2,\";\n");
        // A "//\" of the user's text is no marker: the output stays whole.
        QCOMPARE(dialogsDuring([&] { compile(); }), QStringList());
        QCOMPARE(p->mess(), QString("E.java:3: error: x\nint s = \"//\\a,1,2,\";\n \n"));
        QVERIFY(project().compileFailed);
        startSaved();
        compile();
        fakeCompiler("'; kill -KILL $$; '");  // silent, as after the out-of-memory killer
        compile();
        QVERIFY2(p->mess().startsWith("The compiler was killed (signal 9)"), qPrintable(p->mess()));
        QVERIFY(project().compileFailed);
    }

    void neverSavedProjectAsksForSaving() {
        p = std::make_unique<BuildProgram>();
        const QString before = p->mess();
        QCOMPARE(dialogsDuring([&] { compile(); }),
                 QStringList({"You must save your project before you can compile!",
                              "file dialog saveProject"}));
        QVERIFY(project().compileFailed);
        QVERIFY(p->started.program->compiler().lastFolder().isEmpty());
        QCOMPARE(p->mess(), before);
        // Build & Run then has nothing to run.
        dialogsDuring([&] { p->trigger("BuildRun1"); });
        QVERIFY(!QFile::exists(p->bin + "/viewer.log"));
    }

    void missingOutputIsReportedAndLeavesTheFlag() {
        startSaved();
        QFile::remove(p->bin + "/javac.pif");
        const QStringList shown = dialogsDuring([&] { compile(); });
        QCOMPARE(shown.size(), 1);
        QVERIFY2(
            shown.first().startsWith("Cannot open file " +
                                     p->started.program->compiler().lastFolder() + "/tst.txt."),
            qPrintable(shown.first()));
        QCOMPARE(p->mess(), QString());
        QVERIFY(project().compileFailed);
        QVERIFY(!compilingPanelShown());
    }

    void commandsThatCompileAreRefusedWhileACompileWaits() {
        startSaved();
        compile();
        QVERIFY(!project().compileFailed);
        bool sawWait = false;
        QTimer watcher;
        connect(&watcher, &QTimer::timeout, [&] {
            if (sawWait || !compilingPanelShown()) return;
            sawWait = true;
            QCOMPARE(p->mess(), QString("Compiling..."));
            const auto* picture = compilingPanel()->findChild<QLabel*>("animpic");
            QCOMPARE(picture->pixmap().size(), QSize(40, 40));
            for (const char* command : {"Compile1", "BuildRun1", "BitBtn6"}) {
                if (auto* action = p->mainWindow.findChild<QAction*>(command))
                    action->trigger();
                else
                    p->mainWindow.findChild<QAbstractButton*>(command)->click();
            }
            QCOMPARE(p->mess(), QString("Compiling..."));
            QVERIFY(!project().compileFailed);
        });
        watcher.start(0);
        compile();
        QVERIFY(sawWait);
        QCOMPARE(p->mess(), Success.arg(source()));
        QVERIFY(!QFile::exists(folder + "/run.htm"));
    }

    void runWaitsForACleanCompile() {
        startSaved();
        project().setBody(1, 1, "int a = 1;\r\nint b = 2;\r\nint c = 3;\r\nint d = ;\r\nc = a;");
        compile();
        p->key(Qt::Key_F9);
        p->key(Qt::Key_F7);
        QVERIFY(!QFile::exists(folder + "/run.htm"));
        QVERIFY(project().compileFailed);

        project().setBody(1, 1, "int a = 1;");
        p->key(Qt::Key_F7);
        QVERIFY(!project().compileFailed);
        QVERIFY(QFile::exists(folder + "/NewClass.class"));
        QVERIFY(readFile(folder + "/run.htm").contains("<APPLET CODE=\"NewClass.class\""));
        QCOMPARE(buildtests::recorded(p->bin + "/viewer.log"), QStringList({folder, "run.htm"}));
    }

    void openedOrImportedProjectRunsNothingStale() {
        startSaved();
        compile();
        QVERIFY(!project().compileFailed);
        const QString other = p->inProgram("other");
        QDir().mkpath(other);
        writeFile(other + "/B.tzp", QByteArray::fromStdString(tz::writeProjectFile({})));
        writeFile(other + "/NewClass.java", "// hand-made");
        answerFileDialog([&] { p->trigger("OpenProject1"); }, other + "/B.tzp");
        QCOMPARE(QString::fromStdString(project().projectPath), other + "/B.tzp");
        p->key(Qt::Key_F9);
        QVERIFY(!QFile::exists(other + "/run.htm"));
        // Nor is the empty source buffer written over the file.
        QCOMPARE(
            dialogsDuring([&] { QVERIFY(!p->started.program->buildCommands().saveJavaSource()); }),
            QStringList("The Java source is empty; " + other +
                        "/NewClass.java was left as it is."));
        QCOMPARE(readFile(other + "/NewClass.java"), QString("// hand-made"));

        startSaved();
        compile();
        writeFile(folder + "/Hand.java", "public class Hand extends java.applet.Applet {}\n");
        answerFileDialog([&] { p->trigger("Open1"); }, folder + "/Hand.java");
        p->key(Qt::Key_F9);
        QVERIFY(!QFile::exists(folder + "/run.htm"));
        QVERIFY(!QFile::exists(p->bin + "/viewer.log"));
    }

    void handWrittenSourceIsCopiedOnceBeforeItIsReplaced() {
        startSaved();
        const QByteArray hand =
            "// mine\r\npublic class NewClass extends java.applet.Applet {}\r\n";
        writeFile(source(), hand);
        compile();
        QCOMPARE(readBytes(source() + ".orig"), hand);
        QCOMPARE(p->mess(), Success.arg(source()) + "\nThe original " + source() +
                                " was copied to " + source() + ".orig.");
        // A generated file is not copied; an existing copy is never replaced.
        compile();
        QCOMPARE(p->mess(), Success.arg(source()));
        writeFile(source(), "// other");
        compile();
        QCOMPARE(p->mess(), Success.arg(source()) + "\nThe original " + source() +
                                " was copied to " + source() + ".orig.1.");
        QCOMPARE(readBytes(source() + ".orig"), hand);
        QCOMPARE(readBytes(source() + ".orig.1"), QByteArray("// other"));
    }

    void navigationReadsTheFirstMarker() {
        p = std::make_unique<BuildProgram>();
        project().setBody(1, 1, "a();\r\nb();\r\nc();\r\nx = ;\r\nd();");
        showInMessages(
            "E.java:9: error: illegal start\nx = ;//\\1,1,3,\n   ^\nE.java:12: "
            "error\ny();//\\1,2,0,\n");
        p->started.program->buildCommands().showFirstError();
        QCOMPARE(p->mess(), QString("E.java:9: error: illegal start\nx = ;"));
        QCOMPARE(project().currentSlot, 1);
        QCOMPARE(selected(), "x = ;" + QString(LineBreak));

        showInMessages("E.java:1: error\nx();//\\7,1,0,\n");
        QCOMPARE(dialogsDuring([&] { p->started.program->buildCommands().showFirstError(); }),
                 QStringList("The compiler's message names class 7, slot 1, which this project "
                             "does not hold."));
        QCOMPARE(project().currentClass, 1);
        QCOMPARE(project().currentSlot, 1);
    }

    void lineSelectionStaysInsideTheBody() {
        p = std::make_unique<BuildProgram>();
        project().setBody(1, 1, "first\r\nsecond");
        p->mainWindow.findChild<QTabBar*>("tab")->setCurrentIndex(1);
        QCOMPARE(body()->toPlainText(), QString("first\nsecond"));
        p->mainWindow.selectBodyLine(1);
        QCOMPARE(selected(), QString("second"));
        for (int pastTheEnd : {2, 40}) {
            body()->moveCursor(QTextCursor::Start);
            p->mainWindow.selectBodyLine(pastTheEnd);
            QVERIFY(!body()->textCursor().hasSelection());
        }
    }
};

QTEST_MAIN(CompileTest)
#include "tst_compile.moc"
