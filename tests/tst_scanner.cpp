// Rebuilding the class table from Java source.
#include <QtTest>
#include <random>

#include "project/Scanner.h"

#include "testhelpers.h"

using namespace tz;

namespace {

std::string lines(std::initializer_list<const char*> sourceLines) {
    std::string text;
    for (const char* line : sourceLines) text += std::string(line) + "\r\n";
    return text;
}

// The body of the first method of a one-class source with the given body.
std::string scannedBody(const std::string& body) {
    Project project;
    const ScanResult result =
        scanJavaSource(project, "class A {\r\nvoid m() {\r\n" + body + "\r\n}\r\n}\r\n");
    if (!result.ok || project.lastSlot(1) != 1) return "<refused>";
    return project.slot(1, 1).body;
}

bool sameTables(const Project& a, const Project& b) {
    if (a.classCount() != b.classCount() || a.imports != b.imports) return false;
    for (int k = 0; k <= Project::MaxClasses; ++k) {
        if (a.lastSlot(k) != b.lastSlot(k)) return false;
        for (int s = 0; s <= Project::MaxMethods; ++s) {
            const MethodSlot& x = a.slot(k, s);
            const MethodSlot& y = b.slot(k, s);
            if (x.name != y.name || x.declaration != y.declaration || x.body != y.body)
                return false;
        }
    }
    return true;
}

std::string classes(int count, int methodsEach) {
    std::string source = "import java.awt.*;\r\n";
    for (int k = 0; k < count; ++k) {
        source += "class C" + std::to_string(k) + " {\r\n";
        for (int m = 0; m < methodsEach; ++m) source += "void m" + std::to_string(m) + "() { }\r\n";
        source += "}\r\n";
    }
    return source;
}

}  // namespace

class TestScanner : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void nineLineSource();
    void bodyLayout();
    void blocksThatAreNotMethods();
    void sourcesWithoutCompleteClasses();
    void classNamesAreNeverPaths();
    void oversizedSourceLeavesProjectAlone();
    void commentsAndLiteralsInBodies();
    void literalsOutsideBodies();
    void malformedSourcesStayInTables();
};

void TestScanner::nineLineSource() {
    Project project;
    project.currentClass = 1;
    project.currentSlot = 2;
    const ScanResult result =
        scanJavaSource(project, lines({"import java.awt.*;", "public class A extends Applet", "{",
                                       "int x;", "public void init()", "{", "x = 1;", "}", "}"}));
    QVERIFY(result.ok);
    QCOMPARE(project.imports, std::string("import java.awt.*;\r\n"));
    QCOMPARE(project.classCount(), 1);
    QCOMPARE(project.lastSlot(1), 1);
    QCOMPARE(project.slot(1, 0).name, std::string("A"));
    QCOMPARE(project.slot(1, 0).declaration, std::string("public class A extends Applet"));
    QCOMPARE(project.slot(1, 0).body, std::string("int x;\r\n"));
    QCOMPARE(project.slot(1, 1).name, std::string("init"));
    QCOMPARE(project.slot(1, 1).declaration, std::string("public void init()"));
    QCOMPARE(project.slot(1, 1).body, std::string("x = 1;\r\n"));
    // The old paint slot is beyond the last slot and keeps its texts.
    QCOMPARE(project.slot(1, 2).name, std::string("paint"));
    QCOMPARE(project.currentSlot, 2);
    const std::vector<ScanTreeItem> tree{{1, "Imports"}, {1, "A"}, {2, "init"}};
    QCOMPARE(result.treeItems, tree);
}

void TestScanner::bodyLayout() {
    QCOMPARE(scannedBody("for (i = 0; i < n; i++) { a(); }"),
             std::string("for (i = 0; i < n; i++) \r\n{\r\n a();\r\n \r\n}\r\n"));
    QCOMPARE(scannedBody("  a();  b(\r\n1);"), std::string("  a();\r\n  b(1);\r\n"));

    Project project;
    const std::string longName(60, 'n');
    const std::string longType(120, 't');
    QVERIFY(
        scanJavaSource(project, "class A {\r\n" + longType + " " + longName + "()\r\n{}}\r\n").ok);
    QCOMPARE(project.slot(1, 1).name, longName.substr(0, 50));
    QCOMPARE(project.slot(1, 1).declaration, longType + " " + longName + "()");
}

void TestScanner::blocksThatAreNotMethods() {
    Project project;
    const ScanResult result = scanJavaSource(
        project, lines({"class A", "{", "static int[] t = {1, 2};", "static { x = 2; }",
                        "/* dropped; */ int y; // dropped too; ", "}", "class B {", "}"}));
    QVERIFY(result.ok);
    QCOMPARE(project.lastSlot(1), 0);
    QCOMPARE(project.slot(1, 0).body,
             std::string("\r\nstatic int[] t = {1, 2};\r\n\r\nstatic { x = 2;\r\n } int y;\r\n"));
    QCOMPARE(project.classCount(), 2);
    QCOMPARE(project.lastSlot(2), 0);
    QCOMPARE(project.slot(2, 0).body, std::string());
}

