// The windows' start-up layout on the screens the program supports.
#include <QtTest>

#include "project/WindowLayout.h"

class WindowLayoutTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void everyWindowInViewAndUncovered_data() {
        QTest::addColumn<QRect>("freeArea");
        QTest::addColumn<QMargins>("frame");
        QTest::newRow("1024x600, no decoration") << QRect(0, 0, 1024, 600) << QMargins();
        QTest::newRow("1024x600, panel at top") << QRect(0, 27, 1024, 573) << QMargins(1, 30, 1, 1);
        QTest::newRow("1366x768") << QRect(0, 0, 1366, 740) << QMargins(4, 37, 4, 4);
        QTest::newRow("1920x1080, second screen")
            << QRect(1366, 0, 1920, 1040) << QMargins(1, 30, 1, 1);
    }
    void everyWindowInViewAndUncovered() {
        QFETCH(QRect, freeArea);
        QFETCH(QMargins, frame);
        const tz::WindowLayout layout = tz::defaultWindowLayout(
            freeArea, frame, {QSize(410, 290), QSize(376, 37), QSize(151, 350)});
        const QRect frames[] = {layout.main, layout.design, layout.palette, layout.inspector};
        for (int i = 0; i < 4; ++i) {
            QVERIFY2(freeArea.contains(frames[i]), qPrintable(QString::number(i)));
            for (int j = i + 1; j < 4; ++j)
                QVERIFY2(!frames[i].intersects(frames[j]),
                         qPrintable(QString("%1 %2").arg(i).arg(j)));
        }
        QCOMPARE(layout.design.size(), QSize(410, 290).grownBy(frame));
        QVERIFY(layout.main.width() >= tz::MinimumMainWidth);
    }
};

QTEST_MAIN(WindowLayoutTest)
#include "tst_windowlayout.moc"
