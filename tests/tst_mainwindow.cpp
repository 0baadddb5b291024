#include <QAction>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QStatusBar>
#include <QTabBar>
#include <QTableWidget>
#include <QToolButton>
#include <QToolTip>
#include <QTreeWidget>
#include <QtTest>

#include "app/MainWindow.h"
#include "designer/ui/DesignWindow.h"
#include "inspector/ui/InspectorWindow.h"
#include "testhelpers.h"

namespace {

QStringList treeTexts(QTreeWidget* tree) {
    QStringList texts;
    for (QTreeWidgetItemIterator it(tree); *it; ++it) texts << (*it)->text(0);
    return texts;
}

QStringList tabTexts(QTabBar* tab) {
    QStringList texts;
    for (int i = 0; i < tab->count(); ++i) texts << tab->tabText(i);
    return texts;
}

// Each shown item of actions, and of their submenus, has a mnemonic letter
// no other item of its menu has.
void checkMnemonics(const QList<QAction*>& actions, const QString& menu) {
    QList<QKeySequence> taken;
    for (QAction* action : actions) {
        if (action->isSeparator() || !action->isVisible()) continue;
        const QKeySequence key = QKeySequence::mnemonic(action->text());
        QVERIFY2(!key.isEmpty() && !taken.contains(key), qPrintable(menu + ": " + action->text()));
        taken << key;
        if (action->menu()) checkMnemonics(action->menu()->actions(), action->text());
    }
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
  private:
    std::unique_ptr<StartedProgram> started;
    MainWindow* mainWindow = nullptr;
    QTreeWidget* tree = nullptr;
    QTabBar* tab = nullptr;
    QLineEdit* declaration = nullptr;
    QPlainTextEdit* body = nullptr;

    void clickTreeItem(QTreeWidgetItem* item) {
        tree->scrollToItem(item);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                          tree->visualItemRect(item).center());
    }
    QTreeWidgetItem* findItem(const QString& classText, const QString& methodText = {}) {
        for (int i = 0; i < tree->topLevelItemCount(); ++i) {
            QTreeWidgetItem* top = tree->topLevelItem(i);
            if (top->text(0) != classText) continue;
            if (methodText.isEmpty()) return top;
            for (int c = 0; c < top->childCount(); ++c)
                if (top->child(c)->text(0) == methodText) return top->child(c);
        }
        return nullptr;
    }
    void clickTab(int index) {
        QTest::mouseClick(tab, Qt::LeftButton, {}, tab->tabRect(index).center());
    }
    // Right-clicks a tree item (the current one when none is given), or the
    // point at of widget, and clicks an item of the popup menu that opens.
    void popupCommand(const char* actionName, bool expectEnabled = true,
                      QTreeWidgetItem* on = nullptr, QWidget* widget = nullptr, QPoint at = {}) {
        if (!widget) at = tree->visualItemRect(on ? on : tree->currentItem()).center();
        if (!widget) widget = tree->viewport();
        QTest::mouseClick(widget, Qt::RightButton, {}, at);
        QContextMenuEvent request(QContextMenuEvent::Mouse, at, widget->mapToGlobal(at));
        QApplication::sendEvent(widget, &request);
        auto* menu = mainWindow->findChild<QMenu*>("popup1");
        QVERIFY(menu);
        QVERIFY(QTest::qWaitForWindowExposed(menu));
        auto* action = menu->findChild<QAction*>(actionName);
        QVERIFY(action);
        QCOMPARE(action->isEnabled(), expectEnabled);
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
        if (menu->isVisible()) menu->close();
    }
    void replaceDeclaration(const QString& text) {
        declaration->setFocus();
        declaration->selectAll();
        QTest::keyClick(declaration, Qt::Key_Delete);
        QTest::keyClicks(declaration, text);
    }

  private Q_SLOTS:
    void init() {
        started = std::make_unique<StartedProgram>();
        mainWindow = &started->program->mainWindow();
        tree = mainWindow->findChild<QTreeWidget*>("tree");
        tab = mainWindow->findChild<QTabBar*>("tab");
        declaration = mainWindow->findChild<QLineEdit*>("declaration");
        body = mainWindow->findChild<QPlainTextEdit*>("this");
        QVERIFY(tree && tab && declaration && body);
    }
    void cleanup() { started.reset(); }

