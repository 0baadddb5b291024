#include <QtTest>

#include "platform/TextBytes.h"
#include "project/NameHelpers.h"
#include "project/Project.h"

using tz::Project;

class ProjectModelTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void classNames_data() {
        QTest::addColumn<QString>("declaration");
        QTest::addColumn<QString>("name");
        QTest::newRow("applet") << "public class NewClass extends Applet"
                                << "NewClass";
        QTest::newRow("two spaces") << "class  X"
                                    << "";
        QTest::newRow("short") << "clas"
                               << "???";
        QTest::newRow("no keyword") << "public interface Runner"
                                    << "???";
        QTest::newRow("no blank after class") << "public classic"
                                              << "???";
        QTest::newRow("29 at end") << "public class " + QString(29, 'A') << QString(29, 'A');
        QTest::newRow("30 at end") << "public class " + QString(30, 'A') << "???";
        QTest::newRow("40 then blank") << "class " + QString(40, 'B') + " {" << QString(40, 'B');
    }
    void classNames() {
        QFETCH(QString, declaration);
        QFETCH(QString, name);
        QCOMPARE(QString::fromStdString(tz::declaredClassName(declaration.toStdString())), name);
    }

    void functionNames_data() {
        QTest::addColumn<QString>("declaration");
        QTest::addColumn<QString>("name");
        QTest::newRow("method") << "public void init()"
                                << "init";
        QTest::newRow("blanks before paren") << "public void init   (int a)"
                                             << "init";
        QTest::newRow("starts the text") << "init()"
                                         << "init";
        QTest::newRow("no paren") << "int x"
                                  << "NOT";
        QTest::newRow("short") << "f()"
                               << "???";
        QTest::newRow("only blanks before paren") << "     (x)"
                                                  << "";
        QTest::newRow("second paren ignored") << "void a(b(c))"
                                              << "a";
    }
    void functionNames() {
        QFETCH(QString, declaration);
        QFETCH(QString, name);
        QCOMPARE(QString::fromStdString(tz::declaredMethodName(declaration.toStdString())), name);
    }

    void defaultProject() {
        const Project project;
        QCOMPARE(project.classCount(), 1);
        QCOMPARE(project.lastSlot(1), 2);
        QCOMPARE(project.slot(1, 0).declaration,
                 std::string("public class NewClass extends Applet"));
        QCOMPARE(project.slot(1, 2).body, std::string("// paint code"));
        QCOMPARE(project.slot(0, 0).name, std::string("Imports"));
        QCOMPARE(project.imports, std::string("import java.applet.*;\r\nimport java.awt.*;"));
        QCOMPARE(project.projectPath, std::string("Untitled"));
    }

    void storedTextsAreCut() {
        Project project;
        project.setName(1, 1, std::string(60, 'n'));
        project.setDeclaration(1, 1, std::string(120, 'd'));
        project.setBody(1, 1, std::string(5000, 'b'));
        QCOMPARE(project.slot(1, 1).name.size(), std::size_t(50));
        QCOMPARE(project.slot(1, 1).declaration.size(), std::size_t(120));  // not cut
        QCOMPARE(project.slot(1, 1).body.size(), std::size_t(5000));
        // A cut never leaves half of a UTF-8 character behind.
        project.setName(1, 1, std::string(49, 'n') + "\xC3\xA9");
        QCOMPARE(project.slot(1, 1).name, std::string(49, 'n'));
        // Latin-1 text is cut at the byte.
        project.setName(1, 1, std::string(49, 'n') + "\xE9\xE9");
        QCOMPARE(project.slot(1, 1).name, std::string(49, 'n') + "\xE9");
    }

    void declarationRenamesSlotAndJavaSourcePath() {
        Project project;
        project.currentSlot = 1;
        QVERIFY(project.storeDeclaration("public void start()"));
        QCOMPARE(project.slot(1, 1).name, std::string("start"));
        project.currentSlot = 0;
        project.storeDeclaration("public class Demo extends Applet");
        QCOMPARE(project.javaSourcePath, std::string("Demo.java"));
        project.javaSourcePath = "/home/u/p/Demo.java";
        project.storeDeclaration("public class Other extends Applet");
        QCOMPARE(project.javaSourcePath, std::string("/home/u/p/Other.java"));
        project.currentClass = 0;
        QVERIFY(!project.storeDeclaration("public class X"));
    }

    void capacitiesAreRefused() {
        Project project;
        while (project.canAddClass()) QVERIFY(project.addClass());
        QCOMPARE(project.classCount(), Project::MaxClasses);
        QVERIFY(!project.addClass());
        QCOMPARE(project.classCount(), Project::MaxClasses);
        project.currentClass = 1;
        while (project.canAddMethod()) QVERIFY(project.addMethod());
        QCOMPARE(project.lastSlot(1), Project::MaxMethods);
        QVERIFY(!project.addMethod());
        project.currentClass = 0;
        QVERIFY(!project.canAddMethod());
        QVERIFY(!project.canDeleteClass());
    }

    void deletingTheLastMethodSelectsTheNewLastOne() {
        Project project;
        project.currentSlot = 2;
        QVERIFY(project.deleteMethod());
        QCOMPARE(project.lastSlot(1), 1);
        QCOMPARE(project.currentSlot, 1);
        QVERIFY(project.deleteMethod());
        QCOMPARE(project.currentSlot, 0);
        QVERIFY(!project.deleteMethod());  // the header slot stays
    }

    void deletingOnlyClassKeepsItsHeaderText() {
        Project project;
        QVERIFY(project.deleteClass());
        QCOMPARE(project.classCount(), 0);
        QCOMPARE(project.currentClass, 0);
        QCOMPARE(project.slot(1, 0).name, std::string("NewClass"));
        QVERIFY(!project.deleteClass());
    }

    void treeWalk() {
        // Imports, A(a1,a2), B, C(c1,c2)
        const std::vector<int> levels = {1, 1, 2, 2, 1, 1, 2, 2};
        QCOMPARE(tz::positionOfTreeItem(levels, 1).classIndex, 0);
        QCOMPARE(tz::positionOfTreeItem(levels, 4).slot, 2);
        const auto c2 = tz::positionOfTreeItem(levels, 8);
        QCOMPARE(c2.classIndex, 3);
        QCOMPARE(c2.slot, 2);
    }

    void textConversions() {
        QCOMPARE(tz::withoutLeadingWhite(" \t\r\n x \r\n"), std::string("x \r\n"));
        QCOMPARE(tz::displayText("a\r\nb"), QString("a\nb"));
        QCOMPARE(tz::storedText("a\nb"), std::string("a\r\nb"));
        QCOMPARE(tz::displayLine("\xE9t\xE9"), QString::fromLatin1("\xE9t\xE9"));
        QCOMPARE(tz::displayLine("\xC3\xA9t\xC3\xA9"), QString::fromUtf8("\xC3\xA9t\xC3\xA9"));
        QCOMPARE(tz::directoryPart("/a/b/c.tzp"), std::string("/a/b/"));
        QCOMPARE(tz::directoryPart("Untitled"), std::string());
    }
};

QTEST_MAIN(ProjectModelTest)
#include "tst_projectmodel.moc"
