#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QtTest>

#include "app/MainWindow.h"
#include "app/WindowCommands.h"
#include "settings/ui/HelpWindow.h"
#include "testhelpers.h"

namespace {

const char* const InstalledHelpFile = TZ_JAVA_BIN_DIR "/../../TARJAVA.HLP";

// The topics as "title" lines, children indented by two blanks per level.
QStringList topicOutline(QTreeWidget* topics) {
    QStringList lines;
    for (QTreeWidgetItemIterator it(topics); *it; ++it) {
        int depth = 0;
        for (QTreeWidgetItem* up = (*it)->parent(); up; up = up->parent()) ++depth;
        lines << QString(2 * depth, ' ') + (*it)->text(0);
    }
    return lines;
}

}  // namespace

class HelpTest : public QObject {
    Q_OBJECT
  private:
    std::unique_ptr<StartedProgram> started;
    MainWindow* mainWindow = nullptr;

    QString inDirectory(const QString& name) const { return started->directory.filePath(name); }
    void start(const QString& iniText = QString()) {
        started = std::make_unique<StartedProgram>(iniText);
        mainWindow = &started->program->mainWindow();
    }
    HelpWindow* command(const char* name) {
        commandAction(name)->trigger();
        auto* viewer = mainWindow->findChild<HelpWindow*>("help");
        if (viewer) (void)QTest::qWaitForWindowExposed(viewer);
        return viewer;
    }
    QTreeWidget* topics(HelpWindow* viewer) { return viewer->findChild<QTreeWidget*>("topics"); }
    QTextBrowser* text(HelpWindow* viewer) { return viewer->findChild<QTextBrowser*>("text"); }

  private Q_SLOTS:
    void cleanup() { started.reset(); }

    void helpTopicsShowsTheInstalledHelpFile() {
        start();
        QVERIFY(QFile::copy(InstalledHelpFile, inDirectory("TARJAVA.HLP")));
        HelpWindow* viewer = command("HelpTopics1");
        QVERIFY(viewer && viewer->isVisible());
        QCOMPARE(viewer->fileName(), inDirectory("TARJAVA.HLP"));
        QCOMPARE(started->program->windowCommands().currentHelpFile(), inDirectory("TARJAVA.HLP"));
        const QStringList outline = topicOutline(topics(viewer));
        for (const char* topic : {"The windows", "  Main window", "Menus and commands",
                                  "  Developer", "The project file", "Compiling"})
            QVERIFY2(outline.contains(topic), topic);
        QVERIFY(text(viewer)->toPlainText().contains("Build & Run"));
    }

    void topicsOfHtmlHeadingsAndScrollingToOne() {
        start();
        writeFile(inDirectory("TARJAVA.HLP"),
                  "<html><body><h1>Start</h1><p>first</p><h2>Windows</h2><h3>Applet</h3>"
                  "<p>x</p><h4>Too deep</h4><h1>End</h1><p>last</p></body></html>");
        HelpWindow* viewer = command("HelpTopics1");
        QCOMPARE(topicOutline(topics(viewer)),
                 QStringList({"Start", "  Windows", "    Applet", "End"}));
        QTreeWidgetItem* end = topics(viewer)->topLevelItem(1);
        QTest::mouseClick(topics(viewer)->viewport(), Qt::LeftButton, {},
                          topics(viewer)->visualItemRect(end).center());
        QCOMPARE(text(viewer)->textCursor().block().text(), QString("End"));
    }