    void startsWithTheDefaultProject() {
        QCOMPARE(mainWindow->windowTitle(), QString("Tarvelo Zuva- [Untitled]"));
        QCOMPARE(treeTexts(tree), QStringList({"Imports", "NewClass", "init", "paint"}));
        QVERIFY(findItem("NewClass")->isExpanded());
        QCOMPARE(tree->currentItem()->text(0), QString("NewClass"));
        QCOMPARE(tabTexts(tab), QStringList({"NewClass (class)", "init", "paint"}));
        QCOMPARE(tab->currentIndex(), 0);
        QCOMPARE(declaration->text(), QString("public class NewClass extends Applet"));
        QCOMPARE(body->toPlainText(), QString("// NewClass code"));
        QCOMPARE(mainWindow->findChild<QLabel*>("xy")->text(), QString("Line: 1"));
        for (const char* panel : {"respanel", "cpanel"}) {
            const auto* busy = mainWindow->findChild<QWidget*>(panel);
            QVERIFY(!busy || busy->isHidden());
        }
    }

    void menusCarryEveryCommand() {
        const std::pair<const char*, const char*> shortcuts[] = {
            {"OpenProject1", "Ctrl+O"}, {"SaveProject1", "Ctrl+S"}, {"SaveProjectAs1", "Ctrl+A"},
            {"Exit1", "Ctrl+Q"},        {"Cut1", "Ctrl+X"},         {"Copy1", "Ctrl+C"},
            {"Paste1", "Ctrl+V"},       {"Applet1", "F4"},          {"GenerateCode1", "F5"},
            {"Compile1", "F6"},         {"BuildRun1", "F7"},        {"Run2", "F9"}};
        for (const auto& [name, keys] : shortcuts) {
            auto* action = mainWindow->findChild<QAction*>(name);
            QVERIFY2(action, name);
            QCOMPARE(action->shortcut(), QKeySequence(keys));
        }
        QStringList menus;
        for (QAction* menu : mainWindow->menuBar()->actions()) menus << menu->text();
        QCOMPARE(menus, QStringList({"&File", "&Edit", "&View", "&Layout", "&Project", "&Run",
                                     "&Developer", "&Help"}));
        QCOMPARE(mainWindow->findChild<QAction*>("BuildRun1")->text(), QString("&Build && Run"));
        QVERIFY(mainWindow->findChild<QAction*>("Exit1")->isEnabled());
        // A toolbar button is its menu item's command, not a second one.
        for (const auto& [button, command] : {std::pair{"openb", "OpenProject1"},
                                              {"saveb", "SaveProject1"},
                                              {"BitBtn4", "GenerateCode1"},
                                              {"CompileButton", "Compile1"},
                                              {"extcomp", "extcomp1"},
                                              {"BitBtn1", "Run2"},
                                              {"BitBtn2", "BuildRun1"},
                                              {"BitBtn5", "PreviewAppletinBrowser1"}})
            QCOMPARE(mainWindow->findChild<QToolButton*>(button)->defaultAction(),
                     mainWindow->findChild<QAction*>(command));
        QCOMPARE(mainWindow->findChild<QWidget*>("extcomp")->toolTip(),
                 QString("Compile with external compiler"));
        // Glyphs are drawn for the screen's pixels, not scaled up.
        const QIcon glyph = mainWindow->findChild<QToolButton*>("openb")->icon();
        for (qreal ratio : {1.5, 2.0})
            QCOMPARE(glyph.pixmap(QSize(16, 16), ratio).size(), QSize(16, 16) * ratio);
    }

    void everyMenuAndItemHasAMnemonic() {
        started.reset();
        started = std::make_unique<StartedProgram>("[Recent]\r\nFile1=/a.tzp\r\nFile2=/b.tzp\r\n");
        checkMnemonics(started->program->mainWindow().menuBar()->actions(), "menu bar");
    }

