#include <unistd.h>

#include <QDir>
#include <QDirIterator>
#include <QImage>
#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>
#include <csignal>
#include <memory>
#include <vector>

#include "project/ProjectFile.h"
#include "app/MainWindow.h"
#include "tst_designer_fixture.h"

namespace {

struct Finished {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

const QByteArray JavaSource =
    "import java.awt.*;\n"
    "public class A extends java.applet.Applet\n"
    "{\n"
    "  int x; // a field\n"
    "  public void init()\n"
    "  {\n"
    "    for (x = 0; x < 3; x++) { add(new Button(\"}\")); }\n"
    "  }\n"
    "}\n";

QByteArray projectBytes(const std::function<void(tz::ProjectFileContent&)>& change) {
    tz::ProjectFileContent content;
    change(content);
    return QByteArray::fromStdString(tz::writeProjectFile(content));
}

}  // namespace

class BatchTest : public QObject {
    Q_OBJECT
  private:
    // The program runs from a folder of its own, so that a settings file
    // it wrongly made would show.
    QTemporaryDir programFolder;
    QTemporaryDir work;
    QString program;

    QString path(const QString& name) { return work.filePath(name); }
    // No DISPLAY, no QT_QPA_PLATFORM, unless extra sets them.
    QProcessEnvironment environment(const QStringList& extra = {}) {
        QProcessEnvironment environment;
        const QProcessEnvironment system = QProcessEnvironment::systemEnvironment();
        for (const char* kept : {"PATH", "ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS"})
            if (system.contains(kept)) environment.insert(kept, system.value(kept));
        environment.insert("HOME", programFolder.filePath("home"));
        environment.insert("XDG_CONFIG_HOME", programFolder.filePath("config"));
        for (const QString& assignment : extra)
            environment.insert(assignment.section('=', 0, 0), assignment.section('=', 1));
        return environment;
    }
    void start(QProcess& process, const QStringList& arguments, const QStringList& extra = {},
               const QString& executable = QString()) {
        process.setProcessEnvironment(environment(extra));
        process.start(executable.isEmpty() ? program : executable, arguments);
    }
    static Finished finish(QProcess& process, int milliseconds = 240000) {
        Finished finished;
        if (!process.waitForFinished(milliseconds)) return finished;
        finished.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        finished.out = process.readAllStandardOutput();
        finished.err = process.readAllStandardError();
        return finished;
    }
    // inChild runs in the started process before the program does.
    Finished run(const QStringList& arguments, const std::function<void()>& inChild = {}) {
        QProcess process;
        if (inChild) process.setChildProcessModifier(inChild);
        start(process, arguments);
        return finish(process);
    }
    // Live processes whose working folder's path starts with prefix.
    static QList<int> processesWorkingIn(const QString& prefix) {
        QList<int> found;
        for (const QString& pid : QDir("/proc").entryList(QDir::Dirs)) {
            if (pid.toInt() > 0 &&
                QFileInfo("/proc/" + pid + "/cwd").symLinkTarget().startsWith(prefix))
                found << pid.toInt();
        }
        return found;
    }
    // The entry names of a JAR, sorted.
    static QStringList jarEntries(const QString& jar) {
        QProcess list;
        list.start(QStringLiteral(TZ_JAVA_BIN_DIR) + "/jar", {"--list", "--file", jar});
        list.waitForFinished(60000);
        QStringList entries = QString(list.readAll()).split('\n', Qt::SkipEmptyParts);
        entries.sort();
        return entries;
    }
    // Neither beside the program nor in the user's configuration folder.
    void verifyNoSettingsWritten() {
        QDirIterator files(programFolder.path(), {"tarjava.ini"}, QDir::Files,
                           QDirIterator::Subdirectories);
        QVERIFY(!files.hasNext());
    }
    // Nor anything else of the program's: no toolkit settings, no empty folder.
    void verifyUserFoldersLeftEmpty() {
        for (const char* folder : {"home", "config"})
            QCOMPARE(QDir(programFolder.filePath(folder))
                         .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                     QStringList());
    }

  private Q_SLOTS:
    void initTestCase() {
        program = programFolder.filePath("tzjava");
        QVERIFY(QFile::copy(TZ_EXECUTABLE, program));
        const QString bin = programFolder.filePath("java/bin");
        QVERIFY(QDir().mkpath(bin));
        for (const char* name : {"javac", "javac.pif", "jar", "appletviewer.jar"})
            QVERIFY(QFile::link(QStringLiteral(TZ_JAVA_BIN_DIR) + "/" + name, bin + "/" + name));
    }

