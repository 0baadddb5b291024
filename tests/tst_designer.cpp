// The design window: creating objects, their records and names, and the
// mouse gestures that select, move and resize them.
#include <sys/resource.h>
#include <QClipboard>
#include <QLabel>
#include <QPushButton>

#include "designer/DesignRules.h"
#include "designer/ui/PictureBox.h"
#include "tst_designer_fixture.h"

using tz::ObjectKind;

namespace {

// A 1 x 1 GIF: Qt reads GIF but cannot write it.
const QByteArray TinyGif = QByteArray::fromHex(
    "47494638396101000100800000ffffff00000021f90401000000002c00000000010001000002024401003b");

QStringList fields(const tz::ObjectRecord& record) {
    QStringList texts;
    for (const std::string& field : record.fields) texts << QString::fromStdString(field);
    return texts;
}

void add(tz::ObjectTables& tables, ObjectKind kind, const tz::ObjectRecord& record) {
    tz::ObjectTable& table = tables[int(kind)];
    table.records[table.count++] = record;
}

long peakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

}  // namespace

class DesignerTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void createsEachKindAtThePressPoint() {
        Designer d;
        d.create(1, {QPoint(30, 40)});
        d.create(2, {QPoint(120, 10)});
        d.create(3, {QPoint(10, 150)});
        QCOMPARE(fields(d.record(ObjectKind::Button, 0)),
                 QStringList({"Button 0", "30", "40", "65", "33", "JButton0", ""}));
        QCOMPARE(fields(d.record(ObjectKind::Label, 0)),
                 QStringList({"Label 0", "120", "10", "73", "25", "JLabel0", "[LEFT]"}));
        QCOMPARE(fields(d.record(ObjectKind::TextField, 0)),
                 QStringList({"Textfield 0", "10", "150", "73", "21", "JTextfield0", ""}));
        QCOMPARE(d.control(ObjectKind::Button, 0)->geometry(), QRect(30, 40, 65, 33));
        QCOMPARE(qobject_cast<QPushButton*>(d.control(ObjectKind::Button, 0))->text(),
                 QString("Button 0"));
        // The inspector shows the newest object and lists all of them.
        QCOMPARE(d.label(0), QString("Text"));
        QCOMPARE(d.value(5), QString("JTextfield0"));
        QCOMPARE(d.treeTexts(), QStringList({"[Buttons]", "JButton0", "[Labels]", "JLabel0",
                                             "[Textfields]", "JTextfield0", "[Images]"}));
        QCOMPARE(d.selectedTreeText(), QString("JTextfield0"));
        QCOMPARE(d.model.currentObject(), std::optional(tz::ObjectRef{ObjectKind::TextField, 0}));
        QVERIFY(d.tool.button(3)->isChecked());
    }

    void newImagesTakeThePictureSize() {
        Designer d;
        const QString jpeg = writePicture(d.started.directory.path(), "sky.jpg", QSize(40, 30));
        const QString gif = d.started.directory.filePath("dot.gif");
        writeFile(gif, TinyGif);
        const QString broken = d.started.directory.filePath("broken.jpg");
        writeFile(broken, "not a picture");
        d.pressPalette(4);
        for (const QString& path : {jpeg, gif, broken})
            answerFileDialog([&] { d.clickBackground(QPoint(5, 5)); }, path);
        answerFileDialog([&] { d.clickBackground(QPoint(5, 5)); }, QString());  // cancelled

        QCOMPARE(d.model.table(ObjectKind::Image).count, 3);
        QCOMPARE(d.control(ObjectKind::Image, 0)->size(), QSize(40, 30));
        QCOMPARE(d.control(ObjectKind::Image, 1)->size(), QSize(1, 1));
        QCOMPARE(d.control(ObjectKind::Image, 2)->size(), QSize(73, 65));
        QCOMPARE(fields(d.record(ObjectKind::Image, 2)),
                 QStringList({broken, "5", "5", "73", "65", "JImage2", ""}));
        QCOMPARE(d.label(0), QString("Picture"));
        QCOMPARE(d.value(6), QString());
    }

    void newObjectsTakeTheSlotsOfDeletedOnes() {
        Designer d;
        d.create(1, {QPoint(10, 10), QPoint(10, 60), QPoint(10, 110)});
        d.clickTreeItem("JButton1");
        QTest::mouseClick(d.deleteButton(), Qt::LeftButton);
        d.create(1, {QPoint(100, 10)});
        QCOMPARE(d.model.table(ObjectKind::Button).count, 3);
        QCOMPARE(d.record(ObjectKind::Button, 1).fields[tz::Name], std::string("JButton1"));
        QCOMPARE(d.treeTexts().mid(0, 4),
                 QStringList({"[Buttons]", "JButton0", "JButton1", "JButton2"}));
        QStringList names;
        for (int slot = 0; slot < 3; ++slot)
            names << d.app.control(ObjectKind::Button, slot)->objectName();
        QCOMPARE(names, QStringList({"JButton0", "JButton1", "JButton2"}));
    }

    void newNamesSkipTheNamesOfLoadedObjects() {
        Designer d;
        d.create(1, {QPoint(10, 10)});
        tz::ObjectTables loaded;
        add(loaded, ObjectKind::Button, {{"Go", "010", "5", "70", "30", "JButton0", ""}});
        add(loaded, ObjectKind::Button, {{"Stop", "90", "5", "70", "30", "JButton2", ""}});
        add(loaded, ObjectKind::Label, {{"L", "1", "1", "9", "9", "jbutton3"}});
        d.model.reset(loaded, 410, 316);
        QCOMPARE(d.model.currentObject(), std::nullopt);
        // The record keeps the file's text; the control takes its value.
        QCOMPARE(d.record(ObjectKind::Button, 0).fields[tz::Xpos], std::string("010"));
        QCOMPARE(d.control(ObjectKind::Button, 0)->geometry(), QRect(10, 5, 70, 30));

        QStringList shown = answerMessageBoxes(
            [&] {
                d.create(1, {QPoint(50, 50), QPoint(50, 90)});
            },
            QMessageBox::Ok);
        QVERIFY(shown.isEmpty());
        QCOMPARE(fields(d.record(ObjectKind::Button, 2)),
                 QStringList({"Button 4", "50", "50", "65", "33", "JButton4", ""}));
        QCOMPARE(d.record(ObjectKind::Button, 3).fields[tz::Name], std::string("JButton5"));
        QCOMPARE(d.model.table(ObjectKind::Button).count, 4);

        // Refused records leave nothing behind.
        tz::ObjectRecord taken{{"Again", "1", "1", "9", "9", "jbutton0", ""}};
        tz::ObjectRecord badNumber{{"Odd", "1", "x", "9", "9", "Odd", ""}};
        QCOMPARE(d.model.addObject(ObjectKind::Button, taken),
                 std::optional<std::string>("A component named jbutton0 already exists"));
        QCOMPARE(d.model.addObject(ObjectKind::Label, badNumber),
                 std::optional<std::string>("'x' is not a valid integer value"));
        QCOMPARE(d.model.table(ObjectKind::Button).count, 4);
        QCOMPARE(d.model.table(ObjectKind::Label).count, 1);
    }

    void loadedImagesKeepTheirStoredSize() {
        Designer d;
        const QString jpeg = writePicture(d.started.directory.path(), "big.jpg", QSize(60, 50));
        tz::ObjectTables loaded;
        add(loaded, ObjectKind::Image, {{jpeg.toStdString(), "3", "4", "20", "10", "Photo", ""}});
        d.model.reset(loaded, 410, 316);
        QCOMPARE(d.control(ObjectKind::Image, 0)->geometry(), QRect(3, 4, 20, 10));
        QCOMPARE(qobject_cast<PictureBox*>(d.control(ObjectKind::Image, 0))->picture().size(),
                 QSize(20, 10));
    }

    // One large picture shown by 31 objects is decoded once; each object
    // keeps only its small copy.
    void imagesOfALargePictureKeepOnlyWhatTheyShow() {
        Designer d;
        const QString big = writePicture(d.started.directory.path(), "big.png", QSize(2500, 2500));
        tz::ObjectTables loaded;
        for (int i = 0; i < tz::ObjectTable::SlotCount; ++i)
            add(loaded, ObjectKind::Image,
                {{big.toStdString(), "1", "1", "40", "30", "Big" + std::to_string(i), ""}});
        const long before = peakKilobytes();
        d.model.reset(loaded, 410, 316);
        // A decoded copy is 24 MiB; one per object would be 750.
        QVERIFY2(peakKilobytes() - before < 100 * 1024,
                 qPrintable(QString::number(peakKilobytes() - before)));
        QCOMPARE(qobject_cast<PictureBox*>(d.control(ObjectKind::Image, 30))->picture().size(),
                 QSize(40, 30));
    }

    void aKindHoldsThirtyOneObjects() {
        Designer d;
        d.pressPalette(2);
        for (int i = 0; i < tz::ObjectTable::SlotCount; ++i) d.clickBackground(QPoint(i, i));
        const QStringList shown =
            answerMessageBoxes([&] { d.clickBackground(QPoint(200, 200)); }, QMessageBox::Ok);
        QCOMPARE(shown.size(), 1);
        QCOMPARE(d.model.table(ObjectKind::Label).count, tz::ObjectTable::SlotCount);
        d.clickTreeItem("JLabel7");  // a deleted object makes room for one more
        QTest::mouseClick(d.deleteButton(), Qt::LeftButton);
        QVERIFY(answerMessageBoxes([&] { d.clickBackground({200, 200}); }, 0).isEmpty());
        QCOMPARE(d.control(ObjectKind::Label, 7)->pos(), QPoint(200, 200));
    }

    void aLeftDragMovesByTheFrameKeepingTheGrabPoint() {
        Designer d;
        d.create(1, {QPoint(20, 20)});
        d.create(2, {QPoint(200, 150)});
        QWidget* button = d.control(ObjectKind::Button, 0);
        QWidget* label = d.control(ObjectKind::Label, 0);
        QTest::mousePress(button, Qt::LeftButton, {}, QPoint(10, 5));
        QVERIFY(!d.tool.button(2)->isChecked());
        QVERIFY(button->isHidden());
        QTest::mouseMove(&d.app, QPoint(60, 60));
        QTest::mouseMove(label, QPoint(3, 3));  // over another object
        QTest::mouseMove(&d.app, QPoint(100, 80));
        QTest::mouseRelease(&d.app, Qt::LeftButton, {}, QPoint(100, 80));
        QVERIFY(!button->isHidden());
        QCOMPARE(button->pos(), QPoint(88, 72));
        QCOMPARE(d.record(ObjectKind::Button, 0).fields[tz::Xpos], std::string("88"));
        QCOMPARE(d.record(ObjectKind::Button, 0).fields[tz::Ypos], std::string("72"));
        QCOMPARE(d.value(1), QString("88"));
        QCOMPARE(d.value(2), QString("72"));
        QCOMPARE(label->pos(), QPoint(200, 150));

        // A label stays in view during its move; a drop on another object
        // places it by the frame, on the grid.
        QTest::mousePress(label, Qt::LeftButton, {}, QPoint(1, 1));
        QVERIFY(!label->isHidden());
        QTest::mouseMove(&d.app, QPoint(96, 81));
        QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(label->pos(), QPoint(96, 80));
        QCOMPARE(button->pos(), QPoint(88, 72));
    }

    void aMoveReleasedOutsideLeavesTheObject() {
        Designer d;
        d.create(3, {QPoint(20, 20)});
        QWidget* field = d.control(ObjectKind::TextField, 0);
        QTest::mousePress(field, Qt::LeftButton, {}, QPoint(2, 2));
        QTest::mouseMove(&d.app, QPoint(150, 100));
        QTest::mouseRelease(&d.app, Qt::LeftButton, {}, QPoint(-40, 500));
        QVERIFY(!field->isHidden());
        QCOMPARE(field->pos(), QPoint(20, 20));
        QVERIFY(!d.app.findChild<QWidget*>("flytt"));
        QCOMPARE(d.record(ObjectKind::TextField, 0).fields[tz::Xpos], std::string("20"));
        for (const auto button : {Qt::LeftButton, Qt::RightButton}) {  // Escape ends a drag
            QTest::mousePress(field, button, {}, QPoint(2, 2));
            QTest::mouseMove(&d.app, QPoint(150, 100));
            QTest::keyClick(&d.app, Qt::Key_Escape);
            QTest::mouseRelease(&d.app, button, {}, QPoint(150, 100));
            QVERIFY(!field->isHidden() && field->geometry() == QRect(20, 20, 73, 21));
        }
    }

    void aRightDragResizesOnRelease() {
        Designer d;
        d.create(1, {QPoint(20, 20)});
        QWidget* button = d.control(ObjectKind::Button, 0);
        QTest::mousePress(button, Qt::RightButton, {}, QPoint(5, 5));
        QVERIFY(button->isHidden());
        QTest::mouseMove(&d.app, QPoint(120, 70));
        QCOMPARE(d.record(ObjectKind::Button, 0).fields[tz::Width], std::string("65"));
        QCOMPARE(d.value(3), QString("65"));
        QTest::mouseRelease(&d.app, Qt::RightButton, {}, QPoint(120, 70));
        QCOMPARE(button->geometry(), QRect(20, 20, 100, 52));
        QVERIFY(!button->isHidden());
        QCOMPARE(d.record(ObjectKind::Button, 0).fields[tz::Width], std::string("100"));
        QCOMPARE(d.record(ObjectKind::Button, 0).fields[tz::Height], std::string("52"));
        QCOMPARE(d.value(4), QString("52"));

        // Dragged above and left of the corner: still an object to grab.
        QTest::mousePress(button, Qt::RightButton, {}, QPoint(5, 5));
        QTest::mouseMove(&d.app, QPoint(3, 4));
        QTest::mouseRelease(&d.app, Qt::RightButton, {}, QPoint(3, 4));
        QCOMPARE(button->size(), QSize(8, 8));
        QCOMPARE(d.value(3), QString("8"));
    }

    void pressesSelectAndLeaveCreateMode() {
        Designer d;
        d.create(1, {QPoint(20, 20), QPoint(120, 20)});
        d.pressPalette(2);
        QWidget* first = d.control(ObjectKind::Button, 0);
        QTest::mouseClick(first, Qt::MiddleButton, {}, QPoint(4, 4));
        QCOMPARE(first->geometry(), QRect(20, 20, 65, 33));
        QVERIFY(!first->isHidden());
        QCOMPARE(d.selectedTreeText(), QString("JButton0"));
        QCOMPARE(d.value(5), QString("JButton0"));
        QCOMPARE(d.model.currentObject(), std::optional(tz::ObjectRef{ObjectKind::Button, 0}));
        QVERIFY(!d.tool.button(2)->isChecked());
        d.clickBackground(QPoint(200, 200));
        QCOMPARE(d.model.table(ObjectKind::Label).count, 0);
        QCOMPARE(d.model.table(ObjectKind::Button).count, 2);
    }

    // Keys act on the selected object, each one step that undoes and redoes.
    void keysEditTheSelectedObject() {
        Designer d;
        d.create(1, {QPoint(20, 20)});
        d.create(2, {QPoint(100, 100)});
        d.clickTreeItem("JButton0");
        QWidget* button = d.control(ObjectKind::Button, 0);
        const std::tuple<Qt::Key, Qt::KeyboardModifiers, QRect> cases[] = {
            {Qt::Key_Right, {}, QRect(21, 20, 65, 33)},
            {Qt::Key_Down, Qt::ShiftModifier, QRect(21, 28, 65, 33)},
            {Qt::Key_Left, Qt::ControlModifier, QRect(21, 28, 64, 33)},
            {Qt::Key_Up, Qt::ControlModifier | Qt::ShiftModifier, QRect(21, 28, 64, 25)}};
        for (const auto& [key, modifiers, geometry] : cases) {
            QTest::keyClick(&d.app, key, modifiers);
            QCOMPARE(button->geometry(), geometry);
        }
        QCOMPARE(d.record(ObjectKind::Button, 0).fields[tz::Height], std::string("25"));
        triggerCommand("Undo1");
        QCOMPARE(button->geometry(), QRect(21, 28, 64, 33));
        triggerCommand("Redo1");
        QCOMPARE(button->geometry(), QRect(21, 28, 64, 25));
        QVERIFY(d.saved().contains("Button 0\r\n21\r\n28\r\n64\r\n25\r\nJButton0\r\n"));

        QTest::keyClick(&d.app, Qt::Key_Tab);
        QCOMPARE(d.selectedTreeText(), QString("JLabel0"));
        QTest::keyClick(&d.app, Qt::Key_Delete);
        QVERIFY(!d.control(ObjectKind::Label, 0));
        triggerCommand("Undo1");
        QVERIFY(d.control(ObjectKind::Label, 0));
        QTest::keyClick(&d.app, Qt::Key_Escape);
        QCOMPARE(d.model.currentObject(), std::nullopt);
        QCOMPARE(d.value(5), QString());
    }

    // Ctrl+C, V, D and X on the design window; a paste takes only our own format.
    void keysCopyPasteDuplicateAndCutObjects() {
        Designer d;
        d.create(1, {QPoint(20, 30)});
        QTest::mouseClick(d.control(ObjectKind::Button, 0), Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(!commandAction("Duplicate1")->isEnabled());  // the main window is active
        const auto press = [&](Qt::Key key) {
            d.app.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&d.app));
            QTest::keyClick(&d.app, key, Qt::ControlModifier);
        };
        press(Qt::Key_C);
        press(Qt::Key_V);
        const QString path = d.started.directory.filePath("Pasted.tzp");
        answerFileDialog([] { triggerCommand("SaveProjectAs1"); }, path);
        QVERIFY(readBytes(path).contains("\r\n28\r\n38\r\n65\r\n33\r\nJButton1\r\n\r\n[Uses]"));
        triggerCommand("Undo1");
        QVERIFY(!d.control(ObjectKind::Button, 1));
        triggerCommand("Redo1");
        QCOMPARE(d.control(ObjectKind::Button, 1)->geometry(), QRect(28, 38, 65, 33));
        press(Qt::Key_D);  // the pasted object, selected, once more
        QCOMPARE(d.control(ObjectKind::Button, 2)->pos(), QPoint(36, 46));
        press(Qt::Key_X);
        QCOMPARE(commandAction("Undo1")->text(), QString("&Undo Cut JButton2"));
        const QByteArray cut =
            QGuiApplication::clipboard()->mimeData()->data("application/x-tarvelo-zuva-objects");
        press(Qt::Key_V);  // back in its place
        QCOMPARE(d.record(ObjectKind::Button, 2).fields[tz::Name], std::string("JButton2"));
        QGuiApplication::clipboard()->setText(QString::fromLatin1(cut));
        press(Qt::Key_V);
        for (int slot = 3; slot < tz::ObjectTable::SlotCount; ++slot) press(Qt::Key_D);
        QCOMPARE(d.control(ObjectKind::Button, 30)->pos(), QPoint(260, 270));
        const QStringList shown = answerMessageBoxes([&] { press(Qt::Key_D); }, QMessageBox::Ok);
        QCOMPARE(shown, QStringList(QString::fromStdString(tz::capacityError())));
    }

    // A rubber band and Ctrl+click select several objects; a drag moves
    // them all on the grid (by the pixel with Alt), a handle resizes one,
    // Delete removes them all: each one step that undoes and redoes.
    void severalObjectsActTogether() {
        Designer d;
        d.create(1, {QPoint(16, 16)});
        d.create(2, {QPoint(96, 16)});
        d.create(3, {QPoint(16, 96)});
        d.pressPalette(3);
        QTest::mousePress(&d.app, Qt::LeftButton, {}, QPoint(8, 8));
        QTest::mouseMove(&d.app, QPoint(100, 20));
        QTest::mouseRelease(&d.app, Qt::LeftButton, {}, QPoint(100, 20));
        QCOMPARE(d.model.selection().size(), 2u);
        QWidget* field = d.control(ObjectKind::TextField, 0);
        QTest::mouseClick(field, Qt::LeftButton, Qt::ControlModifier, QPoint(5, 5));
        QCOMPARE(d.model.selection().size(), 3u);

        QWidget* button = d.control(ObjectKind::Button, 0);
        QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseMove(&d.app, QPoint(45, 30));
        QCOMPARE(d.app.findChild<QLabel*>("coordinates")->text(),
                 QString("X 40  Y 24  W 65  H 33"));
        QTest::mouseRelease(&d.app, Qt::LeftButton, {}, QPoint(45, 30));
        QCOMPARE(d.control(ObjectKind::Label, 0)->pos(), QPoint(120, 24));
        triggerCommand("Undo1");
        QCOMPARE(field->pos(), QPoint(16, 96));
        triggerCommand("Redo1");
        QCOMPARE(field->pos(), QPoint(40, 104));
        QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseEvent(QTest::MouseMove, &d.app, Qt::NoButton, Qt::AltModifier, QPoint(46, 31));
        QTest::mouseRelease(&d.app, Qt::LeftButton, {}, QPoint(46, 31));
        QCOMPARE(button->pos(), QPoint(41, 26));

        QTest::mousePress(&d.app, Qt::LeftButton, {}, QPoint(114, 127));  // a corner handle
        QTest::mouseMove(&d.app, QPoint(130, 140));
        QTest::mouseRelease(&d.app, Qt::LeftButton, {}, QPoint(130, 140));
        QCOMPARE(field->geometry(), QRect(41, 106, 87, 38));
        QVERIFY(d.saved().contains("Textfield 0\r\n41\r\n106\r\n87\r\n38\r\nJTextfield0\r\n"));

        QTest::keyClick(&d.app, Qt::Key_Delete);
        QVERIFY(!d.control(ObjectKind::Button, 0) && !d.control(ObjectKind::Label, 0));
        triggerCommand("Undo1");
        QCOMPARE(d.model.selection().size(), 3u);
        triggerCommand("Redo1");
        QVERIFY(!d.control(ObjectKind::TextField, 0));

        // Dropped a pixel off the button's left edge: a guide lines it up.
        triggerCommand("Undo1");
        d.clickBackground(QPoint(300, 250));
        field = d.control(ObjectKind::TextField, 0);
        QTest::mousePress(field, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseMove(&d.app, QPoint(45, 160));
        QTest::mouseRelease(&d.app, Qt::LeftButton, {}, QPoint(45, 160));
        QCOMPARE(field->pos(), QPoint(41, 152));
    }

    void objectsTakeNoInput() {
        Designer d;
        d.create(1, {QPoint(20, 20)});
        d.create(3, {QPoint(20, 80)});
        auto* field = qobject_cast<QLineEdit*>(d.control(ObjectKind::TextField, 0));
        auto* button = qobject_cast<QPushButton*>(d.control(ObjectKind::Button, 0));
        QSignalSpy clicks(button, &QPushButton::clicked);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::keyClicks(field, "typed");
        QCOMPARE(clicks.count(), 0);
        QCOMPARE(field->text(), QString("Textfield 0"));
        QCOMPARE(field->focusPolicy(), Qt::NoFocus);
    }
};

QTEST_MAIN(DesignerTest)
#include "tst_designer.moc"
