// Copy, cut, paste and duplicate of design objects by the Edit menu's keys
// on the design window, checked in the saved project.
#include <QClipboard>
#include <QMimeData>

#include "designer/DesignRules.h"
#include "tst_designer_fixture.h"

using tz::ObjectKind;

namespace {

QByteArray recordLines(std::initializer_list<const char*> fields) {
    QByteArray lines;
    for (const char* field : fields) lines += QByteArray(field) + "\r\n";
    return lines;
}

void activate(QWidget& window) {
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
}

}  // namespace

class ObjectClipboardTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void keysOnTheDesignWindowCopyPasteDuplicateAndCut() {
        Designer d;
        d.create(1, {QPoint(20, 30)});
        QTest::mouseClick(d.control(ObjectKind::Button, 0), Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(!commandAction("Duplicate1")->isEnabled());  // the main window is active
        activate(d.app);
        QVERIFY(commandAction("Duplicate1")->isEnabled());
        const auto press = [&](Qt::Key key) { QTest::keyClick(&d.app, key, Qt::ControlModifier); };
        press(Qt::Key_C);
        press(Qt::Key_V);
        const QString path = d.started.directory.filePath("Pasted.tzp");
        answerFileDialog([] { triggerCommand("SaveProjectAs1"); }, path);
        QVERIFY(readBytes(path).contains(
            recordLines({"Button 0", "28", "38", "65", "33", "JButton1", "", "[Uses]"})));
        QCOMPARE(commandAction("Undo1")->text(), QString("Undo Paste JButton1"));
        triggerCommand("Undo1");
        QVERIFY(!d.control(ObjectKind::Button, 1));
        triggerCommand("Redo1");
        QCOMPARE(d.control(ObjectKind::Button, 1)->geometry(), QRect(28, 38, 65, 33));

        activate(d.app);   // the file dialog has left the main window active
        press(Qt::Key_D);  // the pasted object, selected, once more
        QCOMPARE(d.control(ObjectKind::Button, 2)->pos(), QPoint(36, 46));
        QCOMPARE(d.model.selection(), std::vector<tz::ObjectRef>({{ObjectKind::Button, 2}}));
        press(Qt::Key_X);
        QCOMPARE(commandAction("Undo1")->text(), QString("Undo Cut JButton2"));
        QVERIFY(!d.control(ObjectKind::Button, 2));
        press(Qt::Key_V);  // the cut object comes back in its place
        QCOMPARE(d.record(ObjectKind::Button, 2).fields[tz::Name], std::string("JButton2"));
        QCOMPARE(d.control(ObjectKind::Button, 2)->pos(), QPoint(36, 46));

        QGuiApplication::clipboard()->setText(  // object lines, but as plain text
            "[Objects]\r\nButtons=1\r\nLabels=0\r\nTextfields=0\r\nImages=0\r\n[Applet]\r\n" +
            recordLines({"B", "1", "1", "9", "9", "JButton9", ""}));
        press(Qt::Key_V);
        QCOMPARE(d.model.table(ObjectKind::Button).count, 3);
    }

    // Pastes fill the kind, and the one too many shows the usual message.
    void aPasteBeyondTheKindsSlotsIsRefused() {
        Designer d;
        d.create(2, {QPoint(4, 4)});
        activate(d.app);
        QTest::keyClick(&d.app, Qt::Key_C, Qt::ControlModifier);
        for (int i = 1; i < tz::ObjectTable::SlotCount; ++i)
            QTest::keyClick(&d.app, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(d.control(ObjectKind::Label, 30)->pos(), QPoint(244, 244));
        const QStringList shown = answerMessageBoxes(
            [&] { QTest::keyClick(&d.app, Qt::Key_V, Qt::ControlModifier); }, QMessageBox::Ok);
        QCOMPARE(shown, QStringList(QString::fromStdString(tz::capacityError())));
        QCOMPARE(d.model.table(ObjectKind::Label).count, tz::ObjectTable::SlotCount);
    }
};

QTEST_MAIN(ObjectClipboardTest)
#include "tst_objectclipboard.moc"