    void compileReportsSuccessOrWhereTheErrorIs() {
        QDir().mkpath(path("clean"));
        const QString clean = path("clean/Clean.tzp");
        writeFile(clean, projectBytes([](tz::ProjectFileContent&) {}));
        Finished finished = run({"--compile", clean});
        QCOMPARE(finished.status, 0);
        QCOMPARE(QString(finished.out),
                 "The file " + path("clean/NewClass.java") + " was compiled SUCCESFULLY\n");
        QVERIFY(QFile::exists(path("clean/NewClass.class")));

        QDir().mkpath(path("broken"));
        const QString broken = path("broken/Broken.tzp");
        writeFile(broken, projectBytes([](tz::ProjectFileContent& content) {
                      content.project.setBody(1, 1, "int a;\r\nint b;\r\nint x = ;\r\nint c;");
                  }));
        finished = run({"--compile", broken});
        QCOMPARE(finished.status, 1);
        QVERIFY2(finished.out.contains("error:"), finished.out.constData());
        QVERIFY(finished.out.endsWith("int x = ;\nat class 1, slot 1, line 2\n"));
        // The last line of a body carries no marker; its line number leads there.
        writeFile(broken, projectBytes([](tz::ProjectFileContent& content) {
                      content.project.setBody(1, 2, "int a;\r\nint x = ;");
                  }));
        finished = run({"--compile", broken});
        QVERIFY2(finished.out.endsWith("at class 1, slot 2, line 1\n"), finished.out.constData());
        QCOMPARE(run({"--compile"}).status, 2);
        verifyNoSettingsWritten();
        verifyUserFoldersLeftEmpty();
    }

    void parallelCompilesEachReportTheirOwnResult() {
        std::vector<std::unique_ptr<QProcess>> compiles;
        for (int i = 0; i < 8; ++i) {
            const QString folder = path("parallel/p" + QString::number(i));
            QDir().mkpath(folder);
            writeFile(folder + "/P.tzp", projectBytes([i](tz::ProjectFileContent& content) {
                          if (i % 2)
                              content.project.setBody(
                                  1, 1, "int v" + std::to_string(i) + " = ;\r\nint w;");
                      }));
            compiles.push_back(std::make_unique<QProcess>());
            start(*compiles.back(), {"--compile", folder + "/P.tzp"});
        }
        for (int i = 0; i < 8; ++i) {
            const QString source = path("parallel/p" + QString::number(i) + "/NewClass.java");
            const Finished finished = finish(*compiles[i]);
            if (i % 2 == 0) {
                QCOMPARE(finished.out,
                         "The file " + source.toUtf8() + " was compiled SUCCESFULLY\n");
                QCOMPARE(finished.status, 0);
            } else {
                QVERIFY2(finished.out.startsWith(source.toUtf8() + ":"), finished.out.constData());
                QVERIFY2(finished.out.endsWith("int v" + QByteArray::number(i) +
                                               " = ;\nat class 1, slot 1, line 0\n"),
                         finished.out.constData());
                QCOMPARE(finished.status, 1);
            }
        }
    }

    // Installed by root and run by someone else: the program's folder and
    // its Java layer can only be read.
    void readOnlyProgramCompiles() {
        QTemporaryDir installed;
        QVERIFY(QFile::copy(program, installed.filePath("tzjava")));
        QVERIFY(QDir().mkpath(installed.filePath("java/bin")));
        for (const char* name : {"javac", "javac.pif"})
            QVERIFY(QFile::link(QStringLiteral(TZ_JAVA_BIN_DIR) + "/" + name,
                                installed.filePath("java/bin/") + name));
        QCOMPARE(QProcess::execute("chmod", {"-R", "a+rX,a-w", installed.path()}), 0);
        const auto writable = qScopeGuard([&] {
            QProcess::execute("chmod", {"-R", "u+w", installed.path()});
        });
        QTemporaryDir projects;
        QVERIFY(QFile::setPermissions(projects.path(), QFile::Permissions(0x7777)));
        writeFile(projects.filePath("P.tzp"), projectBytes([](tz::ProjectFileContent&) {}));
        QFile::setPermissions(projects.filePath("P.tzp"), QFile::Permissions(0x6666));
        // Root could write anywhere: the run is then another user's.
        QStringList command{installed.filePath("tzjava"), "--compile", projects.filePath("P.tzp")};
        if (::geteuid() == 0)
            command =
                QStringList{"--reuid=nobody", "--regid=nogroup", "--clear-groups", "--"} + command;
        const QString executable = ::geteuid() == 0 ? "setpriv" : command.takeFirst();
        QProcess process;
        start(process, command, {}, executable);
        const Finished finished = finish(process);
        QVERIFY2(finished.err.isEmpty(), finished.err.constData());
        QCOMPARE(finished.out, "The file " + projects.filePath("NewClass.java").toUtf8() +
                                   " was compiled SUCCESFULLY\n");
        QCOMPARE(finished.status, 0);
    }

