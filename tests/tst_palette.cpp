// The object palette: one button down at most, arming the create mode.
#include <QToolTip>

#include "app/MainWindow.h"
#include "tst_designer_fixture.h"

using tz::ObjectKind;

class PaletteTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void kindButtonsCarryHintsAndGlyphs() {
        Designer d;
        const QStringList hints = {"Button", "Label", "TextField", "Image"};
        for (int number = 1; number <= PaletteWindow::ButtonCount; ++number) {
            QToolButton* button = d.tool.button(number);
            QCOMPARE(button->geometry(), QRect(8 + 40 * (number - 1), 7, 41, 25));
            QCOMPARE(button->toolTip(), number <= 4 ? hints[number - 1] : QString());
            QCOMPARE(button->icon().isNull(), number > 4);
            // Drawn for the screen's pixels, not scaled up from small pictures.
            for (qreal ratio : {1.5, 2.0})
                if (number <= 4)
                    QCOMPARE(button->icon().pixmap(button->iconSize(), ratio).size(),
                             button->iconSize() * ratio);
        }
    }

    void hintsShowWhileTheDesignWindowIsActive() {
        Designer d;
        d.app.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&d.app));
        QTest::mouseMove(d.tool.button(1), QPoint(6, 6));
        QTRY_COMPARE(QToolTip::text(), QString("Button"));
        QVERIFY(QToolTip::isVisible());
        QTest::mouseMove(d.deleteButton(), QPoint(6, 6));
        QTRY_COMPARE(QToolTip::text(), QString("Delete Object"));
        QVERIFY(d.app.isActiveWindow());
    }

    void toolWindowsAskForNoCaptionButtonsAndCloseOnlyHides() {
        Designer d;
        const Qt::WindowFlags buttons =
            Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint;
        for (QWidget* window : {static_cast<QWidget*>(&d.tool), static_cast<QWidget*>(&d.obj)}) {
            QCOMPARE(window->windowType(), Qt::Tool);
            QCOMPARE(window->windowFlags() & buttons, Qt::WindowFlags());
            QVERIFY(window->testAttribute(Qt::WA_X11NetWmWindowTypeToolBar));
            QCOMPARE(window->windowHandle()->transientParent(),
                     d.started.program->mainWindow().windowHandle());
            QVERIFY(window->close());
            QVERIFY(window->isHidden());
        }
        triggerCommand("Too1");
        triggerCommand("Objector1");
        QVERIFY(d.tool.isVisible());
        QVERIFY(d.obj.isVisible());
    }

    void onlyOneButtonIsDownAndAllMayBeUp() {
        Designer d;
        d.pressPalette(1);
        d.clickBackground(QPoint(10, 10));
        d.clickBackground(QPoint(10, 60));
        d.clickBackground(QPoint(10, 110));
        QVERIFY(d.tool.button(1)->isChecked());
        QCOMPARE(d.treeTexts().mid(1, 3), QStringList({"JButton0", "JButton1", "JButton2"}));
        QCOMPARE(d.value(1), QString("10"));
        QCOMPARE(d.value(2), QString("110"));

        d.pressPalette(2);
        QVERIFY(!d.tool.button(1)->isChecked());
        d.clickBackground(QPoint(200, 60));
        QCOMPARE(d.model.table(ObjectKind::Label).count, 1);
        // A blank button releases the kind button and arms nothing.
        d.pressPalette(5);
        QVERIFY(d.tool.button(5)->isChecked());
        QVERIFY(!d.tool.button(2)->isChecked());
        d.clickBackground(QPoint(200, 10));
        QCOMPARE(d.model.table(ObjectKind::Label).count, 1);
        d.pressPalette(5);
        for (int number = 1; number <= PaletteWindow::ButtonCount; ++number)
            QVERIFY(!d.tool.button(number)->isChecked());
    }

    void pressingTheDownButtonAgainEndsCreating() {
        Designer d;
        d.pressPalette(3);
        d.pressPalette(3);
        QVERIFY(!d.tool.button(3)->isChecked());
        d.clickBackground(QPoint(30, 30));
        QCOMPARE(d.model.table(ObjectKind::TextField).count, 0);
    }
};

QTEST_MAIN(PaletteTest)
#include "tst_palette.moc"
