// The Layout menu's commands on the objects selected on the design window.
#include "tst_designer_fixture.h"

using tz::ObjectKind;

class LayoutCommandsTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    // The object selected first is the reference; each command is one step
    // that keeps the selection, also when undone.
    void commandsArrangeTheSelectionOnTheFirstSelected() {
        Designer d;
        d.create(1, {QPoint(20, 30)});
        d.create(2, {QPoint(100, 90)});
        d.create(3, {QPoint(50, 200)});
        QWidget* label = d.control(ObjectKind::Label, 0);
        QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(4, 4));
        QVERIFY(!commandAction("AlignLeft1")->isEnabled());
        QTest::mouseClick(d.control(ObjectKind::Button, 0), Qt::LeftButton, Qt::ControlModifier,
                          QPoint(4, 4));
        QVERIFY(commandAction("AlignLeft1")->isEnabled());
        QVERIFY(!commandAction("DistributeVertically1")->isEnabled());
        QTest::mouseClick(d.control(ObjectKind::TextField, 0), Qt::LeftButton, Qt::ControlModifier,
                          QPoint(4, 4));
        const std::vector<tz::ObjectRef> selection = {
            {ObjectKind::Label, 0}, {ObjectKind::Button, 0}, {ObjectKind::TextField, 0}};
        QVERIFY(d.model.selection() == selection);

        triggerCommand("AlignLeft1");
        QTest::mouseClick(d.tool.findChild<QToolButton*>("SameWidth1Button"), Qt::LeftButton);
        triggerCommand("DistributeVertically1");
        QCOMPARE(commandAction("Undo1")->text(), QString("&Undo Distribute Vertically JLabel0"));
        QVERIFY(d.model.selection() == selection);
        const QString path = d.started.directory.filePath("Lined.tzp");
        QCOMPARE(answerFileDialog([] { triggerCommand("SaveProjectAs1"); }, path),
                 QString("saveProject"));
        const QByteArray saved = readBytes(path);
        QVERIFY(saved.contains("Button 0\r\n100\r\n30\r\n73\r\n33\r\nJButton0\r\n"));
        QVERIFY(saved.contains("Label 0\r\n100\r\n119\r\n73\r\n25\r\nJLabel0\r\n"));
        QVERIFY(saved.contains("Textfield 0\r\n100\r\n200\r\n73\r\n21\r\nJTextfield0\r\n"));

        triggerCommand("Undo1");
        QCOMPARE(label->geometry(), QRect(100, 90, 73, 25));
        QVERIFY(d.model.selection() == selection);
        triggerCommand("Redo1");
        QCOMPARE(label->geometry(), QRect(100, 119, 73, 25));
    }
};

QTEST_MAIN(LayoutCommandsTest)
#include "tst_layoutcommands.moc"
