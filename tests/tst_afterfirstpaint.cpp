// Work put off at start-up until the windows have been painted.
#include <QWidget>
#include <QtTest>

#include "platform/ui/AfterFirstPaint.h"

namespace {

struct PaintCounter : QWidget {
    int paints = 0;
    void paintEvent(QPaintEvent*) override { ++paints; }
};

}  // namespace

class AfterFirstPaintTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void runsOnceAfterEveryWindowHasPainted() {
        PaintCounter first, second;
        first.show();
        second.show();
        int runs = 0;
        bool allPainted = false;
        tz::runAfterFirstPaint({&first, &second}, [&] {
            ++runs;
            allPainted = first.paints > 0 && second.paints > 0;
        });
        QCOMPARE(runs, 0);
        QVERIFY(QTest::qWaitFor([&] { return runs > 0; }));
        QVERIFY(allPainted);
        second.hide();
        second.show();
        QVERIFY(QTest::qWaitForWindowExposed(&second));
        QCoreApplication::processEvents();
        QCOMPARE(runs, 1);
    }
};

QTEST_MAIN(AfterFirstPaintTest)
#include "tst_afterfirstpaint.moc"