    void topicsOfPlainTextHeadings() {
        start();
        writeFile(inDirectory("syntax.txt"),
                  "Java syntax\r\n===========\r\nThe language.\r\n# Statements\r\n## if\r\n"
                  "if (a) b;\r\nLoops\r\n-----\r\nx = a\r\n==\r\n#define is not one\r\n"
                  "\r\n=====\r\n### Deep\r\n");
        whileModal([&] { triggerCommand("JavaSyntaxHelpfile1"); },
                   [&](QDialog* dialog) {
                       auto* edit = dialog->findChild<QLineEdit*>("helpfile");
                       edit->selectAll();
                       QTest::keyClicks(edit, inDirectory("syntax.txt"));
                       QTest::mouseClick(dialog->findChild<QPushButton*>("BitBtn2"),
                                         Qt::LeftButton);
                   });
        // The new path counts at once, without a restart.
        HelpWindow* viewer = command("JavaSyntaxHelp1");
        QCOMPARE(viewer->fileName(), inDirectory("syntax.txt"));
        QCOMPARE(topicOutline(topics(viewer)),
                 QStringList({"Java syntax", "Statements", "  if", "  Loops", "    Deep"}));
        const QString shown = text(viewer)->toPlainText();
        QVERIFY(!shown.contains("---"));
        QVERIFY(shown.contains("x = a\n==\n#define is not one\n\n=====\n"));
    }

    void missingHelpFileIsReportedInTheWindow() {
        start();
        QStringList boxes = answerMessageBoxes([&] { command("HelpTopics1"); }, QMessageBox::Ok);
        QVERIFY(boxes.isEmpty());
        HelpWindow* viewer = mainWindow->findChild<HelpWindow*>("help");
        QVERIFY(viewer->isVisible());
        QCOMPARE(topics(viewer)->topLevelItemCount(), 0);
        QVERIFY(
            text(viewer)->toPlainText().contains(inDirectory("TARJAVA.HLP") + " cannot be shown"));
    }

    void helpFileNamesIgnoreCaseAndAFailureShowsInTextStyle() {
        start();
        // The default Java syntax help file is tarjava.hlp.
        writeFile(inDirectory("TARJAVA.HLP"), "<html><body><h1>Start</h1><p>x</p></body></html>");
        HelpWindow* viewer = command("JavaSyntaxHelp1");
        QCOMPARE(viewer->fileName(), inDirectory("TARJAVA.HLP"));
        QCOMPARE(topicOutline(topics(viewer)), QStringList("Start"));
        writeFile(inDirectory("tarjava.hlp"), "Exact\r\n===\r\n");
        QCOMPARE(command("JavaSyntaxHelp1")->fileName(), inDirectory("tarjava.hlp"));

        // The page shown before leaves the caret in its heading.
        command("HelpTopics1");
        QVERIFY(QFile::remove(inDirectory("tarjava.hlp")));
        QVERIFY(QFile::remove(inDirectory("TARJAVA.HLP")));
        command("JavaSyntaxHelp1");
        const QTextBlock failure = text(viewer)->document()->lastBlock();
        QVERIFY(failure.text().contains("cannot be shown"));
        QCOMPARE(failure.blockFormat().headingLevel(), 0);
        const QTextCharFormat style = failure.begin().fragment().charFormat();
        QCOMPARE(style.fontWeight(), int(QFont::Normal));
        QVERIFY(!style.hasProperty(QTextFormat::FontPointSize));
    }

    void programHelpFileBecomesCurrentAgainOnActivation() {
        start("[Main]\r\nJava-Help=/usr/share/java.hlp\r\n");
        QVERIFY(QTest::qWaitForWindowActive(mainWindow));
        QCOMPARE(started->program->windowCommands().currentHelpFile(), inDirectory("TARJAVA.HLP"));
        HelpWindow* viewer = command("JavaSyntaxHelp1");
        QTRY_COMPARE(QApplication::activeWindow(), viewer);
        QCOMPARE(started->program->windowCommands().currentHelpFile(),
                 QString("/usr/share/java.hlp"));
        mainWindow->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), mainWindow);
        QCOMPARE(started->program->windowCommands().currentHelpFile(), inDirectory("TARJAVA.HLP"));
        QCOMPARE(viewer->fileName(), QString("/usr/share/java.hlp"));
    }

    void aboutBoxHasItsTwoLines() {
        start();
        const QStringList boxes =
            answerMessageBoxes([&] { triggerCommand("AboutTarveloJava1"); }, QMessageBox::Ok);
        QCOMPARE(boxes, QStringList("Tarvelo Zuva version 1.15\nBuild 970.730"));
    }
};

QTEST_MAIN(HelpTest)
#include "tst_help.moc"