    // The compiler reads the bytes the user typed: Latin-1 when the source
    // is not UTF-8.
    void latin1AppletCompiles() {
        QDir().mkpath(path("latin1"));
        const QString source = path("latin1/A.java");
        QByteArray latin1 = JavaSource;
        writeFile(source, latin1.replace("\"}\"", "\"Gr\374\337e\""));
        const QString project = path("latin1/A.tzp");
        QCOMPARE(run({"--import-java", source, project}).status, 0);
        const Finished finished = run({"--compile", project});
        QVERIFY2(finished.status == 0, finished.out.constData());
        QVERIFY(readBytes(path("latin1/A.class")).contains("Gr\303\274\303\237e"));
    }

    void exportWritesWhatTheProgramWrites() {
        const QString project = path("Shown.tzp");
        const QString shown = path("Shown.java");
        {
            Designer d;
            d.create(1, {QPoint(30, 40)});
            d.create(3, {QPoint(10, 150)});
            answerFileDialog([] { triggerCommand("SaveProjectAs1"); }, project);
            answerFileDialog([] { triggerCommand("FileSaveas"); }, shown);
        }
        const QString out = path("Batch.java");
        writeFile(out, "an older file, longer than nothing");
        const Finished finished = run({"--export-java", project, out});
        QCOMPARE(finished.err, QByteArray());
        QCOMPARE(finished.status, 0);
        QVERIFY(!readBytes(shown).isEmpty());
        QCOMPARE(readBytes(out), readBytes(shown));
        verifyNoSettingsWritten();
    }

    void importWritesWhatTheProgramWrites() {
        const QString source = path("A.java");
        writeFile(source, JavaSource);
        const QString shown = path("Imported.tzp");
        {
            StartedProgram started;
            answerFileDialog([] { triggerCommand("Open1"); }, source);
            answerFileDialog([] { triggerCommand("SaveProjectAs1"); }, shown);
        }
        const QString out = path("Batch.tzp");
        const Finished finished = run({"--import-java", source, out});
        QCOMPARE(finished.err, QByteArray());
        QCOMPARE(finished.status, 0);
        const QByteArray expected = readBytes(shown);
        QVERIFY(readBytes(out).contains("\r\nwidth=410\r\nheight=316\r\n"));
        QCOMPARE(readBytes(out), expected);
        verifyNoSettingsWritten();
    }

    void imageQuestionIsAnsweredNo() {
        const QString picture = path("pics/pic.gif");
        QVERIFY(QDir(work.path()).mkpath("pics"));
        writeFile(picture, "GIF89a");
        const QString project = path("Pictured.tzp");
        writeFile(project, projectBytes([&](tz::ProjectFileContent& content) {
                      auto& images = content.objects[int(tz::ObjectKind::Image)];
                      images.records[0].fields = {
                          picture.toStdString(), "1", "2", "3", "4", "JImage0", ""};
                      images.count = 1;
                  }));
        const QString out = path("Pictured.java");
        const Finished finished = run({"--export-java", project, out});
        QCOMPARE(finished.status, 0);
        QCOMPARE(finished.err, "The file \"pic.gif\" cant be found in " +
                                   (work.path() + "/").toUtf8() +
                                   " Do you want to copy it there?\n");
        QVERIFY(!QFile::exists(path("pic.gif")));
        QVERIFY(readBytes(out).contains("JImage0"));
    }

    // The commands work without a window system: no platform plugin is loaded.
    void exportLoadsNoWindowSystem() {
        const QString project = path("Plain.tzp");
        writeFile(project, projectBytes([](tz::ProjectFileContent&) {}));
        QProcess process;
        start(process, {"--export-java", project, path("Plain.java")},
              {"LD_DEBUG=files", "LD_DEBUG_OUTPUT=" + path("loaded")});
        QCOMPARE(finish(process).status, 0);
        const QStringList logs = QDir(work.path()).entryList({"loaded.*"});
        QVERIFY(!logs.isEmpty());
        for (const QString& log : logs) QVERIFY(!readBytes(path(log)).contains("/platforms/"));
    }