    // Task bars show the program's own icon on every window, given once they have painted.
    void everyWindowCarriesTheProgramIcon() {
        QTRY_VERIFY(!QApplication::windowIcon().isNull());
        const auto premultiplied = QImage::Format_ARGB32_Premultiplied;
        const QImage icon =
            QImage(":/icons/48/org.tarvelo.zuva.png").convertToFormat(premultiplied);
        QVERIFY(!icon.isNull());
        for (QWidget* window : QApplication::topLevelWidgets())
            QCOMPARE(window->windowIcon().pixmap(48).toImage().convertToFormat(premultiplied),
                     icon);
    }

    void viewCommandsShowWindows() {
        QWidget& app = started->program->designWindow();
        app.hide();
        QTest::keyClick(mainWindow, Qt::Key_F4);
        QVERIFY(app.isVisible());
        QWidget& obj = started->program->inspector();
        obj.hide();
        triggerCommand("Objector1");
        QVERIFY(obj.isVisible());
    }

    void treeClickSelectsAlsoOverCollapsedClasses() {
        popupCommand("AddClass1");
        popupCommand("AddInterface1");
        checkMnemonics(mainWindow->findChild<QMenu*>("popup1")->actions(), "tree");
        popupCommand("AddClass1");
        popupCommand("AddInterface1");
        popupCommand("AddInterface1");
        QCOMPARE(treeTexts(tree),
                 QStringList({"Imports", "NewClass", "init", "paint", "NewClass", "NewInterface",
                              "NewClass", "NewInterface", "NewInterface"}));
        tree->topLevelItem(1)->setExpanded(false);
        tree->topLevelItem(2)->setExpanded(false);
        started->project().setBody(3, 2, "// third class, second method");
        clickTreeItem(tree->topLevelItem(3)->child(1));
        QCOMPARE(started->project().currentClass, 3);
        QCOMPARE(started->project().currentSlot, 2);
        QCOMPARE(body->toPlainText(), QString("// third class, second method"));
        QCOMPARE(tab->currentIndex(), 2);
    }

    void rightClickAndKeysActOnTheHighlightedItem() {
        popupCommand("AddClass1");
        popupCommand("AddInterface1");
        clickTreeItem(tree->topLevelItem(2)->child(0));
        popupCommand("DeleteClass1", true, tree->topLevelItem(1));
        QCOMPARE(treeTexts(tree), QStringList({"Imports", "NewClass", "NewInterface"}));

        tree->setFocus();
        QTest::keyClick(tree, Qt::Key_Home);
        QCOMPARE(declaration->text(), QString("Imports"));
        QTest::keyClick(tree, Qt::Key_End);
        QCOMPARE(declaration->text(), QString("public void NewInterface() "));
        QTest::keyClick(tree, Qt::Key_Up);
        QCOMPARE(tab->currentIndex(), 0);
        QCOMPARE(started->project().currentSlot, 0);
        QCOMPARE(body->toPlainText(), QString("// NewClass Code"));
    }

    void tabPopupActsOnTheTabUnderTheMouse() {
        clickTab(1);
        popupCommand("DeleteInterface1", true, nullptr, tab, tab->tabRect(2).center());
        QCOMPARE(tabTexts(tab), QStringList({"NewClass (class)", "init"}));
    }

    void theTreeWidensAndShowsCutNamesWhole() {
        replaceDeclaration("public class AppletWithANameMuchTooLongForTheTree extends Applet");
        body->setFocus();
        const QPoint at = tree->visualItemRect(tree->topLevelItem(1)).center();
        QHelpEvent help(QEvent::ToolTip, at, tree->viewport()->mapToGlobal(at));
        QApplication::sendEvent(tree->viewport(), &help);
        QCOMPARE(QToolTip::text(), QString("AppletWithANameMuchTooLongForTheTree"));
        QWidget* handle = mainWindow->findChild<QSplitter*>()->handle(1);
        QTest::mousePress(handle, Qt::LeftButton, {}, QPoint(1, 20));
        QTest::mouseMove(handle, QPoint(151, 20));
        QTest::mouseRelease(handle, Qt::LeftButton, {}, QPoint(151, 20));
        QCOMPARE(tree->width(), 120 + 150);
    }

    void tabClickSelectsSlotAndTree() {
        clickTab(2);
        QCOMPARE(started->project().currentSlot, 2);
        QCOMPARE(declaration->text(), QString("public void paint(Graphics g)"));
        QCOMPARE(body->toPlainText(), QString("// paint code"));
        QCOMPARE(tree->currentItem()->text(0), QString("paint"));
    }

