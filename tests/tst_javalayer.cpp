// The Java layer beside the executable, with the real JDK: the batch runner,
// the compiler client and its warm service, and the applet viewer's page
// reading.
#include <poll.h>
#include <sys/stat.h>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <thread>

#include "buildtests.h"
#include "codegen/CodeGenerator.h"
#include "toolchain/BuildFiles.h"

using buildtests::askCompileService;
using buildtests::compileServiceSocket;
using buildtests::servedCompiles;

namespace {

const QString JavaBin = QStringLiteral(TZ_JAVA_BIN_DIR);

// A program folder of our own whose java/bin links to the built layer, and
// a compile's working folder.
struct JavaFolder {
    QTemporaryDir root;
    QTemporaryDir work;
    QString bin;
    JavaFolder() : bin(root.filePath("java/bin")) {
        QDir().mkpath(bin);
        for (const char* name : {"javac", "javac.pif", "appletviewer", "appletviewer.jar"})
            QFile::link(JavaBin + "/" + name, bin + "/" + name);
    }
    // Writes the batch files as a compile does and starts the batch on source,
    // through launcher (a program and its first arguments) when given.
    std::unique_ptr<QProcess> startCompile(
        const QString& source, bool optimize = false,
        const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment(),
        QStringList launcher = {}) {
        writeFile(work.filePath("byt.txt"), QByteArray::fromStdString(tz::compilerOutputPadding()));
        writeFile(work.filePath("javac.bat"), QByteArray::fromStdString(tz::javacBatch(optimize)));
        auto pif = std::make_unique<QProcess>();
        pif->setProcessEnvironment(environment);
        pif->setWorkingDirectory(work.path());
        launcher << bin + "/javac.pif" << source;
        pif->start(launcher.takeFirst(), launcher);
        return pif;
    }
    // The batch's output once it has ended; events are served meanwhile.
    QByteArray output(QProcess& pif) {
        if (!QTest::qWaitFor([&] { return pif.state() == QProcess::NotRunning; }, 120000))
            return "the batch did not end";
        return readBytes(work.filePath("tst.txt"));
    }
    QString compile(const QString& source, bool optimize = false) {
        return QString::fromUtf8(output(*startCompile(source, optimize)));
    }
};

// The JDK's compiler run in this process, whatever service answers.
QProcessEnvironment coldEnvironment() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("TZ_WARM_COMPILER", "0");
    return environment;
}

const char* const CleanApplet =
    "import java.applet.*;\r\nimport java.awt.*;\r\n"
    "public class NewClass extends Applet//\\1,0,-1,\r\n\r\n{\r\n"
    "public void paint(Graphics g)//\\1,2,-1,\r\n\r\n{\r\ng.drawString(\"hi\", 1, 1);\r\n}\r\n}";

}  // namespace

class JavaLayerTest : public QObject {
    Q_OBJECT
    QTemporaryDir runtime;
    QProcess service;