    void problemsStopTheRun_data() {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArray>("message");
        QTest::newRow("corrupt project") << "--export-java" << QByteArray("[Java]\r\n")
                                         << QByteArray("This project file is corrupt!\n");
        QTest::newRow("paint message")
            << "--export-java" << projectBytes([](tz::ProjectFileContent& content) {
                   content.project.setDeclaration(1, 2, "public void paint(Graphics)");
               })
            << QByteArray("Your paint interface does not contain any declaration!\n");
        QByteArray manyClasses;
        for (int i = 0; i < 21; ++i) manyClasses += "class C" + QByteArray::number(i) + " { }\n";
        QTest::newRow("refused scan")
            << "--import-java" << manyClasses << QByteArray("more than 20");
    }
    void problemsStopTheRun() {
        QFETCH(QString, option);
        QFETCH(QByteArray, input);
        QFETCH(QByteArray, message);
        const QString in = path("In.file");
        writeFile(in, input);
        const QString out = path("Out.file");
        QFile::remove(out);
        const Finished finished = run({option, in, out});
        QCOMPARE(finished.status, 1);
        QVERIFY2(finished.err.contains(message), finished.err.constData());
        QVERIFY2(finished.err.contains(in.toUtf8()), finished.err.constData());
        QCOMPARE(finished.err.count('\n'), 1);
        QVERIFY(!QFile::exists(out));
    }

    void classNamesNeverLeaveTheProjectFolder() {
        QVERIFY(QDir(work.path()).mkpath("names"));
        const QString folder = path("names");
        writeFile(path("victim.java"), "kept");
        writeFile(path("notes.txt"), "kept");
        const QStringList outside = QDir(work.path()).entryList(QDir::Files);
        for (const QByteArray& name : {QByteArray("../victim"), QByteArray("../notes.txt\0", 13)}) {
            QByteArray bytes = projectBytes([](tz::ProjectFileContent&) {});
            bytes.replace("classname=NewClass", "classname=" + name);
            writeFile(folder + "/p.tzp", bytes);
            const Finished finished = run({"--compile", folder + "/p.tzp"});
            QCOMPARE(finished.status, 1);
            QVERIFY2(finished.err.contains("This project file is corrupt!"),
                     finished.err.constData());
        }
        // The imported class name stops at the NUL: the source is A.java.
        writeFile(folder + "/N.java",
                  QByteArray("public class A\0/../../B extends java.applet.Applet\n{\n}\n", 55));
        QCOMPARE(run({"--import-java", folder + "/N.java", folder + "/n.tzp"}).status, 0);
        QCOMPARE(run({"--compile", folder + "/n.tzp"}).status, 1);
        QCOMPARE(QDir(folder).entryList(QDir::Files),
                 QStringList({"A.java", "N.java", "n.tzp", "p.tzp"}));
        QCOMPARE(QDir(work.path()).entryList(QDir::Files), outside);
        QCOMPARE(readBytes(path("victim.java")), QByteArray("kept"));
        QCOMPARE(readBytes(path("notes.txt")), QByteArray("kept"));
    }

    void brokenSourceIsImportedWithANote() {
        const QString in = path("Open.java");
        writeFile(in, "class Open {\n  int x; /* not closed\n");
        const Finished finished = run({"--import-java", in, path("Open.tzp")});
        QCOMPARE(finished.status, 0);
        QCOMPARE(finished.err,
                 in.toUtf8() + ": The source ends early, inside a comment in class Open.\n");
        QVERIFY(readBytes(path("Open.tzp")).contains("\r\nclass Open \r\nint x;\r\n"));
    }

    void unreadableInputStopsTheRun() {
        for (const char* option : {"--export-java", "--import-java"}) {
            const Finished finished = run({option, path("missing.file"), path("Out.file")});
            QCOMPARE(finished.status, 1);
            QVERIFY(finished.err.contains(path("missing.file").toUtf8()));
            QCOMPARE(finished.err.count('\n'), 1);
            QVERIFY(!QFile::exists(path("Out.file")));
        }
    }

