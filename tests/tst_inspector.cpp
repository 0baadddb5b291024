// The inspector: the tree's selection and the model's, applying the grid with
// Enter to one object or several, renames, the double-click shortcuts and
// deleting the selection.
#include <QLabel>
#include <QPushButton>
#include <QToolTip>

#include "designer/DesignRules.h"
#include "tst_designer_fixture.h"

using tz::ObjectKind;

class InspectorTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void aHeaderClearsTheGridAndLeavesNoCurrentObject() {
        Designer d;
        d.create(1, {QPoint(10, 10), QPoint(10, 60)});
        d.create(2, {QPoint(100, 10)});
        QCOMPARE(d.treeTexts(), QStringList({"[Buttons]", "JButton0", "JButton1", "[Labels]",
                                             "JLabel0", "[Textfields]", "[Images]"}));
        d.clickTreeItem("[Labels]");
        QCOMPARE(d.model.currentObject(), std::nullopt);
        for (int row = 0; row < InspectorWindow::RowCount; ++row) {
            QCOMPARE(d.label(row), QString());
            QCOMPARE(d.value(row), QString());
        }
        QTest::mouseClick(d.deleteButton(), Qt::LeftButton);
        QCOMPARE(d.treeTexts().size(), 7);

        // An object item shows the record as stored, not the control.
        d.control(ObjectKind::Button, 1)->move(300, 300);
        d.clickTreeItem("JButton1");
        QCOMPARE(d.model.currentObject(), std::optional(tz::ObjectRef{ObjectKind::Button, 1}));
        QCOMPARE(d.value(1), QString("10"));
        QCOMPARE(d.value(2), QString("60"));
    }

    void enterAppliesRowsUntilABadInteger() {
        Designer d;
        d.create(1, {QPoint(20, 20)});
        QWidget* button = d.control(ObjectKind::Button, 0);
        d.typeIntoCell(0, "Press");
        d.typeIntoCell(1, " 50");
        d.typeIntoCell(2, "12px");
        const QStringList shown = d.enterCell(3, "$50");
        QCOMPARE(shown, QStringList("'12px' is not a valid integer value"));
        QCOMPARE(qobject_cast<QPushButton*>(button)->text(), QString("Press"));
        QCOMPARE(button->geometry(), QRect(50, 20, 65, 33));
        // The record took the rows before the refused one; the grid keeps what was typed.
        QCOMPARE(d.record(ObjectKind::Button, 0).fields[tz::Xpos], std::string("50"));
        QCOMPARE(d.value(2), QString("12px"));

        QVERIFY(d.enterCell(2, "-$A").isEmpty());
        QCOMPARE(button->geometry(), QRect(50, -10, 80, 33));
        QCOMPARE(d.record(ObjectKind::Button, 0).fields[tz::Ypos], std::string("-10"));
        QCOMPARE(d.record(ObjectKind::Button, 0).fields[tz::Caption], std::string("Press"));
        QCOMPARE(d.value(2), QString("-10"));
        QCOMPARE(d.value(3), QString("80"));
    }

    void numbersOutsideTheirRangeAreRefused() {
        Designer d;
        d.create(1, {QPoint(20, 20)});
        const QRect before = d.control(ObjectKind::Button, 0)->geometry();
        // Row, refused text, the object's own value again.
        const std::tuple<int, const char*, const char*> refused[] = {
            {3, "0", "65"}, {4, "-20", "33"}, {1, "2147483647", "20"}, {3, "4097", "65"}};
        for (const auto& [row, text, valid] : refused) {
            QCOMPARE(d.enterCell(row, text).join(""),
                     row == 1 ? QString("Value must be between -4096 and 4096")
                              : QString("Value must be between 1 and 4096"));
            QCOMPARE(d.control(ObjectKind::Button, 0)->geometry(), before);
            QVERIFY(d.enterCell(row, valid).isEmpty());
        }
    }

    void renamesAreCheckedAgainstEveryComponent() {
        Designer d;
        d.create(1, {QPoint(10, 10), QPoint(10, 60)});
        d.clickTreeItem("JButton1");
        QCOMPARE(d.enterCell(5, "flytt"), QStringList("A component named flytt already exists"));
        QCOMPARE(d.enterCell(5, "Timer1"), QStringList("A component named Timer1 already exists"));
        QCOMPARE(d.enterCell(5, "jbutton0"),
                 QStringList("A component named jbutton0 already exists"));
        for (const QString& refused : QStringList{"2nd", "int", "class", "null", "_"})
            QCOMPARE(d.enterCell(5, refused),
                     QStringList("''" + refused + "'' is not a valid component name"));
        QCOMPARE(d.control(ObjectKind::Button, 1)->objectName(), QString("JButton1"));

        QVERIFY(d.enterCell(5, "okButton").isEmpty());
        QCOMPARE(d.treeTexts().mid(0, 3), QStringList({"[Buttons]", "JButton0", "okButton"}));
        QCOMPARE(d.selectedTreeText(), QString("okButton"));
        QCOMPARE(d.record(ObjectKind::Button, 1).fields[tz::Name], std::string("okButton"));

        // A change of letter case alone is allowed.
        d.clickTreeItem("JButton0");
        QVERIFY(d.enterCell(5, "jbutton0").isEmpty());
        QCOMPARE(d.treeTexts().mid(0, 3), QStringList({"[Buttons]", "jbutton0", "okButton"}));
        QCOMPARE(d.selectedTreeText(), QString("jbutton0"));
    }

    // A blank Name must neither bring a removed object back nor drop a
    // shown one from the saved file.
    void aBlankNameIsRefusedAndTheSaveHoldsWhatIsShown() {
        Designer d;
        d.create(1, {QPoint(10, 10), QPoint(10, 60), QPoint(10, 110)});
        d.clickTreeItem("JButton1");
        QTest::mouseClick(d.deleteButton(), Qt::LeftButton);
        d.clickTreeItem("JButton2");
        QLineEdit* editor = d.typeIntoCell(5, "");
        QVERIFY(editor);
        QTest::keyClick(editor, Qt::Key_Delete);
        QCOMPARE(
            answerMessageBoxes([&] { QTest::keyClick(editor, Qt::Key_Return); }, QMessageBox::Ok),
            QStringList("An object needs a Name; use Delete to remove it"));
        QCOMPARE(d.value(5), QString());
        QCOMPARE(d.treeTexts().mid(0, 3), QStringList({"[Buttons]", "JButton0", "JButton2"}));
        QCOMPARE(d.model.currentObject(), std::optional(tz::ObjectRef{ObjectKind::Button, 2}));

        QVERIFY(d.enterCell(5, "ghost").isEmpty());
        QCOMPARE(d.treeTexts().mid(0, 3), QStringList({"[Buttons]", "JButton0", "ghost"}));
        QCOMPARE(d.control(ObjectKind::Button, 2)->objectName(), QString("ghost"));
        QVERIFY(!d.control(ObjectKind::Button, 1));

        const QString path = d.started.directory.filePath("ghost.tzp");
        answerFileDialog([] { triggerCommand("SaveProjectAs1"); }, path);
        const QByteArray saved = readBytes(path);
        QVERIFY(saved.contains("Buttons=2\r\n"));
        QVERIFY(saved.contains("\r\nJButton0\r\n"));
        QVERIFY(saved.contains("Button 2\r\n10\r\n110\r\n65\r\n33\r\nghost\r\n"));
        QVERIFY(!saved.contains("JButton1"));
        d.create(1, {QPoint(100, 100)});  // changed, and opened again below
        answerMessageBoxes([&] { answerFileDialog([] { triggerCommand("OpenProject1"); }, path); },
                           QMessageBox::No);
        QCOMPARE(d.treeTexts().mid(0, 4),
                 QStringList({"[Buttons]", "JButton0", "ghost", "[Labels]"}));
    }

    void aClickSelectsTheWholeValueAndTabLeavesTheGrid() {
        Designer d;
        d.create(1, {QPoint(10, 10)});
        d.obj.activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), &d.obj);
        for (int row : {1, 0, 0}) d.clickCell(row);  // the last click is on the open editor
        QTest::keyClicks(d.openEditor(), "XYZ");
        QTest::keyClick(d.openEditor(), Qt::Key_Tab);
        QVERIFY(!d.grid->isAncestorOf(QApplication::focusWidget()));
        QCOMPARE(d.value(0), QString("XYZ"));
    }

    void theLabelColumnStaysInView() {
        Designer d;
        d.create(2, {QPoint(10, 10)});
        QTableWidget* grid = d.grid;
        const auto labelsInView = [&] {
            return grid->columnViewportPosition(0) == 0 &&
                   grid->columnViewportPosition(1) + grid->columnWidth(1) <=
                       grid->viewport()->width();
        };
        const QString caption = "A caption much too long for the value column";
        QVERIFY(d.enterCell(0, caption).isEmpty());
        QVERIFY(d.openEditor());
        QVERIFY(labelsInView());
        // Cut short in its cell, the value shows whole as a tool tip.
        d.obj.move(700, 300);  // clear of the other windows, for the pointer
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, d.cellPoint(1, 1));
        QTest::mouseMove(grid->viewport(), d.cellPoint(0, 1));
        QTRY_COMPARE(QToolTip::text(), caption);

        // The grid line between the columns can be dragged.
        QWidget* viewport = grid->viewport();
        const int line = grid->columnWidth(0);
        const int y = d.cellPoint(3, 0).y();
        QTest::mousePress(viewport, Qt::LeftButton, {}, QPoint(line, y));
        QTest::mouseMove(viewport, QPoint(line + 20, y));
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, QPoint(line + 20, y));
        QCOMPARE(grid->columnWidth(0), line + 20);
        QTest::mousePress(viewport, Qt::LeftButton, {}, QPoint(line + 20, y));
        QTest::mouseMove(viewport, QPoint(viewport->width() + 50, y));
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, QPoint(viewport->width() + 50, y));
        QVERIFY(grid->columnWidth(1) > 0);
        QVERIFY(d.enterCell(1, "12").isEmpty());
        QVERIFY(labelsInView());
    }

    void alignmentCyclesOnDoubleClick() {
        Designer d;
        d.create(2, {QPoint(10, 10)});
        auto* label = qobject_cast<QLabel*>(d.control(ObjectKind::Label, 0));
        QTest::mouseClick(d.grid->viewport(), Qt::LeftButton, {}, d.cellPoint(6, 1));
        const QStringList expected = {"[CENTER]", "[RIGHT]", "[LEFT]"};
        const Qt::Alignment horizontal[] = {Qt::AlignHCenter, Qt::AlignRight, Qt::AlignLeft};
        for (int step = 0; step < 3; ++step) {
            d.doubleClickGrid(6, 0);
            QCOMPARE(d.record(ObjectKind::Label, 0).fields[tz::Align],
                     expected[step].toStdString());
            QCOMPARE(label->alignment() & Qt::AlignHorizontal_Mask, horizontal[step]);
        }
        // A wrong-case text keeps the alignment; the record holds the real one.
        QVERIFY(d.enterCell(6, "[center]").isEmpty());
        QCOMPARE(d.record(ObjectKind::Label, 0).fields[tz::Align], std::string("[LEFT]"));
        QCOMPARE(d.value(6), QString("[LEFT]"));
        // Row 0 of a label has no shortcut.
        QTest::mouseClick(d.grid->viewport(), Qt::LeftButton, {}, d.cellPoint(0, 1));
        d.doubleClickGrid(0, 0);
        QCOMPARE(d.record(ObjectKind::Label, 0).fields[tz::Caption], std::string("Label 0"));
    }

    void aPictureIsChosenByDoubleClickOnItsRow() {
        Designer d;
        const QString first = writePicture(d.started.directory.path(), "a.jpg", QSize(30, 20));
        const QString second = writePicture(d.started.directory.path(), "b.jpg", QSize(50, 40));
        d.arm(4);
        answerFileDialog([&] { d.clickBackground(QPoint(10, 10)); }, first);
        QTest::mouseClick(d.grid->viewport(), Qt::LeftButton, {}, d.cellPoint(0, 1));
        // Typing a path changes nothing; only the dialog does.
        QVERIFY(d.enterCell(0, "elsewhere.jpg").isEmpty());
        QCOMPARE(d.record(ObjectKind::Image, 0).fields[tz::Caption], first.toStdString());
        answerFileDialog([&] { d.doubleClickGrid(0, 0); }, second);
        QCOMPARE(d.record(ObjectKind::Image, 0).fields[tz::Caption], second.toStdString());
        QCOMPARE(d.value(0), second);
        QCOMPARE(d.control(ObjectKind::Image, 0)->size(), QSize(50, 40));
        answerFileDialog([&] { d.doubleClickGrid(0, 0); }, QString());
        QCOMPARE(d.record(ObjectKind::Image, 0).fields[tz::Caption], second.toStdString());
    }

    void theTreeAndTheDesignModelShareOneSelection() {
        Designer d;
        d.create(1, {QPoint(10, 10), QPoint(10, 60)});
        d.create(2, {QPoint(10, 110)});
        const tz::ObjectRef button0{ObjectKind::Button, 0}, button1{ObjectKind::Button, 1},
            label0{ObjectKind::Label, 0};
        d.clickTreeItem("JButton0");
        d.clickTreeItem("JLabel0", Qt::ShiftModifier);
        QCOMPARE(d.model.selection(), (std::vector{button0, button1, label0}));
        d.clickTreeItem("JButton1", Qt::ControlModifier);
        QCOMPARE(d.model.selection(), (std::vector{button0, label0}));
        d.clickTreeItem("JButton1");
        QCOMPARE(d.model.selection(), std::vector{button1});
        d.model.setSelection({label0, button0});
        QCOMPARE(d.selectedTreeTexts(), QStringList({"JButton0", "JLabel0"}));
        QCOMPARE(d.selectedTreeText(), QString("JButton0"));
        d.model.setSelection({});
        QCOMPARE(d.selectedTreeTexts(), QStringList());
    }

    // Several objects take the rows changed, all or none, as one step.
    void anEditedRowAppliesToTheWholeSelection() {
        Designer d;
        d.create(1, {QPoint(10, 10), QPoint(10, 60)});
        d.create(2, {QPoint(10, 110)});
        d.clickTreeItem("JButton0");
        for (const char* item : {"JButton1", "JLabel0"}) d.clickTreeItem(item, Qt::ControlModifier);
        QCOMPARE(d.selectedTreeTexts(), QStringList({"JButton0", "JButton1", "JLabel0"}));
        const QStringList labels = {"Caption", "Xpos", "Ypos", "Width", "Height", "Name", ""};
        for (int row = 0; row < InspectorWindow::RowCount; ++row)
            QCOMPARE(d.label(row), labels[row]);
        QCOMPARE(d.value(0), QString());  // the captions differ
        QCOMPARE(d.value(1), QString("10"));
        QVERIFY(!d.typeIntoCell(5, "same"));

        QVERIFY(d.typeIntoCell(1, "30"));
        QCOMPARE(d.enterCell(2, "12px"), QStringList("'12px' is not a valid integer value"));
        QCOMPARE(d.record(ObjectKind::Button, 0).fields[tz::Xpos], std::string("10"));
        QVERIFY(d.enterCell(2, "200").isEmpty());
        QCOMPARE(d.value(2), QString("200"));
        QCOMPARE(d.selectedTreeTexts(), QStringList({"JButton0", "JButton1", "JLabel0"}));
        QCOMPARE(commandAction("Undo1")->text(), QString("&Undo Edit 3 Objects"));

        const QString path = d.started.directory.filePath("several.tzp");
        const auto save = [&] {
            answerFileDialog([] { triggerCommand("SaveProject1"); }, path);
            return readBytes(path);
        };
        const QByteArray edited = save();
        for (const char* object : {"Button 0\r\n30\r\n200\r\n65\r\n33\r\nJButton0\r\n",
                                   "Button 1\r\n30\r\n200\r\n65\r\n33\r\nJButton1\r\n",
                                   "Label 0\r\n30\r\n200\r\n73\r\n25\r\nJLabel0\r\n"})
            QVERIFY2(edited.contains(object), object);
        triggerCommand("Undo1");
        QVERIFY(save().contains("Button 1\r\n10\r\n60\r\n65\r\n33\r\nJButton1\r\n"));
        triggerCommand("Redo1");
        QCOMPARE(save(), edited);
        QTest::mouseClick(d.deleteButton(), Qt::LeftButton);
        QCOMPARE(d.treeTexts(), QStringList({"[Buttons]", "[Labels]", "[Textfields]", "[Images]"}));
    }

    void deleteSearchesDownward() {
        Designer d;
        d.create(1, {QPoint(10, 10), QPoint(10, 50), QPoint(10, 90), QPoint(10, 130)});
        d.clickTreeItem("JButton1");
        QTest::mouseClick(d.deleteButton(), Qt::LeftButton);
        QCOMPARE(d.model.currentObject(), std::optional(tz::ObjectRef{ObjectKind::Button, 0}));
        QCOMPARE(d.selectedTreeText(), QString("JButton0"));
        d.clickTreeItem("JButton3");
        QTest::mouseClick(d.deleteButton(), Qt::LeftButton);
        QCOMPARE(d.model.currentObject(), std::optional(tz::ObjectRef{ObjectKind::Button, 2}));
        QCOMPARE(d.value(5), QString("JButton2"));
        QCOMPARE(d.selectedTreeText(), QString("JButton2"));
        QCOMPARE(d.treeTexts().mid(0, 3), QStringList({"[Buttons]", "JButton0", "JButton2"}));
        QVERIFY(!d.control(ObjectKind::Button, 3));
        QCOMPARE(d.model.table(ObjectKind::Button).count, 4);

        // Deleting the lowest object in use leaves no current object, and a
        // later Enter brings nothing back.
        d.clickTreeItem("JButton0");
        QTest::mouseClick(d.deleteButton(), Qt::LeftButton);
        QCOMPARE(d.model.currentObject(), std::nullopt);
        QCOMPARE(d.value(5), QString());
        QCOMPARE(d.selectedTreeText(), QString("[Buttons]"));
        QTest::keyClick(d.grid, Qt::Key_Return);
        QVERIFY(!d.control(ObjectKind::Button, 0));
        QCOMPARE(d.treeTexts().mid(0, 2), QStringList({"[Buttons]", "JButton2"}));
    }
};

QTEST_MAIN(InspectorTest)
#include "tst_inspector.moc"