  private Q_SLOTS:
    // One service for the whole test, in a runtime folder of its own.
    void initTestCase() {
        qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
        QVERIFY(QDir().mkdir(runtime.filePath("tzjava"),
                             QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        service.setProcessChannelMode(QProcess::ForwardedChannels);
        service.start(JavaBin + "/compileservice",
                      {"--trim-after-ms", "1000", compileServiceSocket()});
        QVERIFY(QTest::qWaitFor([] { return servedCompiles() == 0; }, 60000));
    }

    void cleanupTestCase() {
        service.closeWriteChannel();
        QVERIFY(service.waitForFinished(30000));
    }

    void cleanCompileLeavesOnlyThePadding() {
        JavaFolder folder;
        const QString source = folder.root.filePath("NewClass.java");
        writeFile(source, CleanApplet);
        QCOMPARE(folder.compile(source, true), QString(" \r\n"));
        QVERIFY(QFile::exists(folder.root.filePath("NewClass.class")));
    }

    void errorsArriveWithTheEchoedMarker() {
        JavaFolder folder;
        const QString source = folder.root.filePath("NewClass.java");
        QByteArray broken = CleanApplet;
        broken.replace("g.drawString(\"hi\", 1, 1);", "int x = ;//\\1,2,0,");
        writeFile(source, broken);
        const QString output = folder.compile(source);
        QVERIFY2(output.contains("error:"), qPrintable(output));
        QVERIFY(output.contains("int x = ;//\\1,2,0,"));
        QVERIFY(output.endsWith(" \r\n"));
    }

    void hostileFileNamesRunNothingButTheCompiler() {
        JavaFolder folder;
        const QString hostile =
            folder.root.filePath("we ird;touch PWNED;$(touch PWNED2)`touch PWNED3`'\"");
        QVERIFY(QDir().mkpath(hostile));
        const QString source = hostile + "/NewClass.java";
        writeFile(source, CleanApplet);
        QCOMPARE(folder.compile(source), QString(" \r\n"));
        QVERIFY(QFile::exists(hostile + "/NewClass.class"));
        for (const QString& dir : {folder.bin, folder.root.path(), folder.work.path()})
            for (const char* trace : {"PWNED", "PWNED2", "PWNED3"})
                QVERIFY(!QFile::exists(dir + "/" + trace));
    }

    void appletViewerReadsThePage() {
        QTemporaryDir folder;
        writeFile(folder.filePath("run.htm"),
                  QByteArray::fromStdString(tz::appletPage(
                      "/x/Bäume.java", 300, 226,
                      {{"speed", "10"}, {"Text", "Grüße €"}, {"quote", "a \"<b>\" & c"}})));
        QProcess viewer;
        viewer.setWorkingDirectory(folder.path());
        viewer.start(JavaBin + "/appletviewer", {"run.htm", "--describe"});
        QVERIFY(viewer.waitForFinished(60000));
        QCOMPARE(QString(viewer.readAllStandardOutput()).trimmed(),
                 QString("code=Bäume.class width=300 height=200 parameters={quote=a \"<b>\" & c, "
                         "speed=10, text=Grüße €}"));
    }

    // A generated applet with a button and a label, run by the viewer on a
    // virtual display; the applet reports what its window holds and exits.
    void generatedAppletRunsInTheViewer() {
        if (QStandardPaths::findExecutable("xvfb-run").isEmpty())
            QSKIP("xvfb-run is not installed");
        JavaFolder folder;
        tz::Project project;
        project.javaSourcePath = folder.root.filePath("NewClass.java").toStdString();
        project.setLastSlot(1, 3);
        project.fillSlot(1, 3, "start", "public void start()",
                         "java.awt.EventQueue.invokeLater(() -> {\r\n"
                         "java.awt.Container c = getParent();\r\n"
                         "while (!(c instanceof java.awt.Frame)) c = c.getParent();\r\n"
                         "System.out.println(((java.awt.Frame) c).getTitle() + \"|\" + getWidth()"
                         " + \"x\" + getHeight() + \"|\" + JButton0.getLabel() + \"|\" +"
                         " JLabel0.getText() + \"|\" + getParameter(\"speed\"));\r\n"
                         "System.exit(0);\r\n});");
        tz::LiveObject button{tz::ObjectKind::Button, 0, "Press", 10, 10, 65, 33, "JButton0"};
        tz::LiveObject label{tz::ObjectKind::Label, 0, "Hello", 10, 60, 73, 25, "JLabel0"};
        const tz::GeneratedCode code =
            tz::generateJava(project, {button, label}, tz::ProjectOptions{}, {});
        QVERIFY(code.ok());
        writeFile(folder.root.filePath("NewClass.java"), QByteArray::fromStdString(code.source));
        QCOMPARE(folder.compile(folder.root.filePath("NewClass.java")), QString(" \r\n"));
        writeFile(folder.root.filePath("run.htm"),
                  QByteArray::fromStdString(
                      tz::appletPage(project.javaSourcePath, 300, 226, {{"speed", "10"}})));
        QProcess viewer;
        viewer.setWorkingDirectory(folder.root.path());
        viewer.start("xvfb-run", {"-a", folder.bin + "/appletviewer", "run.htm"});
        QVERIFY(viewer.waitForFinished(120000));
        QCOMPARE(QString(viewer.readAllStandardOutput()).trimmed(),
                 QString("Applet Viewer: NewClass.class|300x200|Press|Hello|10"));
    }

    // The viewer finds a picture by name beside its page whatever the
    // folder and the picture are called.
    void picturesLoadFromAFolderWithBlanksAndQuotes() {
        if (QStandardPaths::findExecutable("xvfb-run").isEmpty())
            QSKIP("xvfb-run is not installed");
        JavaFolder folder;
        const QString applet = folder.root.filePath("My Apps \"it's\"");
        QVERIFY(QDir().mkpath(applet));
        QImage picture(5, 3, QImage::Format_RGB32);
        picture.fill(Qt::green);
        QVERIFY(picture.save(applet + "/my pic.png"));
        tz::Project project;
        project.javaSourcePath = (applet + "/NewClass.java").toStdString();
        project.setLastSlot(1, 3);
        project.fillSlot(
            1, 3, "start", "public void start()",
            "try {\r\n"
            "java.awt.MediaTracker tracker = new java.awt.MediaTracker(this);\r\n"
            "Image image = getImage(getCodeBase(), JImage0_Picture);\r\n"
            "tracker.addImage(image, 0);\r\n"
            "tracker.waitForAll();\r\n"
            "System.out.println(image.getWidth(null) + \"x\" + image.getHeight(null));\r\n"
            "} catch (InterruptedException e) { }\r\n"
            "System.exit(0);");
        tz::LiveObject image{
            tz::ObjectKind::Image, 0, applet.toStdString() + "/my pic.png", 1, 1, 5, 3, "JImage0"};
        const tz::GeneratedCode code = tz::generateJava(project, {image}, tz::ProjectOptions{}, {});
        QVERIFY(code.ok());
        writeFile(applet + "/NewClass.java", QByteArray::fromStdString(code.source));
        QCOMPARE(folder.compile(applet + "/NewClass.java"), QString(" \r\n"));
        writeFile(applet + "/run.htm",
                  QByteArray::fromStdString(tz::appletPage(project.javaSourcePath, 100, 126, {})));
        QProcess viewer;
        viewer.setWorkingDirectory(applet);
        viewer.start("xvfb-run", {"-a", folder.bin + "/appletviewer", "run.htm"});
        QVERIFY(viewer.waitForFinished(120000));
        QCOMPARE(QString(viewer.readAllStandardOutput()).trimmed(), QString("5x3"));
    }

    // The same bytes from the service as from the JDK's compiler run here,
    // and the JDK reads a Latin-1 source as Latin-1.
    void warmOutputEqualsCold_data() {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("clean") << QByteArray("g.drawString(\"hi\", 1, 1);") << QByteArray(" \r\n");
        QTest::newRow("errors") << QByteArray("y = 2;\r\nString s = 1;\r\nnoSuchCall();")
                                << QByteArray("3 errors");
        QTest::newRow("warning") << QByteArray("sun.misc.Unsafe u = null;")
                                 << QByteArray("1 warning");
        QTest::newRow("latin1") << QByteArray("g.drawString(\"Gr\374\337e\", 1, 1);")
                                << QByteArray(" \r\n");
    }
    void warmOutputEqualsCold() {
        QFETCH(QByteArray, body);
        QFETCH(QByteArray, expected);
        JavaFolder folder;
        const QString source = folder.root.filePath("NewClass.java");
        writeFile(source, QByteArray(CleanApplet).replace("g.drawString(\"hi\", 1, 1);", body));
        const QByteArray cold =
            folder.output(*folder.startCompile(source, true, coldEnvironment()));
        QVERIFY2(expected == " \r\n" ? cold == expected : cold.contains(expected),
                 cold.constData());
        const int served = servedCompiles();
        QCOMPARE(folder.output(*folder.startCompile(source, true)), cold);
        QCOMPARE(servedCompiles(), served + 1);
    }

    // A warm compile reads, writes and creates what the caller's cold one would: same output,
    // class file and mode, whatever rights the caller has dropped (root only) or umask it has.
    void warmCompileHasOnlyTheCallersRights_data() {
        QTest::addColumn<QStringList>("launcher");
        QTest::addColumn<QString>("setUp");
        QTest::addColumn<int>("servedWarm");
        const QStringList noRights{"setpriv", "--inh-caps=-all", "--bounding-set=-all"};
        QTest::newRow("umask") << QStringList{"sh", "-c", "umask 077 && exec \"$0\" \"$@\""} << ""
                               << 1;
        QTest::newRow("unreadable source") << noRights << "source" << 0;
        QTest::newRow("unwritable folder") << noRights << "folder" << 1;
    }
    void warmCompileHasOnlyTheCallersRights() {
        QFETCH(QStringList, launcher);
        QFETCH(QString, setUp);
        QFETCH(int, servedWarm);
        if (!setUp.isEmpty() &&
            (geteuid() != 0 || QStandardPaths::findExecutable("setpriv").isEmpty()))
            QSKIP("needs root and setpriv");
        JavaFolder folder;
        const QString applet = folder.root.filePath("applet");
        const QString source = applet + "/NewClass.java";
        QVERIFY(QDir().mkpath(applet));
        // A secret would show in the echoed line of an error.
        writeFile(source, setUp == "source"
                              ? QByteArray(CleanApplet)
                                    .replace("g.drawString(\"hi\", 1, 1);", "int x = SECRET_42;")
                              : QByteArray(CleanApplet));
        const std::string owned = (setUp == "source" ? source : applet).toStdString();
        if (!setUp.isEmpty()) QCOMPARE(chown(owned.c_str(), 65534, 65534), 0);
        if (setUp == "source") QCOMPARE(chmod(owned.c_str(), 0600), 0);
        auto outcome = [&](const QProcessEnvironment& environment) {
            const QByteArray output =
                folder.output(*folder.startCompile(source, false, environment, launcher));
            const QFileInfo made(applet + "/NewClass.class");
            const auto mode = made.exists() ? int(made.permissions()) : -1;
            QFile::remove(made.filePath());
            return output + " mode " + QByteArray::number(mode, 16);
        };
        const QByteArray cold = outcome(coldEnvironment());
        const int served = servedCompiles();
        QCOMPARE(outcome(QProcessEnvironment::systemEnvironment()), cold);
        QCOMPARE(servedCompiles(), served + servedWarm);
    }

    // Options that load code (processors, plugins) are for the JDK's compiler here.
    void optionsThatLoadCodeStayOutOfTheService() {
        JavaFolder folder;
        const QString source = folder.root.filePath("NewClass.java");
        writeFile(source, CleanApplet);
        const int served = servedCompiles();
        QProcess javac;
        javac.setWorkingDirectory(folder.work.path());
        javac.start(folder.bin + "/javac", {"-processorpath", folder.root.path(), source});
        QVERIFY(javac.waitForFinished(120000));
        QCOMPARE(javac.exitCode(), 0);
        QCOMPARE(servedCompiles(), served);
    }

    void parallelCompilesGetTheirOwnOutput() {
        const int served = servedCompiles();
        std::vector<std::unique_ptr<JavaFolder>> folders;
        std::vector<std::unique_ptr<QProcess>> runs;
        for (int i = 0; i < 4; ++i) {
            folders.push_back(std::make_unique<JavaFolder>());
            const QString source = folders.back()->root.filePath("NewClass.java");
            // Odd ones call a method of their own number that does not exist.
            const QByteArray body = i % 2 ? "missing" + QByteArray::number(i) + "();"
                                          : QByteArray("g.drawString(\"hi\", 1, 1);");
            writeFile(source, QByteArray(CleanApplet).replace("g.drawString(\"hi\", 1, 1);", body));
            runs.push_back(folders.back()->startCompile(source));
        }
        for (int i = 0; i < 4; ++i) {
            const QByteArray output = folders[i]->output(*runs[i]);
            if (i % 2 == 0) {
                QCOMPARE(output, QByteArray(" \r\n"));
            } else {
                QVERIFY2(output.contains("missing" + QByteArray::number(i)), output.constData());
                QVERIFY(!output.contains("missing" + QByteArray::number(4 - i)));
            }
        }
        QCOMPARE(servedCompiles(), served + 4);
    }

    // Bursts of compiles stay under 160 MB; a quiet second later (a minute
    // outside tests) the service is under 64 MB again.
    void memoryIsGivenBackWhenQuiet() {
        for (int burst = 0; burst < 25; ++burst) parallelCompilesGetTheirOwnOutput();
        const auto residentKb = [] { return buildtests::compileServiceState().value("rss-kb"); };
        QVERIFY2(residentKb().toInt() < 160 * 1024, qPrintable(residentKb()));
        QVERIFY2(QTest::qWaitFor([&] { return residentKb().toInt() < 64 * 1024; }, 60000),
                 qPrintable(residentKb()));
    }

    // Only this user's connections, through a folder only this user opens.
    void otherUsersAreRefused() {
        const QString folder = runtime.filePath("tzjava");
        const auto privateMode = QFile::permissions(folder);
        const auto openMode = QFile::ReadOther | QFile::ExeOther;
        JavaFolder java;
        const QString source = java.root.filePath("NewClass.java");
        writeFile(source, CleanApplet);
        const int served = servedCompiles();
        // A folder others can enter is not trusted: the JDK compiles here.
        QVERIFY(QFile::setPermissions(folder, privateMode | openMode));
        QCOMPARE(java.compile(source), QString(" \r\n"));
        if (geteuid() == 0 && !QStandardPaths::findExecutable("setpriv").isEmpty()) {
            const QString socket = compileServiceSocket();
            QFile::setPermissions(runtime.path(), QFile::permissions(runtime.path()) | openMode);
            QFile::setPermissions(socket, QFile::permissions(socket) | QFile::WriteOther);
            QProcess other;
            other.setProcessChannelMode(QProcess::MergedChannels);
            other.start("setpriv",
                        {"--reuid=65534", "--regid=65534", "--clear-groups", "java", "-cp",
                         JavaBin + "/compileservice.jar", "CompileService", "--status", socket});
            QVERIFY(other.waitForFinished(120000));
            const QByteArray answer = other.readAll();
            QVERIFY2(other.exitCode() == 1 && answer.contains("refused"), answer.constData());
        }
        QVERIFY(QFile::setPermissions(folder, privateMode));
        QCOMPARE(servedCompiles(), served);
    }

    // At most one service per user: a second one ends at once.
    void secondServiceLeavesTheFirst() {
        const QString pid = buildtests::compileServiceState().value("pid");
        QProcess second;
        second.start(JavaBin + "/compileservice", {compileServiceSocket()});
        QVERIFY(second.waitForFinished(60000));
        QCOMPARE(second.exitCode(), 0);
        QCOMPARE(buildtests::compileServiceState().value("pid"), pid);
    }

    // A request the service cannot read gets a refusal; the service goes on.
    void malformedRequestsAreDeclined() {
        for (const QByteArray& request :
             {QByteArray("HELLO"), QByteArray("TZC1\x7f\xff\xff\xff", 8),
              QByteArray("TZC1\0\0\0\2\0\0\0\x09/tmp", 16), QByteArray("TZC1\0\0\0\0", 8)})
            QVERIFY2(askCompileService(request).startsWith('E'), request.toHex().constData());
        QVERIFY(servedCompiles() >= 0);
    }

    // A service that ends before its reply is whole, answers without end or
    // says nothing leaves the compile to the JDK here.
    void brokenServiceLeavesTheCompileToTheJdk_data() {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<int>("repeats");
        QTest::newRow("ends mid reply") << QByteArray("R\0\0\0\0\0\0\0\x40half", 13) << 1;
        // 'R', status 0, then an output of 64 MiB.
        QTest::newRow("endless reply") << QByteArray("R\0\0\0\0\x04\0\0\0", 9) << 64;
        QTest::newRow("silent") << QByteArray() << 0;
    }
    void brokenServiceLeavesTheCompileToTheJdk() {
        QFETCH(QByteArray, reply);
        QFETCH(int, repeats);
        QTemporaryDir elsewhere;
        QVERIFY(QDir().mkdir(elsewhere.filePath("tzjava"),
                             QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        const int listener = socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address = buildtests::socketAddress(elsewhere.filePath("tzjava/compile.sock"));
        QVERIFY(bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0);
        QVERIFY(listen(listener, 1) == 0);
        int connections = 0;
        // Accepts one connection, sends reply and repeats MiB more and ends; a
        // silent one ends once the caller has.
        std::thread broken([&] {
            pollfd waiting{listener, POLLIN, 0};
            if (poll(&waiting, 1, 120000) != 1) return;
            const int peer = accept(listener, nullptr, nullptr);
            ++connections;
            const QByteArray more(1 << 20, 'x');
            bool open = send(peer, reply.constData(), reply.size(), MSG_NOSIGNAL) >= 0;
            for (int i = 0; open && i < repeats; ++i)
                open = send(peer, more.constData(), more.size(), MSG_NOSIGNAL) == more.size();
            pollfd ended{peer, POLLIN, 0};
            char buffer[4096];
            while (reply.isEmpty() && poll(&ended, 1, 120000) == 1 &&
                   read(peer, buffer, sizeof buffer) > 0) {
            }
            close(peer);
        });
        JavaFolder folder;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_RUNTIME_DIR", elsewhere.path());
        environment.insert("TZ_COMPILE_SERVICE_TIMEOUT_MS", "1000");
        writeFile(folder.root.filePath("NewClass.java"), CleanApplet);
        const QByteArray output = folder.output(
            *folder.startCompile(folder.root.filePath("NewClass.java"), false, environment));
        broken.join();
        close(listener);
        QCOMPARE(output, QByteArray(" \r\n"));
        QCOMPARE(connections, 1);
    }

    // Hundreds of idle and stalled connections: the service keeps a fixed number of threads,
    // closes them all in time and a compile meanwhile gets its output (warm or cold).
    void floodOfConnectionsIsBounded() {
        const QString pid = buildtests::compileServiceState().value("pid");
        const sockaddr_un address = buildtests::socketAddress(compileServiceSocket());
        // Half of them start a 4 MiB request and stop after 64 KiB.
        const QByteArray stalled = QByteArray("TZC2\0\x40\0\0", 8) + QByteArray(65536, '\0');
        std::vector<int> flood(300);
        for (std::size_t i = 0; i < flood.size(); ++i) {
            flood[i] = socket(AF_UNIX, SOCK_STREAM, 0);
            QVERIFY(::connect(flood[i], reinterpret_cast<const sockaddr*>(&address),
                              sizeof address) == 0);
            if (i % 2) send(flood[i], stalled.constData(), stalled.size(), MSG_NOSIGNAL);
        }
        JavaFolder folder;
        const QString source = folder.root.filePath("NewClass.java");
        writeFile(source, CleanApplet);
        QCOMPARE(folder.output(*folder.startCompile(source)), QByteArray(" \r\n"));
        const QString status = readFile("/proc/" + pid + "/status");
        const int threads = status.section("Threads:", 1).section('\n', 0, 0).trimmed().toInt();
        QVERIFY2(threads > 0 && threads < 64, qPrintable(QString::number(threads)));
        // Each one is answered or closed by the service.
        const QDeadlineTimer deadline(120000);
        for (const int fd : flood) {
            pollfd ended{fd, POLLIN, 0};
            char buffer[256];
            ssize_t got = 1;
            while (poll(&ended, 1, int(deadline.remainingTime())) == 1 &&
                   (got = read(fd, buffer, sizeof buffer)) > 0) {
            }
            close(fd);
            QVERIFY(got <= 0);
        }
        // The last workers may still be on their way back to the pool: "busy" until then.
        int served = -1;
        QVERIFY(QTest::qWaitFor([&] { return (served = servedCompiles()) >= 0; }, 30000));
        QCOMPARE(folder.output(*folder.startCompile(source)), QByteArray(" \r\n"));
        QCOMPARE(servedCompiles(), served + 1);
    }
};

QTEST_GUILESS_MAIN(JavaLayerTest)
#include "tst_javalayer.moc"