    // A probe applet with a picture, two parameters, an inner and a second
    // class, exported and run by java -jar from a folder of its own under a
    // window manager: the applet and its controls keep their designed sizes.
    void exportedJarRunsFromAnyFolder() {
        if (QStandardPaths::findExecutable("xvfb-run").isEmpty() ||
            QStandardPaths::findExecutable("openbox").isEmpty())
            QSKIP("xvfb-run or openbox is not installed");
        QDir().mkpath(path("jar"));
        QImage picture(16, 8, QImage::Format_RGB32);
        picture.fill(Qt::red);
        for (int x = 8; x < 16; ++x)
            for (int y = 0; y < 8; ++y) picture.setPixel(x, y, qRgb(0, 0, 255));
        QVERIFY(picture.save(path("jar/pic.png")));
        // Left by earlier compiles: the JAR holds only what this one writes.
        writeFile(path("jar/NewClass$7.class"), "stale");
        writeFile(path("jar/Old.class"), "stale");
        const QString project = path("jar/Probe.tzp");
        writeFile(
            project, projectBytes([&](tz::ProjectFileContent& content) {
                auto add = [&](tz::ObjectKind kind, std::array<std::string, 7> fields) {
                    auto& table = content.objects[int(kind)];
                    table.records[table.count++].fields = fields;
                };
                add(tz::ObjectKind::Button, {"Go", "10", "10", "80", "25", "JButton0", ""});
                add(tz::ObjectKind::Label, {"Hi", "95", "12", "90", "22", "JLabel0", "[RIGHT]"});
                add(tz::ObjectKind::TextField, {"text", "200", "9", "95", "27", "JTextfield0", ""});
                add(tz::ObjectKind::Image,
                    {path("jar/pic.png").toStdString(), "20", "40", "16", "8", "JImage0", ""});
                content.appletWidth = 300;
                content.appletHeight = 226;
                content.options.parameters = {{"speed", "10"}, {"text", "Hi there"}};
                tz::Project& p = content.project;
                p.setLastSlot(1, 3);
                p.fillSlot(
                    1, 3, "start", "public void start()",
                    "new Thread(new Runnable() { public void run() { try {\r\n"
                    "java.awt.MediaTracker tracker = new java.awt.MediaTracker(NewClass.this);\r\n"
                    "Image image = getImage(getDocumentBase(), JImage0_Picture);\r\n"
                    "tracker.addImage(image, 0);\r\n"
                    "tracker.waitForAll();\r\n"
                    "while (getParent().getInsets().top == 0) Thread.sleep(20);\r\n"
                    "java.awt.Robot robot = new java.awt.Robot();\r\n"
                    "repaint();\r\n"
                    "robot.waitForIdle();\r\n"
                    "java.awt.Point at = getLocationOnScreen();\r\n"
                    "java.awt.image.BufferedImage shot = robot.createScreenCapture(new "
                    "java.awt.Rectangle(at.x, at.y, getWidth(), getHeight()));\r\n"
                    "Frame frame = (Frame) getParent();\r\n"
                    "System.out.println(getParameter(\"speed\") + \"|\" + "
                    "getParameter(\"text\") + \"|\" + image.getWidth(null) + \"x\" + "
                    "image.getHeight(null) + \"|\" + getWidth() + \"x\" + getHeight() + "
                    "\"|\" + Integer.toHexString(shot.getRGB(22, 42)) + \"|\" + "
                    "Integer.toHexString(shot.getRGB(33, 45)) + \"|\" + frame.getTitle());\r\n"
                    "for (Component c : getComponents()) System.out.println(c.getBounds());\r\n"
                    "frame.dispatchEvent(new java.awt.event.WindowEvent(frame, "
                    "java.awt.event.WindowEvent.WINDOW_CLOSING));\r\n"
                    "} catch (Exception e) { e.printStackTrace(); } } }).start();");
                p.setClassCount(2);
                p.fillSlot(2, 0, "Helper", "class Helper", "int unused;");
            }));
        const QString folder = path("Mein Ordner \u00fc");
        QDir().mkpath(folder);
        const QString jar = folder + "/Probe.jar";
        const Finished exported = run({"--export-jar", project, jar});
        QVERIFY2(exported.status == 0, exported.err.constData());
        QVERIFY(exported.out.startsWith("The runnable JAR " + jar.toUtf8() + " was written.\n"));

        QStringList expected =
            jarEntries(TZ_JAVA_BIN_DIR "/appletviewer.jar") +
            QStringList{"run.htm", "NewClass.class", "NewClass$1.class", "Helper.class", "pic.png"};
        expected.sort();
        QCOMPARE(jarEntries(jar), expected);

        QProcess java;
        // Without a UTF-8 locale the JDK itself cannot name that folder.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("LC_ALL", "C.UTF-8");
        java.setProcessEnvironment(environment);
        java.setWorkingDirectory(folder);
        java.start("xvfb-run", {"-a", "-s", "-screen 0 1024x768x24", "sh", "-c",
                                "openbox & exec java -jar Probe.jar"});
        QVERIFY(java.waitForFinished(120000));
        QCOMPARE(java.exitCode(), 0);
        QCOMPARE(QString(java.readAllStandardOutput()).remove("java.awt.Rectangle").trimmed(),
                 QString("10|Hi there|16x8|300x200|ffff0000|ff0000ff|Applet Viewer: "
                         "NewClass.class\n[x=10,y=10,width=80,height=25]\n"
                         "[x=95,y=12,width=90,height=22]\n[x=200,y=9,width=95,height=27]"));
    }

    void exportJarStopsAtACompileError() {
        QDir().mkpath(path("badjar"));
        const QString broken = path("badjar/Broken.tzp");
        writeFile(broken, projectBytes([](tz::ProjectFileContent& content) {
                      content.project.setBody(1, 1, "int a;\r\nint x = ;\r\nint c;");
                  }));
        const Finished finished = run({"--export-jar", broken, path("badjar/Broken.jar")});
        QCOMPARE(finished.status, 1);
        QVERIFY2(finished.out.endsWith("int x = ;\nat class 1, slot 1, line 1\n"),
                 finished.out.constData());
        QVERIFY(!QFile::exists(path("badjar/Broken.jar")));
    }