    void importsEntry() {
        clickTreeItem(findItem("Imports"));
        QCOMPARE(tab->count(), 0);
        QCOMPARE(declaration->text(), QString("Imports"));
        QCOMPARE(body->toPlainText(), QString("import java.applet.*;\nimport java.awt.*;"));
        body->moveCursor(QTextCursor::End);
        QTest::keyClick(body, Qt::Key_Return);
        QTest::keyClicks(body, "import java.util.*;");
        QCOMPARE(started->project().imports,
                 std::string("import java.applet.*;\r\nimport java.awt.*;\r\nimport java.util.*;"));
        QTest::keyClicks(declaration, "x");
        QCOMPARE(started->project().slot(0, 0).name, std::string("Imports"));
        QCOMPARE(started->project().slot(1, 0).declaration,
                 std::string("public class NewClass extends Applet"));
    }

    void bodyEditsGoToTheCurrentSlotAndShowLeadingWhiteRemoved() {
        started->project().setBody(1, 1, "\r\n   first\r\nsecond");
        clickTreeItem(findItem("NewClass", "init"));
        QCOMPARE(body->toPlainText(), QString("first\nsecond"));
        QCOMPARE(started->project().slot(1, 1).body, std::string("\r\n   first\r\nsecond"));
        body->moveCursor(QTextCursor::End);
        QTest::keyClick(body, Qt::Key_Return);
        QCOMPARE(mainWindow->findChild<QLabel*>("xy")->text(), QString("Line: 3"));
        QTest::keyClicks(body, "third");
        QCOMPARE(started->project().slot(1, 1).body, std::string("first\r\nsecond\r\nthird"));
        body->moveCursor(QTextCursor::Start);
        QTest::keyClick(body, Qt::Key_End);
        QCOMPARE(mainWindow->findChild<QLabel*>("xy")->text(), QString("Line: 1"));
    }

    void typedBodyStaysWithItsMethodWhenSlotsMove() {
        clickTab(2);
        body->moveCursor(QTextCursor::End);
        QTest::keyClicks(body, " done");
        clickTab(1);
        popupCommand("DeleteInterface1");
        QCOMPARE(started->project().slot(1, 1).name, std::string("paint"));
        QCOMPARE(started->project().slot(1, 1).body, std::string("// paint code done"));
        QCOMPARE(body->toPlainText(), QString("// paint code done"));
    }

    void renamingAMethodRenamesTabAtOnceAndTreeOnFocusLoss() {
        clickTab(1);
        replaceDeclaration("public void start()");
        QCOMPARE(tab->tabText(1), QString("start"));
        QCOMPARE(findItem("NewClass")->child(0)->text(0), QString("init"));
        body->setFocus();
        QCOMPARE(findItem("NewClass")->child(0)->text(0), QString("start"));
        QCOMPARE(tree->currentItem()->text(0), QString("start"));

        replaceDeclaration("int x");
        QCOMPARE(tab->tabText(1), QString("NOT"));
        replaceDeclaration("f()");
        QCOMPARE(tab->tabText(1), QString("???"));
    }

