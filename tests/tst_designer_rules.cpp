// Cell integers, component names, alignment texts and background colours.
#include <QtTest>

#include "designer/DesignRules.h"
#include "platform/Conversions.h"

class DesignerRulesTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void integersAreDecimalOrDollarHex() {
        QCOMPARE(tz::strToInt(" 12"), std::optional<int>(12));
        QCOMPARE(tz::strToInt("$1F"), std::optional<int>(31));
        QCOMPARE(tz::strToInt("-$a"), std::optional<int>(-10));
        QCOMPARE(tz::strToInt("+007"), std::optional<int>(7));
        QCOMPARE(tz::strToInt("-2147483648"), std::optional<int>(-2147483647 - 1));
        QCOMPARE(tz::strToInt("2147483647"), std::optional<int>(2147483647));
        for (const char* bad : {"", " ", "12px", "12 ", "$", "-", "1.5", "0x10", "2147483648",
                                "99999999999999999999", "\t3"})
            QVERIFY2(!tz::strToInt(bad), bad);
        QCOMPARE(tz::integerError("12px"), std::string("'12px' is not a valid integer value"));
    }

    void namesAreIdentifiersUniqueWithoutCase() {
        QVERIFY(tz::isValidIdentifier("_a1"));
        QVERIFY(!tz::isValidIdentifier("1a"));
        QVERIFY(!tz::isValidIdentifier("a-b"));
        QVERIFY(!tz::isValidIdentifier("\xc3\xa4"));
        const std::vector<std::string> taken = {"JButton0", "flytt"};
        QCOMPARE(tz::componentNameError("FLYTT", taken),
                 std::optional<std::string>("A component named FLYTT already exists"));
        QCOMPARE(tz::componentNameError("a b", taken),
                 std::optional<std::string>("''a b'' is not a valid component name"));
        QVERIFY(!tz::componentNameError("", taken));
        QVERIFY(!tz::componentNameError("JButton1", taken));
    }

    void alignmentTextsCycleExactly() {
        QCOMPARE(tz::nextAlignmentText("[LEFT]"), std::string("[CENTER]"));
        QCOMPARE(tz::nextAlignmentText("[CENTER]"), std::string("[RIGHT]"));
        QCOMPARE(tz::nextAlignmentText("[RIGHT]"), std::string("[LEFT]"));
        QCOMPARE(tz::nextAlignmentText("CENTER"), std::string("CENTER"));
        QVERIFY(!tz::alignmentOf("[center]"));
    }

    void backgroundIsLightGreyUnlessAutomatic() {
        QCOMPARE(tz::appletBackground(false, 10).name, "lightGray");
        QCOMPARE(tz::appletBackground(true, 8).red, 236);
        QCOMPARE(tz::appletBackground(true, 99).name, "lightGray");
    }
};

QTEST_MAIN(DesignerRulesTest)
#include "tst_designer_rules.moc"