    // A received project names secrets as pictures and parameter files:
    // only the applet's own pictures and sounds go in, the rest is named.
    void exportedJarHoldsOnlyTheAppletsFiles() {
        QDir().mkpath(path("safejar/pics"));
        const QString secret = path("secret.txt");
        writeFile(secret, "SECRET");
        QVERIFY(!writePicture(path("safejar/pics"), "rel.png", QSize(4, 4)).isEmpty());
        for (const char* name : {".netrc", "notes.txt", "beep.au"})
            writeFile(path("safejar/") + name, "data");
        QVERIFY(QFile::link(secret, path("safejar/shot.gif")));
        const QString project = path("safejar/Safe.tzp");
        writeFile(
            project, projectBytes([&](tz::ProjectFileContent& content) {
                auto& images = content.objects[int(tz::ObjectKind::Image)];
                const std::string pictures[] = {secret.toStdString(), "", "pics/rel.png"};
                for (const std::string& picture : pictures) {
                    const std::string name = "JImage" + std::to_string(images.count);
                    images.records[images.count++].fields = {picture, "1", "1", "8", "8", name, ""};
                }
                content.options.parameters = {{"sound", "beep.au"},          {"cfg", ".netrc"},
                                              {"shot", "shot.gif"},          {"notes", "notes.txt"},
                                              {"abs", secret.toStdString()}, {"text", "Hi"}};
            }));
        const QString jar = path("safejar/Safe.jar");
        const Finished exported = run({"--export-jar", project, jar});
        QVERIFY2(exported.status == 0, exported.err.constData());
        const QString left = "Left out of the JAR: ";
        QCOMPARE(
            QString(exported.out).split('\n', Qt::SkipEmptyParts),
            QStringList({"The runnable JAR " + jar + " was written.", "Packed: run.htm",
                         "Packed: NewClass.class", "Packed: rel.png", "Packed: beep.au",
                         "Packed: the applet runner",
                         left + secret + " is not a picture the applet can show.",
                         left + path("safejar/.netrc") + " is a hidden file.",
                         left + path("safejar/shot.gif") + " leads out of the project's folder.",
                         left + path("safejar/notes.txt") +
                             " is neither a picture nor a sound an applet loads.",
                         left + secret + " is not a file of the project's folder."}));
        QStringList expected = jarEntries(TZ_JAVA_BIN_DIR "/appletviewer.jar") +
                               QStringList{"run.htm", "NewClass.class", "rel.png", "beep.au"};
        expected.sort();
        QCOMPARE(jarEntries(jar), expected);

        // Staging needs the temporary folder; the message says which failed.
        QProcess staging;
        start(staging, {"--export-jar", project, jar}, {"TMPDIR=" + secret});
        const QByteArray failed = finish(staging).err;
        QVERIFY2(failed.contains("Cannot make a working folder in " + secret.toUtf8()), failed);
    }

