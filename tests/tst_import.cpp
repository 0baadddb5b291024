#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QStatusBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

#include "app/FileCommands.h"
#include "app/MainWindow.h"
#include "testhelpers.h"

namespace {

const QByteArray NineLines =
    "import java.awt.*;\r\n"
    "public class A extends Applet\r\n"
    "{\r\n"
    "int x;\r\n"
    "public void init()\r\n"
    "{\r\n"
    "x = 1;\r\n"
    "}\r\n"
    "}\r\n";

QStringList treeTexts(QTreeWidget* tree) {
    QStringList texts;
    for (QTreeWidgetItemIterator it(tree); *it; ++it) texts << (*it)->text(0);
    return texts;
}

QByteArray manyClasses(int count) {
    QByteArray source;
    for (int i = 0; i < count; ++i) source += "class C" + QByteArray::number(i) + " { int x; }\n";
    return source;
}

}  // namespace

class ImportTest : public QObject {
    Q_OBJECT
  private:
    std::unique_ptr<StartedProgram> started;
    MainWindow* mainWindow = nullptr;
    QTreeWidget* tree = nullptr;
    QLineEdit* declaration = nullptr;
    QPlainTextEdit* body = nullptr;

    QString status() { return mainWindow->statusBar()->findChild<QLabel*>()->text(); }
    QString javaFile(const QString& name, const QByteArray& bytes) {
        const QString path = started->directory.filePath(name);
        writeFile(path, bytes);
        return path;
    }
    // Import Java of path, answering every message box with button.
    QStringList import(const QString& path, int button = QMessageBox::Ok) {
        QString dialogName;
        const QStringList texts = answerMessageBoxes(
            [&] { dialogName = answerFileDialog([] { triggerCommand("Open1"); }, path); }, button);
        if (!path.isEmpty()) {
            [&] { QCOMPARE(dialogName, QString("open")); }();
        }
        return texts;
    }

  private Q_SLOTS:
    void init() {
        started = std::make_unique<StartedProgram>();
        mainWindow = &started->program->mainWindow();
        tree = mainWindow->findChild<QTreeWidget*>("tree");
        declaration = mainWindow->findChild<QLineEdit*>("declaration");
        body = mainWindow->findChild<QPlainTextEdit*>("this");
    }
    void cleanup() { started.reset(); }

