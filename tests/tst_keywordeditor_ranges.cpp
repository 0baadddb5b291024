// The colouring rules of one line, without a widget.
#include <QtTest>

#include "controls/KeyRanges.h"
#include "project/ui/BodyEditor.h"

using tz::KeyPiece;
using tz::KeyRange;
using tz::KeyRangeTable;

namespace {

using Ranges = std::vector<std::pair<int, int>>;

Ranges rangesOf(const KeyRangeTable& table) {
    Ranges ranges;
    for (const KeyRange& entry : table) {
        if (entry.FirstChar == 0) break;
        ranges.emplace_back(entry.FirstChar, entry.LastChar);
    }
    return ranges;
}

Ranges scan(const QString& line, const QStringList& keywords, bool keyCase,
            tz::ColouringMode type = tz::ColourKeywords) {
    KeyRangeTable table{};
    tz::fillKeyRanges(line, {type, u'<', u'>'}, tz::KeywordPattern(keywords, keyCase), table);
    return rangesOf(table);
}

Ranges javaScan(const QString& line) {
    return scan(line, tz::javaKeywords(), true);
}

Ranges beginEndScan(const QString& line) {
    return scan(line, {}, false, tz::ColourBetweenMarks);
}

}  // namespace

class KeywordEditorRangesTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void keyCaseDecidesWhetherCaseMatters() {
        QCOMPARE(scan("int Int", {"int"}, true), (Ranges{{1, 3}}));
        QCOMPARE(scan("int Int", {"int"}, false), (Ranges{{1, 3}, {5, 7}}));
        QCOMPARE(scan("INT", {"Int"}, false), (Ranges{{1, 3}}));
    }

    void javaLineGetsItsKeywordsOnly() {
        QCOMPARE(javaScan("  for (int i=0;"), (Ranges{{3, 5}, {8, 10}}));
        QCOMPARE(javaScan("while(true) return null;"),
                 (Ranges{{1, 5}, {7, 10}, {13, 18}, {20, 23}}));
    }

    void keywordsThatCannotFormWordsNeverColour() {
        for (const char* line : {"repaint();", "size()", "i++; j--;", "g.fill3DRect(1,2,3,4);",
                                 "KEY_PRESS", "CROSSHAIR_CURSOR", "getParent()"})
            QCOMPARE(javaScan(line), Ranges{});
    }

    void wordsEndAtDigitsUnderscoreAndBeyondAscii() {
        QCOMPARE(javaScan("int1"), (Ranges{{1, 3}}));
        QCOMPARE(javaScan("my_int"), (Ranges{{4, 6}}));
        QCOMPARE(javaScan("@int"), Ranges{});
        QCOMPARE(javaScan("format"), Ranges{});
        QCOMPARE(javaScan(QString::fromUtf8("éint")), (Ranges{{2, 4}}));
        QCOMPARE(javaScan("\tint"), (Ranges{{2, 4}}));
    }

    void upperCasingTouchesOnlyAsciiLetters() {
        // Full upper-casing would turn 'ß' into "SS" and colour "ss".
        QCOMPARE(scan("ss", {QString::fromUtf8("ß")}, false), Ranges{});
    }

    void starsInKeywordsSplitThemAsInThePattern() {
        QCOMPARE(scan("a b ab", {"a*b"}, true), (Ranges{{1, 1}, {3, 3}}));
        QCOMPARE(scan("a", {""}, true), Ranges{});
    }

    void atMostFiftyOneRangesALine() {
        const Ranges ranges = javaScan(QString("int ").repeated(60));
        QCOMPARE(int(ranges.size()), tz::KeyRangeCount);
        QCOMPARE(ranges.back(), (std::pair{201, 203}));
        QCOMPARE(int(beginEndScan(QString("<a>").repeated(60)).size()), tz::KeyRangeCount);
    }

    void beginEndRuns() {
        QCOMPARE(beginEndScan("a <b> c"), (Ranges{{3, 5}}));
        QCOMPARE(beginEndScan("x > y <z>"), Ranges{});
        QCOMPARE(beginEndScan("<<a>"), (Ranges{{1, 4}}));
        QCOMPARE(beginEndScan("<a> and <b>"), (Ranges{{1, 3}, {9, 11}}));
        QCOMPARE(beginEndScan("no delimiters"), Ranges{});
        // An open run keeps LastChar 0 and colours nothing.
        KeyRangeTable table{};
        tz::fillKeyRanges("<a> <b", {}, tz::KeywordPattern({}, false), table);
        QCOMPARE(rangesOf(table), (Ranges{{1, 3}, {5, 0}}));
        QCOMPARE(tz::colouredPieces(table, 6), (std::vector<KeyPiece>{{0, 3, 0}}));
    }

    void emptyKeywordListFallsBackToRunsWithoutTheOrderTest() {
        QCOMPARE(scan("x > y <z>", {}, true), (Ranges{{7, 9}}));
    }

    void piecesFollowTheTable() {
        KeyRangeTable table{};
        table[0] = {2, 3, 0x00ff00};
        table[1] = {6, 9, 0};
        QCOMPARE(tz::colouredPieces(table, 10),
                 (std::vector<KeyPiece>{{1, 2, 0x00ff00}, {5, 4, 0}}));
        // A range running past the line is cut at its end.
        QCOMPARE(tz::colouredPieces(table, 7),
                 (std::vector<KeyPiece>{{1, 2, 0x00ff00}, {5, 2, 0}}));
    }

    void handlerTablesThatColourNothingOrLittle() {
        KeyRangeTable table{};
        table[1] = {3, 4, 0};  // entry 0 left empty: nothing, whatever follows
        QVERIFY(tz::colouredPieces(table, 10).empty());

        table[0] = {5, 6, 0};  // a range behind the walk ends it
        table[1] = {2, 3, 0};
        QCOMPARE(tz::colouredPieces(table, 10), (std::vector<KeyPiece>{{4, 2, 0}}));

        table[0] = {-4, -1, 0};  // wholly left of the line: passed
        table[1] = {3, 4, 0};
        QCOMPARE(tz::colouredPieces(table, 10), (std::vector<KeyPiece>{{2, 2, 0}}));

        table = {};
        table[0] = {20, 30, 0};  // beyond the line
        QVERIFY(tz::colouredPieces(table, 10).empty());

        table.fill({1, 1, 0});  // a full table never walks past its end
        QCOMPARE(tz::colouredPieces(table, 5).size(), size_t(1));
    }
};

QTEST_APPLESS_MAIN(KeywordEditorRangesTest)
#include "tst_keywordeditor_ranges.moc"