    // Ctrl+C or SIGTERM end the compile's processes and its working folder;
    // a folder of a program killed before is removed, one of a live one not.
    void interruptedCompileLeavesNothingBehind() {
        QTemporaryDir runtime;
        QFile::setPermissions(runtime.path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        // No process has an id above the largest the system gives.
        const qint64 gone = readFile("/proc/sys/kernel/pid_max").trimmed().toLongLong() + 1;
        const QString live = QString("tzjava-%1-Live01").arg(QCoreApplication::applicationPid());
        for (const QString& name : {QString("tzjava-%1-Dead01").arg(gone), live}) {
            QVERIFY(QDir(runtime.path()).mkpath(name));
            writeFile(runtime.filePath(name + "/javac.bat"), "left");
        }
        const QString project = path("Stop.tzp");
        writeFile(project, projectBytes([](tz::ProjectFileContent&) {}));
        QProcess compile;
        start(compile, {"--compile", project}, {"XDG_RUNTIME_DIR=" + runtime.path()});
        QVERIFY(compile.waitForStarted());
        const QString own = runtime.filePath(QString("tzjava-%1-").arg(compile.processId()));
        QVERIFY(QTest::qWaitFor([&] { return !processesWorkingIn(own).isEmpty(); }, 60000));
        compile.terminate();
        QVERIFY(compile.waitForFinished(60000));
        QCOMPARE(compile.exitStatus(), QProcess::CrashExit);
        QCOMPARE(compile.exitCode(), SIGTERM);
        // A zombie's working folder can no longer be read.
        QVERIFY(QTest::qWaitFor([&] { return processesWorkingIn(own).isEmpty(); }, 10000));
        QCOMPARE(QDir(runtime.path()).entryList({"tzjava-*"}, QDir::Dirs), QStringList(live));
    }

    // A received folder whose source is a link to a file elsewhere: the
    // compile does not replace that file, and leaves no copy of it behind.
    void compileDoesNotWriteThroughALinkOutOfTheFolder() {
        QDir().mkpath(path("linked"));
        const QString victim = path("victim.java");
        writeFile(victim, "class Mine {}");
        const QString source = path("linked/NewClass.java");
        QVERIFY(QFile::link(victim, source));
        const QString project = path("linked/Linked.tzp");
        writeFile(project, projectBytes([](tz::ProjectFileContent&) {}));
        writeFile(source + ".orig", "older");
        const Finished finished = run({"--compile", project});
        QCOMPARE(finished.status, 1);
        QCOMPARE(QString(finished.err), "Unable to write to " + source + ": it is a link to " +
                                            victim + ", outside its folder\n");
        QCOMPARE(readBytes(victim), QByteArray("class Mine {}"));
        // The copy made for the refused write goes; the older backup stays.
        QVERIFY(readBytes(source + ".orig") == "older" && !QFile::exists(source + ".orig.1"));
        // One that stays inside the folder is followed.
        QVERIFY(QFile::remove(source) && QFile::link("Real.java", source));
        QCOMPARE(run({"--compile", project}).status, 0);
        QVERIFY(readBytes(path("linked/Real.java")).contains("class NewClass"));
    }

    void nonRegularFilesAreRefusedAtOnce() {
        const QString fifo = path("pipe");
        makeFifo(fifo);
        const QString source = path("Good.java");
        writeFile(source, JavaSource);
        const QString project = path("Good.tzp");
        writeFile(project, projectBytes([](tz::ProjectFileContent&) {}));
        for (const auto& [option, input] :
             {std::pair{"--import-java", source}, {"--export-java", project}}) {
            const Finished finished = run({option, input, fifo});
            QCOMPARE(finished.status, 1);
            QVERIFY2(finished.err.contains(fifo.toUtf8()), finished.err.constData());
            QVERIFY(isFifo(fifo));
        }
        Finished finished = run({"--import-java", fifo, path("FromPipe.tzp")});
        QCOMPARE(finished.status, 1);
        QVERIFY2(finished.err.contains(fifo.toUtf8()), finished.err.constData());

        // A picture that cannot be read leaves the image empty.
        const QString pictured = path("PipePicture.tzp");
        writeFile(pictured, projectBytes([&](tz::ProjectFileContent& content) {
                      auto& images = content.objects[int(tz::ObjectKind::Image)];
                      images.records[0].fields = {fifo.toStdString(), "1", "2", "3", "4",
                                                  "JImage0",          ""};
                      images.count = 1;
                  }));
        finished = run({"--export-java", pictured, path("PipePicture.java")});
        QCOMPARE(finished.status, 0);
        QVERIFY(readBytes(path("PipePicture.java")).contains("JImage0"));
    }

    void oneFileAsInputAndOutputIsRefused() {
        QVERIFY(QDir(work.path()).mkpath("same"));
        const QString source = path("same/Same.java");
        writeFile(source, JavaSource);
        const QString project = path("same/Same.tzp");
        const QByteArray projectFile = projectBytes([](tz::ProjectFileContent&) {});
        writeFile(project, projectFile);
        QVERIFY(QFile::link(source, path("same/SameLink.java")));
        QCOMPARE(::link(QFile::encodeName(project).constData(),
                        QFile::encodeName(path("same/SameHard.tzp")).constData()),
                 0);
        // A JAR's place is checked before anything is compiled.
        const QList<QStringList> lines{{"--import-java", source, source},
                                       {"--import-java", source, path("same/SameLink.java")},
                                       {"--export-java", project, project},
                                       {"--export-java", project, path("same/SameHard.tzp")},
                                       {"--export-jar", project, path("same")},
                                       {"--export-jar", project, path("same/no/Same.jar")},
                                       {"--export-jar", project, path("same/NewClass.java")},
                                       {"--export-jar", project, path("same/NewClass.class")}};
        for (const QStringList& line : lines) {
            const Finished finished = run(line);
            QCOMPARE(finished.status, 1);
            QVERIFY2(finished.err.contains(line.at(2).toUtf8()), finished.err.constData());
            QCOMPARE(readBytes(source), JavaSource);
            QCOMPARE(readBytes(project), projectFile);
            QVERIFY(!QFile::exists(path("same/NewClass.java")));
        }
        // Nor is a project saved as its applet's source compiled over, or its backup replaced.
        const QByteArray same =
            projectBytes([](auto& content) { content.project.setName(1, 0, "Same"); });
        writeFile(source, same);
        writeFile(source + ".orig", "older");
        const Finished compiled = run({"--compile", source});
        QVERIFY2(compiled.err.startsWith(source.toUtf8() + " is the project file"),
                 compiled.err.constData());
        QVERIFY(compiled.status == 1 && readBytes(source) == same &&
                readBytes(source + ".orig") == "older");
    }

    void failedWriteKeepsTheOldSource() {
        QVERIFY(QDir(work.path()).mkpath("big"));
        const QString project = path("big/Big.tzp");
        writeFile(project, projectBytes([](tz::ProjectFileContent& content) {
                      std::string body;
                      for (int i = 0; i < 10000; ++i) body += "// a long body\r\n";
                      content.project.setBody(1, 1, body);
                  }));
        const QString out = path("Big.java");
        const QString compiled = path("big/NewClass.java");
        for (const QString& old : {out, compiled}) writeFile(old, "the old source");
        const std::pair<QStringList, QString> runs[] = {{{"--export-java", project, out}, out},
                                                        {{"--compile", project}, compiled}};
        for (const auto& [line, written] : runs) {
            // A shell's own limit: the program meets the signal itself.
            QProcess limited;
            start(limited, QStringList{"-c", "ulimit -f 64 && exec \"$0\" \"$@\"", program} + line,
                  {}, "/bin/sh");
            const Finished finished = finish(limited);
            QCOMPARE(finished.status, 1);
            QCOMPARE(finished.err, "Unable to write to " + written.toUtf8() + ": File too large\n");
            QCOMPARE(readBytes(written), QByteArray("the old source"));
        }
    }

    // Every line is a batch command, a start on a display, or refused with
    // the usage; none may wait on windows nobody sees.
    void commandLine_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("environment");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("output");
        const QStringList none;
        const QByteArray help("--import-java");
        QTest::newRow("help") << QStringList{"--help"} << none << 0 << help;
        QTest::newRow("-h") << QStringList{"-h"} << none << 0 << help;
        QTest::newRow("-?") << QStringList{"-?"} << none << 0 << help;
        QTest::newRow("help-all") << QStringList{"--help-all"} << none << 0 << help;
        QTest::newRow("help-all, dead display")
            << QStringList{"--help-all"} << QStringList{"DISPLAY=:97"} << 0 << help;
        QTest::newRow("version") << QStringList{"--version"} << none << 0 << QByteArray("1.15");
        QTest::newRow("-v") << QStringList{"-v"} << none << 0 << QByteArray("1.15");
        QTest::newRow("one file") << QStringList{"--export-java", "a.tzp"} << none << 2
                                  << QByteArray();
        QTest::newRow("both") << QStringList{"--export-java", "--import-java", "a", "b"} << none
                              << 2 << QByteArray();
        QTest::newRow("compile two")
            << QStringList{"--compile", "a.tzp", "b.tzp"} << none << 2 << QByteArray();
        QTest::newRow("unknown option") << QStringList{"--bogus"} << none << 2 << QByteArray();
        QTest::newRow("jar without output")
            << QStringList{"--export-jar", "a.tzp"} << none << 2 << QByteArray();
        QTest::newRow("toolkit option")
            << QStringList{"-style", "fusion"} << none << 2 << QByteArray();
        QTest::newRow("two projects") << QStringList{"a.tzp", "b.tzp"} << none << 2 << QByteArray();
        // Starts of the program's windows, with no display to show them on.
        QTest::newRow("no arguments") << QStringList() << none << 2 << QByteArray();
        QTest::newRow("project") << QStringList{"x.tzp"} << none << 2 << QByteArray();
        QTest::newRow("-- project") << QStringList{"--", "x.tzp"} << none << 2 << QByteArray();
        QTest::newRow("-- option") << QStringList{"--", "--compile"} << none << 2 << QByteArray();
        QTest::newRow("-") << QStringList{"-"} << none << 2 << QByteArray();
        QTest::newRow("offscreen") << QStringList{"x.tzp"}
                                   << QStringList{"QT_QPA_PLATFORM=offscreen"} << 2 << QByteArray();
    }
    void commandLine() {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, environment);
        QFETCH(int, status);
        QFETCH(QByteArray, output);
        QProcess process;
        start(process, arguments, environment);
        const Finished finished = finish(process, 60000);
        QCOMPARE(finished.status, status);
        QVERIFY(finished.out.contains(output));
        QCOMPARE(finished.err.isEmpty(), status == 0);
        if (status == 2) QVERIFY2(finished.err.contains("Usage:"), finished.err.constData());
    }
};

QTEST_MAIN(BatchTest)
#include "tst_batch.moc"
