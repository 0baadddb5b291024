// Compiling from the main window with the real JDK, and leading from the
// compiler's messages to the place of the first error.
#include <QLabel>
#include <QTabBar>
#include <QToolButton>
#include <QTreeWidget>

#include "buildtests.h"
#include "settings/ui/Toptions.h"

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

    tz::Project& project() { return p->zjava.project(); }
    QPlainTextEdit* body() { return p->zjava.findChild<QPlainTextEdit*>("this"); }
    QWidget* cpanel() { return p->zjava.findChild<QWidget*>("cpanel"); }
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
    void showMessInMemo(const QString& text) {
        p->zjava.findChild<QPlainTextEdit*>("mess")->setPlainText(text);
    }

  private Q_SLOTS:
    void cleanup() { p.reset(); }

    void cleanCompileInAFolderWithABlank() {
        startSaved();
        compile();
        QCOMPARE(p->mess(), Success.arg(source()));
        QVERIFY(!project().compileFailed);
        QVERIFY(QFile::exists(folder + "/NewClass.class"));
        QVERIFY(cpanel()->isHidden());
        // The run's files stay in its own folder until the next compile.
        const QString work = p->zjava.lastCompileFolder();
        QVERIFY(!work.isEmpty() && !work.startsWith(p->started.directory.path()));
        QCOMPARE(readFile(work + "/javac.bat"),
                 QString("@echo off\r\njavac %1 > res.txt\r\ncopy res.txt+byt.txt tst.txt\r\n"));
        QCOMPARE(readFile(work + "/byt.txt"), QString(" \r\n"));
        QCOMPARE(readFile(work + "/tst.txt"), QString(" \r\n"));
        QCOMPARE(QFile::permissions(work) & 0x0077, QFileDevice::Permissions());
        compile();
        QVERIFY(!QFile::exists(work));
        QVERIFY(QFile::exists(p->zjava.lastCompileFolder() + "/res.txt"));
    }

    void optimizeWritesTheOptionIntoTheBatch() {
        startSaved("plain");
        tz::ProjectOptions options = p->started.program->opt().options();
        options.optimize = true;
        p->started.program->opt().setOptions(options);
        compile();
        QCOMPARE(readFile(p->zjava.lastCompileFolder() + "/javac.bat").split("\r\n").value(1),
                 QString("javac -O %1 > res.txt"));
        QCOMPARE(p->mess(), Success.arg(source()));
    }

    void shellCharactersInTheFolderRunOnlyTheCompiler() {
        startSaved("we ird;touch PWNED;$(touch PWNED2)`touch PWNED3`'q");
        compile();
        QCOMPARE(p->mess(), Success.arg(source()));
        QVERIFY(QFile::exists(folder + "/NewClass.class"));
        for (const QString& dir : {p->bin, folder, p->inProgram(""), p->zjava.lastCompileFolder()})
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
        QCOMPARE(p->zjava.findChild<QTabBar*>("tab")->currentIndex(), 1);
        QCOMPARE(p->zjava.findChild<QTreeWidget*>("tree")->currentItem()->text(0), QString("init"));
        QCOMPARE(body()->toPlainText(),
                 QString("int a = 1;\nint b = 2;\nint c = 3;\nint d = ;\nc = a + b;"));
        QCOMPARE(selected(), "int d = ;" + QString(LineBreak));
        QVERIFY(body()->hasFocus());
        // The memo ends with the echoed line, cut before its marker.
        const QString mess = p->mess();
        QVERIFY2(mess.contains("NewClass.java:") && mess.contains("error:"), qPrintable(mess));
        QVERIFY2(mess.trimmed().endsWith("int d = ;"), qPrintable(mess));
        QVERIFY(!mess.contains("//\\") && !mess.contains('^'));
        QVERIFY(cpanel()->isHidden());
    }

    void earlyLinesAndDeclarationsShowTheSlotOnly_data() {
        QTest::addColumn<QString>("bodyText");
        QTest::addColumn<QString>("declaration");
        QTest::newRow("body line 0") << "int a = ;\r\nint b = 1;"
                                     << "public void paint(Graphics g)";
        QTest::newRow("body line 1") << "int a = 1;\r\nint b = ;\r\nint c = 1;"
                                     << "public void paint(Graphics g)";
        QTest::newRow("declaration") << "int a = 1;"
                                     << "public void paint(Graphics g";
    }
    void earlyLinesAndDeclarationsShowTheSlotOnly() {
        QFETCH(QString, bodyText);
        QFETCH(QString, declaration);
        startSaved();
        project().setBody(1, 2, bodyText.toStdString());
        project().setDeclaration(1, 2, declaration.toStdString());
        compile();
        QVERIFY(project().compileFailed);
        QCOMPARE(project().currentClass, 1);
        QCOMPARE(project().currentSlot, 2);
        QCOMPARE(p->zjava.findChild<QLineEdit*>("spec")->text(), declaration);
        QVERIFY(!body()->textCursor().hasSelection());
    }

    void errorInTheImportsShowsTheImports() {
        startSaved();
        project().imports = "import java.nothere.*;\r\nimport java.applet.*;\r\nimport java.awt.*;";
        compile();
        QVERIFY(project().compileFailed);
        QCOMPARE(project().currentClass, 0);
        QCOMPARE(project().currentSlot, 0);
        QCOMPARE(p->zjava.findChild<QTabBar*>("tab")->count(), 0);
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
        QCOMPARE(dialogsDuring([&] { compile(); }),
                 QStringList("'a' is not a valid integer value"));
        QCOMPARE(p->mess(), QString("E.java:3: error: x\nint s = \""));
        QVERIFY(project().compileFailed);
    }

    void neverSavedProjectAsksForSaving() {
        p = std::make_unique<BuildProgram>();
        const QString before = p->mess();
        QCOMPARE(dialogsDuring([&] { compile(); }),
                 QStringList({"You must save your project before you can compile!",
                              "file dialog saveProject"}));
        QVERIFY(project().compileFailed);
        QVERIFY(p->zjava.lastCompileFolder().isEmpty());
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
        QVERIFY2(shown.first().startsWith("Cannot open file " + p->zjava.lastCompileFolder() +
                                          "/tst.txt."),
                 qPrintable(shown.first()));
        QCOMPARE(p->mess(), QString());
        QVERIFY(project().compileFailed);
        QVERIFY(cpanel()->isHidden());
    }

    void commandsThatCompileAreRefusedWhileACompileWaits() {
        startSaved();
        compile();
        QVERIFY(!project().compileFailed);
        bool sawWait = false;
        QTimer watcher;
        connect(&watcher, &QTimer::timeout, [&] {
            if (sawWait || !cpanel()->isVisible()) return;
            sawWait = true;
            QCOMPARE(p->mess(), QString("Compiling..."));
            const auto* picture = cpanel()->findChild<QLabel*>("animpic");
            QCOMPARE(picture->pixmap().size(), QSize(40, 40));
            for (const char* command : {"Compile1", "BuildRun1", "BitBtn6"}) {
                if (auto* action = p->zjava.findChild<QAction*>(command))
                    action->trigger();
                else
                    p->zjava.findChild<QAbstractButton*>(command)->click();
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

    void navigationReadsTheFirstMarker() {
        p = std::make_unique<BuildProgram>();
        project().setBody(1, 1, "a();\r\nb();\r\nc();\r\nx = ;\r\nd();");
        showMessInMemo(
            "E.java:9: error: illegal start\nx = ;//\\1,1,3,\n   ^\nE.java:12: "
            "error\ny();//\\1,2,0,\n");
        p->zjava.geterror();
        QCOMPARE(p->mess(), QString("E.java:9: error: illegal start\nx = ;"));
        QCOMPARE(project().currentSlot, 1);
        QCOMPARE(selected(), "x = ;" + QString(LineBreak));

        showMessInMemo("E.java:1: error\nx();//\\7,1,0,\n");
        QCOMPARE(dialogsDuring([&] { p->zjava.geterror(); }),
                 QStringList("The compiler's message names class 7, slot 1, which this project "
                             "does not hold."));
        QCOMPARE(project().currentClass, 1);
        QCOMPARE(project().currentSlot, 1);
    }

    void lineSelectionStaysInsideTheBody() {
        p = std::make_unique<BuildProgram>();
        project().setBody(1, 1, "first\r\nsecond");
        p->zjava.findChild<QTabBar*>("tab")->setCurrentIndex(1);
        QCOMPARE(body()->toPlainText(), QString("first\nsecond"));
        p->zjava.MemoRow(1);
        QCOMPARE(selected(), QString("second"));
        for (int pastTheEnd : {2, 40}) {
            body()->moveCursor(QTextCursor::Start);
            p->zjava.MemoRow(pastTheEnd);
            QVERIFY(!body()->textCursor().hasSelection());
        }
    }
};

QTEST_MAIN(CompileTest)
#include "tst_compile.moc"