    void declarationsKeepTheirLengthAndDropLeadingBlanks() {
        clickTab(1);
        // Leading blanks arrive with a paste; they are stored but not shown.
        QApplication::clipboard()->setText("  public void run()");
        declaration->setFocus();
        declaration->selectAll();
        QTest::keyClick(declaration, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(started->project().slot(1, 1).declaration, std::string("  public void run()"));
        QCOMPARE(declaration->text(), QString("public void run()"));
        const QString throwing = "void run() throws " + QStringList(9, "IOException").join(", ");
        replaceDeclaration(throwing);
        const QString file = started->directory.filePath("Long.tzp");
        answerFileDialog([] { triggerCommand("SaveProjectAs1"); }, file);
        QVERIFY(readFile(file).contains(throwing + "\r\n"));
    }

    void renamingTheAppletClassSetsTheJavaSourcePath() {
        replaceDeclaration("public class Demo extends Applet");
        QCOMPARE(tab->tabText(0), QString("Demo (class)"));
        QCOMPARE(started->project().javaSourcePath, std::string("Demo.java"));
        auto* status = mainWindow->statusBar()->findChild<QLabel*>();
        QCOMPARE(status->text(), QString("Demo.java"));
    }

    void addInterfaceSelectsTheNewMethod() {
        popupCommand("AddInterface1");
        QCOMPARE(started->project().lastSlot(1), 3);
        QCOMPARE(tabTexts(tab), QStringList({"NewClass (class)", "init", "paint", "NewInterface"}));
        QCOMPARE(tab->currentIndex(), 3);
        QCOMPARE(body->toPlainText(), QString("// NewInterface Code"));
        QCOMPARE(declaration->text(), QString("public void NewInterface() "));
        QCOMPARE(tree->currentItem()->text(0), QString("NewInterface"));
    }

    void deleteInterfaceShowsTheFollowingOrNewLastMethod() {
        clickTab(1);
        popupCommand("DeleteInterface1");
        QCOMPARE(tabTexts(tab), QStringList({"NewClass (class)", "paint"}));
        QCOMPARE(body->toPlainText(), QString("// paint code"));
        popupCommand("DeleteInterface1");
        QCOMPARE(started->project().currentSlot, 0);
        QCOMPARE(tab->currentIndex(), 0);
        QCOMPARE(body->toPlainText(), QString("// NewClass code"));
        popupCommand("DeleteInterface1", false);
        QCOMPARE(started->project().lastSlot(1), 0);
    }

    void deleteClassMovesFollowingClassesDownWhole() {
        popupCommand("AddClass1");
        replaceDeclaration("class Second");
        popupCommand("AddClass1");
        replaceDeclaration("class Third");
        for (int i = 0; i < 3; ++i) popupCommand("AddInterface1");
        clickTreeItem(findItem("Second"));
        popupCommand("DeleteClass1");
        QCOMPARE(treeTexts(tree), QStringList({"Imports", "NewClass", "init", "paint", "Third",
                                               "NewInterface", "NewInterface", "NewInterface"}));
        QCOMPARE(started->project().currentClass, 2);
        QCOMPARE(started->project().lastSlot(2), 3);
        QCOMPARE(tree->currentItem()->text(0), QString("Third"));
        QCOMPARE(declaration->text(), QString("class Third"));
    }

    void deletingTheOnlyClassLeavesImports() {
        popupCommand("DeleteClass1");
        QCOMPARE(treeTexts(tree), QStringList({"Imports"}));
        QCOMPARE(tree->currentItem()->text(0), QString("Imports"));
        QCOMPARE(declaration->text(), QString("Imports"));
        QCOMPARE(body->toPlainText(), QString("import java.applet.*;\nimport java.awt.*;"));
        popupCommand("DeleteClass1", false);
        popupCommand("AddInterface1", false);
    }

    void pasteOfAnEmptyClipboardChangesNothing() {
        // What the clipboard holds after the program that owned it quit.
        QApplication::clipboard()->setMimeData(new QMimeData);
        body->setFocus();
        QTest::keyClick(body, Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(body, Qt::Key_Insert, Qt::ShiftModifier);
        triggerCommand("Paste1");
        QCOMPARE(body->toPlainText(), QString("// NewClass code"));
    }

    void ctrlASavesAsInEveryWindowEvenFromAnEditor() {
        const auto pressCtrlA = [] {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        };
        body->setFocus();
        QCOMPARE(answerFileDialog(pressCtrlA, QString()), QString("saveProject"));
        QVERIFY(!body->textCursor().hasSelection());

        QWidget& obj = started->program->inspector();
        obj.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&obj));
        auto* grid = obj.findChild<QTableWidget*>();
        grid->editItem(grid->item(0, 1));
        QVERIFY(qobject_cast<QLineEdit*>(QApplication::focusWidget()));
        QCOMPARE(answerFileDialog(pressCtrlA, QString()), QString("saveProject"));
    }

    void addClassIsDisabledAtTwentyClasses() {
        for (int i = 1; i < tz::Project::MaxClasses; ++i) popupCommand("AddClass1");
        QCOMPARE(started->project().classCount(), 20);
        popupCommand("AddClass1", false);
        QCOMPARE(started->project().classCount(), 20);
    }
};

QTEST_MAIN(MainWindowTest)
#include "tst_mainwindow.moc"