    void lineEndingsAllBecomeCrLf_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("CR LF") << NineLines;
        QByteArray lf = NineLines;
        QTest::newRow("LF") << lf.replace("\r\n", "\n");
        QTest::newRow("last line without end") << NineLines.chopped(2);
        QByteArray crOnly = NineLines;
        QTest::newRow("CR only") << crOnly.replace("\r\n", "\r");
    }
    void lineEndingsAllBecomeCrLf() {
        QFETCH(QByteArray, file);
        const QString path = javaFile("A.java", file);
        // The start-up project is unchanged, so no question comes first.
        QVERIFY(import(path).isEmpty());
        QCOMPARE(QByteArray::fromStdString(started->program->document().source()), NineLines);
        QCOMPARE(status(), path + " Lines: 9");
        QCOMPARE(started->project().projectPath, std::string("Untitled"));
        QCOMPARE(started->project().javaSourcePath, path.toStdString());
        QCOMPARE(treeTexts(tree), QStringList({"Imports", "A", "init"}));
        QCOMPARE(started->project().currentClass, 0);
        QCOMPARE(body->toPlainText(), QString("import java.awt.*;\n"));
        QCOMPARE(started->project().slot(1, 1).body, std::string("x = 1;\r\n"));
        QVERIFY(mainWindow->findChild<QFrame*>("respanel")->isHidden());
    }

    void emptyFileLeavesStatusAndBufferEmpty() {
        const QString before = status();
        QVERIFY(import(javaFile("Empty.java", "")).isEmpty());
        QVERIFY(started->program->document().source().empty());
        QCOMPARE(status(), before);
        QCOMPARE(started->project().classCount(), 0);
        QCOMPARE(tree->topLevelItemCount(), 0);
    }

    void refusedScanLeavesEverythingAsBefore() {
        import(javaFile("A.java", NineLines));
        const std::string sourceBefore = started->program->document().source();
        const QStringList treeBefore = treeTexts(tree);
        const std::string pathBefore = started->project().javaSourcePath;
        const QString statusBefore = status();
        const QStringList texts = import(javaFile("Big.java", manyClasses(21)), QMessageBox::No);
        // The imported project is unsaved: the question, then the refusal.
        QCOMPARE(texts.size(), 2);
        QCOMPARE(texts.at(0), QString("Save changes to the current project?"));
        QVERIFY2(texts.at(1).contains("more than 20"), qPrintable(texts.at(1)));
        QCOMPARE(started->program->document().source(), sourceBefore);
        QCOMPARE(treeTexts(tree), treeBefore);
        QCOMPARE(started->project().javaSourcePath, pathBefore);
        QCOMPARE(started->project().slot(1, 0).name, std::string("A"));
        QCOMPARE(status(), statusBefore);
    }

    void brokenSourceKeepsWhatWasReadAndSaysWhere() {
        const QString path = javaFile("Open.java", "class Open {\r\nvoid run() {\r\n/* x();\r\n");
        QVERIFY(import(path).isEmpty());
        const QString where =
            "The source ends early, inside a comment in method run of class Open.";
        QCOMPARE(status(), path + " Lines: 3 - " + where);
        QCOMPARE(mainWindow->messagesText(), where);
        QCOMPARE(started->project().slot(1, 0).name, std::string("Open"));
        QCOMPARE(started->project().slot(1, 1).body, std::string("/* x();\r\n"));
    }

    void unreadableFileIsReportedAndChangesNothing() {
        const QString missing = started->directory.filePath("gone.java");
        QStringList texts = answerMessageBoxes(
            [&] { started->program->fileCommands().importJava(missing); }, QMessageBox::Ok);
        QCOMPARE(texts.size(), 1);
        QCOMPARE(started->project().slot(1, 0).name, std::string("NewClass"));
        QCOMPARE(started->project().javaSourcePath, std::string("Untitled"));
    }

    void generatedSourceImportsAsTheSameTree() {
        triggerCommand("GenerateCode1");
        const QString path = javaFile(
            "NewClass.java", QByteArray::fromStdString(started->program->document().source()));
        import(path, QMessageBox::No);
        QCOMPARE(treeTexts(tree), QStringList({"Imports", "NewClass", "init", "paint"}));
        QCOMPARE(started->project().currentClass, 0);
        // The markers are comments outside the classes, which the scan drops.
        QVERIFY(body->toPlainText().startsWith("import java.applet.*;\nimport java.awt.*;"));
        auto* bar = mainWindow->findChild<QProgressBar*>("resbar");
        QCOMPARE(bar->maximum(), int(started->program->document().source().size()));
    }

    void questionBeforeImport_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("dialogShown");
        QTest::newRow("Cancel stops") << int(QMessageBox::Cancel) << QString();
        QTest::newRow("No goes on") << int(QMessageBox::No) << QString("open");
        // Untitled: Yes asks for a project file first; cancelling it stops.
        QTest::newRow("Yes saves first") << int(QMessageBox::Yes) << QString("saveProject");
    }
    void questionBeforeImport() {
        QFETCH(int, answer);
        QFETCH(QString, dialogShown);
        body->setFocus();
        QTest::keyClicks(body, "changed");
        QVERIFY(started->hasUnsavedChanges());
        QString shown;
        const QStringList texts = answerMessageBoxes(
            [&] { shown = answerFileDialog([] { triggerCommand("Open1"); }, QString()); }, answer);
        QCOMPARE(texts, QStringList({"Save changes to the current project?"}));
        QCOMPARE(shown, dialogShown);
        QCOMPARE(started->project().slot(1, 0).name, std::string("NewClass"));
    }

    void captionAfterImportNamesTheUntitledProject() {
        const QString project = started->directory.filePath("P.tzp");
        answerFileDialog([] { triggerCommand("SaveProjectAs1"); }, project);
        QCOMPARE(mainWindow->windowTitle(), "Tarvelo Zuva - [" + project + "]");
        QVERIFY(import(javaFile("A.java", NineLines)).isEmpty());
        QCOMPARE(mainWindow->windowTitle(), QString("Tarvelo Zuva- [Untitled]"));
    }

    void editCommandsWorkOnTheFocusedEditor() {
        QClipboard* clipboard = QApplication::clipboard();
        body->setFocus();
        body->selectAll();
        const QString bodyText = body->toPlainText();
        triggerCommand("Cut1");
        QCOMPARE(clipboard->text(), bodyText);
        QVERIFY(body->toPlainText().isEmpty());
        QVERIFY(started->project().slot(1, 0).body.empty());
        triggerCommand("Paste1");
        QCOMPARE(body->toPlainText(), bodyText);

        declaration->setFocus();
        declaration->selectAll();
        triggerCommand("Copy1");
        QCOMPARE(clipboard->text(), declaration->text());

        // Neither editor focused: nothing is pasted anywhere.
        clipboard->setText("pasted");
        tree->setFocus();
        const QString specBefore = declaration->text();
        triggerCommand("Paste1");
        QTest::keyClick(tree, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(body->toPlainText(), bodyText);
        QCOMPARE(declaration->text(), specBefore);
    }
};

QTEST_MAIN(ImportTest)
#include "tst_import.moc"
