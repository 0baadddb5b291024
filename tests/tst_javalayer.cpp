// The Java layer beside the executable, with the real JDK: the batch runner,
// the compiler wrapper and the applet viewer's page reading.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include "build/BuildFiles.h"
#include "codegen/CodeGenerator.h"
#include "testhelpers.h"

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
    // Writes the batch files as a compile does and runs the batch on source.
    QString compile(const QString& source, bool optimize = false) {
        writeFile(work.filePath("byt.txt"), QByteArray::fromStdString(tz::compilerOutputPadding()));
        writeFile(work.filePath("javac.bat"), QByteArray::fromStdString(tz::javacBatch(optimize)));
        QProcess pif;
        pif.setWorkingDirectory(work.path());
        pif.start(bin + "/javac.pif", {source});
        pif.waitForFinished(120000);
        return readFile(work.filePath("tst.txt"));
    }
};

const char* const CleanApplet =
    "import java.applet.*;\r\nimport java.awt.*;\r\n"
    "public class NewClass extends Applet//\\1,0,-1,\r\n\r\n{\r\n"
    "public void paint(Graphics g)//\\1,2,-1,\r\n\r\n{\r\ng.drawString(\"hi\", 1, 1);\r\n}\r\n}";

}  // namespace

class JavaLayerTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
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
                      "/x/Demo.java", 300, 226,
                      {{"speed", "10"}, {"Text", "Hi there"}, {"quote", "a \"<b>\" & c"}})));
        QProcess viewer;
        viewer.setWorkingDirectory(folder.path());
        viewer.start(JavaBin + "/appletviewer", {"run.htm", "--describe"});
        QVERIFY(viewer.waitForFinished(60000));
        QCOMPARE(QString(viewer.readAllStandardOutput()).trimmed(),
                 QString("code=Demo.class width=300 height=200 parameters={quote=a \"<b>\" & c, "
                         "speed=10, text=Hi there}"));
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
            tz::CreateCode(project, {button, label}, tz::ProjectOptions{}, {});
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
};

QTEST_GUILESS_MAIN(JavaLayerTest)
#include "tst_javalayer.moc"