void TestScanner::sourcesWithoutCompleteClasses() {
    Project project;
    ScanResult result =
        scanJavaSource(project, "/* head */ package p;\r\n// x;\r\nimport a.b;\r\n");
    QVERIFY(result.ok);
    QCOMPARE(project.classCount(), 0);
    QCOMPARE(project.imports, std::string(" package p;\r\nimport a.b;\r\n"));
    QVERIFY(result.treeItems.empty());
    QVERIFY(result.endedEarly.empty());
    // The last character counts like any other.
    QVERIFY(scanJavaSource(project, "import a;").ok);
    QCOMPARE(project.imports, std::string("import a;\r\n"));

    // An unfinished class and method keep what was read of them, never the
    // slots' earlier texts.
    project = Project();
    result = scanJavaSource(project, "class Z {\r\nint q;\r\nvoid run() {\r\nx(); /* open\r\n");
    QVERIFY(result.ok);
    QCOMPARE(result.endedEarly,
             std::string("The source ends early, inside a comment in method run of class Z."));
    QCOMPARE(project.classCount(), 1);
    QCOMPARE(project.lastSlot(1), 1);
    QCOMPARE(project.slot(1, 0).name, std::string("Z"));
    QCOMPARE(project.slot(1, 0).declaration, std::string("class Z "));
    QCOMPARE(project.slot(1, 0).body, std::string("int q;\r\n"));
    QCOMPARE(project.slot(1, 1).name, std::string("run"));
    QCOMPARE(project.slot(1, 1).body, std::string("x();\r\n /* open\r\n"));
    const std::vector<ScanTreeItem> tree{{1, "Imports"}, {1, "Z"}, {2, "run"}};
    QCOMPARE(result.treeItems, tree);
    result = scanJavaSource(project, "class Y { int r");
    QCOMPARE(result.endedEarly, std::string("The source ends early, inside class Y."));
    QCOMPARE(project.slot(1, 0).body, std::string(" int r"));
}

void TestScanner::classNamesAreNeverPaths() {
    Project project;
    ScanResult result = scanJavaSource(project, lines({"class A { }", "class B\\..\\x<T> { }"}) +
                                                    std::string("class C\0/../D { }", 17));
    QVERIFY(result.ok);
    QCOMPARE(project.slot(2, 0).name, std::string("B"));
    QCOMPARE(project.slot(3, 0).name, std::string("C"));

    const Project before = project;
    result = scanJavaSource(project, lines({"public class ../victim {", "}"}));
    QVERIFY(!result.ok);
    QVERIFY2(result.message.find("public class ../victim") != std::string::npos,
             result.message.c_str());
    QVERIFY(sameTables(project, before));
}

void TestScanner::oversizedSourceLeavesProjectAlone() {
    Project project;
    project.fillSlot(1, 1, "kept", "void kept()", "k();");
    const Project before = project;

    ScanResult result = scanJavaSource(project, classes(21, 1));
    QVERIFY(!result.ok);
    QVERIFY(result.message.find("20 classes") != std::string::npos);
    QVERIFY(sameTables(project, before));

    result = scanJavaSource(project, classes(2, 41));
    QVERIFY(!result.ok);
    QVERIFY(result.message.find("C0") != std::string::npos);
    QVERIFY(result.message.find("40 methods") != std::string::npos);
    QVERIFY(sameTables(project, before));

    result = scanJavaSource(project, classes(20, 40));
    QVERIFY(result.ok);
    QCOMPARE(project.classCount(), 20);
    QCOMPARE(project.lastSlot(20), 40);
    QCOMPARE(project.slot(20, 40).name, std::string("m39"));
}

void TestScanner::commentsAndLiteralsInBodies() {
    QCOMPARE(scannedBody("a(); // note; more { }\r\nb();"),
             std::string("a();\r\n // note; more { }\r\nb();\r\n"));
    QCOMPARE(scannedBody("/* one; }\r\n two */ c();"),
             std::string("/* one; }\r\n two */\r\n c();\r\n"));
    QCOMPARE(scannedBody("s = \"}; // {\";"), std::string("s = \"}; // {\";\r\n"));
    QCOMPARE(scannedBody("c = '}'; d = '\\'';"), std::string("c = '}';\r\n d = '\\'';\r\n"));
    QCOMPARE(scannedBody("t = \"a\\\"}\";"), std::string("t = \"a\\\"}\";\r\n"));
    // A line end closes an unfinished literal; what follows is code again.
    QCOMPARE(scannedBody("u = \"open\r\n}; v();"), std::string("u = \"open"));
}

void TestScanner::literalsOutsideBodies() {
    Project project;
    QVERIFY(scanJavaSource(project, lines({"import \"x;y\";", "class A {", "String s = \"{;}\";",
                                           "char c = '{';", "void m() { }", "}"}))
                .ok);
    QCOMPARE(project.imports, std::string("import \"x;y\";\r\n"));
    QCOMPARE(project.slot(1, 0).body, std::string("String s = \"{;}\";\r\nchar c = '{';\r\n"));
    QCOMPARE(project.lastSlot(1), 1);
    QCOMPARE(project.slot(1, 1).name, std::string("m"));
}

void TestScanner::malformedSourcesStayInTables() {
    const std::string alphabet = "{}{}();/*\"'\\\r\nab class  (";
    std::mt19937 random(4);
    for (int round = 0; round < 200; ++round) {
        std::string source;
        const int length = int(random() % 3000);
        for (int i = 0; i < length; ++i) source += alphabet[random() % alphabet.size()];
        Project project;
        const ScanResult result = scanJavaSource(project, source);
        QVERIFY(result.ok || !result.message.empty());
        QVERIFY(project.classCount() <= Project::MaxClasses);
    }
}

QTEST_MAIN(TestScanner)
#include "tst_scanner.moc"
