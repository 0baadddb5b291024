// Aligning, sizing and spacing rectangles; the grid and the guides.
#include <QtTest>

#include "designer/Arrangement.h"
#include "designer/SelectionHandles.h"

using tz::Arrangement;
using tz::Box;
using Boxes = std::vector<Box>;
using tz::GuideSnap;

Q_DECLARE_METATYPE(Arrangement)
Q_DECLARE_METATYPE(Box)
Q_DECLARE_METATYPE(Boxes)
Q_DECLARE_METATYPE(GuideSnap)

class ArrangementTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void arrangesOnTheFirstBox_data() {
        QTest::addColumn<Arrangement>("arrangement");
        QTest::addColumn<Boxes>("boxes");
        QTest::addColumn<Boxes>("expected");
        const Boxes three = {{10, 20, 40, 10}, {50, -5, 21, 30}, {-8, 60, 10, 4}};
        const auto row = [&](const char* name, Arrangement arrangement, Boxes expected) {
            QTest::newRow(name) << arrangement << three << expected;
        };
        const Box a = three[0];
        row("left", Arrangement::AlignLeft, {a, {10, -5, 21, 30}, {10, 60, 10, 4}});
        row("right", Arrangement::AlignRight, {a, {29, -5, 21, 30}, {40, 60, 10, 4}});
        row("top", Arrangement::AlignTop, {a, {50, 20, 21, 30}, {-8, 20, 10, 4}});
        row("bottom", Arrangement::AlignBottom, {a, {50, 0, 21, 30}, {-8, 26, 10, 4}});
        row("x centres", Arrangement::AlignHorizontalCentres,
            {a, {20, -5, 21, 30}, {25, 60, 10, 4}});
        row("y centres", Arrangement::AlignVerticalCentres, {a, {50, 10, 21, 30}, {-8, 23, 10, 4}});
        row("width", Arrangement::SameWidth, {a, {50, -5, 40, 30}, {-8, 60, 40, 4}});
        row("height", Arrangement::SameHeight, {a, {50, -5, 21, 10}, {-8, 60, 10, 10}});
        row("distribute x", Arrangement::DistributeHorizontally,
            {{6, 20, 40, 10}, three[1], three[2]});
        // Gaps of 12 and 13, the wider one further down.
        row("distribute y", Arrangement::DistributeVertically,
            {{10, 37, 40, 10}, three[1], three[2]});
        const Boxes one = {{-5, -5, 9, 9}};
        const Boxes same = {{0, 0, 10, 10}, {0, 0, 10, 10}, {0, 0, 10, 10}};
        const Boxes overlapping = {{0, 0, 10, 1}, {2, 0, 10, 1}, {3, 0, 10, 1}};
        QTest::newRow("one box") << Arrangement::AlignRight << one << one;
        const Boxes two(three.begin(), three.begin() + 2);
        QTest::newRow("two to distribute") << Arrangement::DistributeVertically << two << two;
        QTest::newRow("equal positions") << Arrangement::DistributeHorizontally << same << same;
        QTest::newRow("negative gaps round down")
            << Arrangement::DistributeHorizontally << overlapping
            << Boxes{{0, 0, 10, 1}, {1, 0, 10, 1}, {3, 0, 10, 1}};
    }
    void arrangesOnTheFirstBox() {
        QFETCH(Arrangement, arrangement);
        QFETCH(Boxes, boxes);
        QFETCH(Boxes, expected);
        QVERIFY(tz::arranged(boxes, arrangement) == expected);
    }

    // The design window's grid (SelectionHandles), until it has a test file of its own.
    void snapsToTheNearestMultiple() {
        const std::tuple<int, int, int> cases[] = {{13, 8, 16}, {12, 8, 16}, {11, 8, 8}, {-3, 8, 0},
                                                   {-4, 8, -8}, {-5, 8, -8}, {7, 1, 7},  {7, 0, 7}};
        for (const auto& [value, step, snapped] : cases)
            QCOMPARE(tz::snapToGrid(value, step), snapped);
    }

    void guidesLineUpTheNearestEdgeOrCentre_data() {
        QTest::addColumn<Box>("moving");
        QTest::addColumn<Boxes>("others");
        QTest::addColumn<GuideSnap>("expected");
        QTest::newRow("nearest of several") << Box{13, 100, 20, 10} << Boxes{{10, 0, 30, 20}}
                                            << GuideSnap{2, 0, {{25, 0, 110}}, {}};
        QTest::newRow("beyond tolerance")
            << Box{0, 0, 10, 10} << Boxes{{20, 20, 10, 10}} << GuideSnap{};
        QTest::newRow("both axes, negative")
            << Box{-30, -30, 10, 10} << Boxes{{-40, -28, 20, 5}}
            << GuideSnap{0, -1, {{-30, -30, -20}, {-20, -30, -20}}, {{-26, -40, -20}}};
        QTest::newRow("equally near: the first")
            << Box{0, 50, 10, 10} << Boxes{{-12, 0, 10, 4}, {12, 0, 10, 4}}
            << GuideSnap{-2, 0, {{-2, 0, 60}}, {}};
    }
    void guidesLineUpTheNearestEdgeOrCentre() {
        QFETCH(Box, moving);
        QFETCH(Boxes, others);
        QFETCH(GuideSnap, expected);
        QVERIFY(tz::findGuides(moving, others) == expected);
    }
};

QTEST_MAIN(ArrangementTest)
#include "tst_arrangement.moc"
