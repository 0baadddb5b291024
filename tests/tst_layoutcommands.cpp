// The Layout menu's commands on the objects selected on the design window.
#include "tst_designer_fixture.h"

using tz::ObjectKind;

namespace {

QByteArray objectLines(const char* caption, int x, int y, int width, int height, const char* name) {
    return QString("%1\r\n%2\r\n%3\r\n%4\r\n%5\r\n%6\r\n")
        .arg(caption)
        .arg(x)
        .arg(y)
        .arg(width)
        .arg(height)
        .arg(name)
        .toUtf8();
}

}  // namespace

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
        QCOMPARE(commandAction("Undo1")->text(), QString("Undo Distribute Vertically JLabel0"));
        QVERIFY(d.model.selection() == selection);
        const QString path = d.started.directory.filePath("Lined.tzp");
        QCOMPARE(answerFileDialog([] { triggerCommand("SaveProjectAs1"); }, path),
                 QString("saveProject"));
        const QByteArray saved = readBytes(path);
        QVERIFY(saved.contains(objectLines("Button 0", 100, 30, 73, 33, "JButton0")));
        QVERIFY(saved.contains(objectLines("Label 0", 100, 119, 73, 25, "JLabel0")));
        QVERIFY(saved.contains(objectLines("Textfield 0", 100, 200, 73, 21, "JTextfield0")));

        triggerCommand("Undo1");
        QCOMPARE(label->geometry(), QRect(100, 90, 73, 25));
        QVERIFY(d.model.selection() == selection);
        triggerCommand("Redo1");
        QCOMPARE(label->geometry(), QRect(100, 119, 73, 25));
    }
};

QTEST_MAIN(LayoutCommandsTest)
#include "tst_layoutcommands.moc"
