#include <QtTest>
#include <tuple>

#include "toolchain/BuildFiles.h"
#include "toolchain/CompilerMessages.h"

using namespace tz;

class BuildFilesTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void compilerBatch() {
        QCOMPARE(
            javacBatch(false),
            std::string("@echo off\r\njavac %1 > res.txt\r\ncopy res.txt+byt.txt tst.txt\r\n"));
        QCOMPARE(
            javacBatch(true),
            std::string("@echo off\r\njavac -O %1 > res.txt\r\ncopy res.txt+byt.txt tst.txt\r\n"));
        QCOMPARE(compilerOutputPadding(), std::string(" \r\n"));
    }

    void failureNeedsFiveCharacters() {
        QVERIFY(!compileFailed(" \r\n"));
        QVERIFY(!compileFailed(" \r\nx"));
        QVERIFY(compileFailed(" \r\nxy"));
    }

    void appletPageWithoutParameters() {
        QCOMPARE(appletPage("/work/NewClass.java", 600, 400, {RunParameter{}}),
                 std::string("<META CHARSET=\"UTF-8\">\r\n<TITLE>Tarvelo Zuva</TITLE>\r\n"
                             "<APPLET CODE=\"NewClass.class\" WIDTH=600 HEIGHT=374>\r\n"
                             "</APPLET>\r\n"));
    }

    void appletPageParametersFollowTheFirstRow() {
        const std::string withTwo =
            appletPage("Demo.java", 410, 316, {{"speed", "10"}, {"text", "Hi"}, {"", ""}});
        QCOMPARE(withTwo, std::string("<META CHARSET=\"UTF-8\">\r\n<TITLE>Tarvelo Zuva</TITLE>\r\n"
                                      "<APPLET CODE=\"Demo.class\" WIDTH=410 HEIGHT=290>\r\n"
                                      "<PARAM NAME=\"speed\" VALUE=\"10\">\r\n"
                                      "<PARAM NAME=\"text\" VALUE=\"Hi\">\r\n"
                                      "<PARAM NAME=\"\" VALUE=\"\">\r\n"
                                      "</APPLET>\r\n"));
        const std::string firstEmpty =
            appletPage("Demo.java", 410, 316, {{"", "1"}, {"text", "Hi"}});
        QVERIFY(firstEmpty.find("PARAM") == std::string::npos);
        // Bytes that are not UTF-8 are Latin-1 text, and the page says so.
        QVERIFY(appletPage("A.java", 9, 35, {{"m", "\xfc"}})
                    .starts_with("<META CHARSET=\"ISO-8859-1\">"));
    }

    void appletPageWritesMarkupCharactersAsEntities() {
        QCOMPARE(appletPage("A.java", 100, 126, {{"a<b>", "\"Tom & Jerry\""}}),
                 std::string("<META CHARSET=\"UTF-8\">\r\n<TITLE>Tarvelo Zuva</TITLE>\r\n"
                             "<APPLET CODE=\"A.class\" WIDTH=100 HEIGHT=100>\r\n"
                             "<PARAM NAME=\"a&lt;b&gt;\" VALUE=\"&quot;Tom &amp; Jerry&quot;\">\r\n"
                             "</APPLET>\r\n"));
    }

    void externalCompilerBatchQuotesOnlyWhatTheShellWouldRun() {
        QCOMPARE(externalCompilerBatch("/usr/bin/javac", "-g", "/work/NewClass.java"),
                 std::string("@echo off\r\n/usr/bin/javac -g /work/NewClass.java\r\n"));
        QCOMPARE(externalCompilerBatch("/usr/bin/javac", "", "/w/A.java"),
                 std::string("@echo off\r\n/usr/bin/javac  /w/A.java\r\n"));
        QCOMPARE(externalCompilerBatch("/opt/my tools/jc", "", "/w/a;$(x)'b/A.java"),
                 std::string("@echo off\r\n'/opt/my tools/jc'  '/w/a;$(x)'\\''b/A.java'\r\n"));
    }

    void firstMarkerGivesThePlace() {
        const std::string output =
            "A.java:7: error: illegal start of expression\nx = ;//\\1,1,3,\n    ^\n"
            "A.java:9: error: other\ny//\\2,0,-1,\n";
        // No line map: the marker is read.
        const auto place = findErrorPlace(output, {}, "A.java");
        QVERIFY(place);
        QCOMPARE(place->shownOutput,
                 std::string("A.java:7: error: illegal start of expression\nx = ;"));
        QCOMPARE(place->classIndex, 1);
        QCOMPARE(place->slot, 1);
        QCOMPARE(place->bodyLine, 3);

        const auto declaration = findErrorPlace("e\r\nclass X//\\2,0,-1,\r\n", {}, "A.java");
        QCOMPARE(declaration->bodyLine, -1);
        QCOMPARE(declaration->classIndex, 2);
        QVERIFY(!findErrorPlace("javac: file not found", {}, "A.java"));
    }

    void onlyTheGeneratorsTrailingMarkerCounts() {
        const auto place = findErrorPlace(
            "A.java:2: error: x\nString s = \"//\\\\\"; int y = ;//\\1,1,0,\n   ^\n", {}, "A.java");
        QVERIFY(place);
        QCOMPARE(place->shownOutput,
                 std::string("A.java:2: error: x\nString s = \"//\\\\\"; int y = ;"));
        QCOMPARE(place->bodyLine, 0);
        for (const char* notAMarker :
             {"s = \"//\\ 1,2,3,\"", "x//\\1,2", "x//\\99999999999,1,1,", "x//\\1,2,3, y();"})
            QVERIFY(!findErrorPlace(notAMarker, {}, "A.java"));
    }

    void messageLineLeadsThroughTheLineMap() {
        // Lines: 1 imports line 0, 2 field of class 1, 3 body line 4 of slot 2.
        SourceLineRecorder recorder;
        for (const auto& [text, place, fromProject] :
             {std::tuple("i;//\\0,0,0,\r\n", SourcePlace{0, 0, 0}, true),
              {"Button b;\r\n", {1, 0, -1}, false},
              {"y = ;", {1, 2, 4}, true},
              {"}", {1, 0, -1}, false}}) {
            recorder.from(place, fromProject);
            recorder.add(text);
        }
        const SourceLineMap lines = recorder.takeMap();
        const std::string output =
            "/w/B.java:1: error: elsewhere\n"
            "/w/my dir/A.java:3: error: illegal start\ny = ;}\n    ^\n"
            "/w/my dir/A.java:1: error: x\ni;//\\0,0,0,\n";
        const auto place = findErrorPlace(output, lines, "A.java");
        QCOMPARE(place->classIndex, 1);
        QCOMPARE(place->slot, 2);
        QCOMPARE(place->bodyLine, 4);
        QCOMPARE(place->shownOutput, output.substr(0, output.size() - 10));
        QCOMPARE(findErrorPlace("A.java:2: error: x\n", lines, "A.java")->bodyLine, -1);
        // A line the map does not hold falls back to the marker.
        QCOMPARE(findErrorPlace("A.java:4: error: x\nz;//\\1,1,7,\n", lines, "A.java")->bodyLine,
                 7);
    }

    void lineRanges() {
        const std::string text = "zero\none\ntwo\nthree";
        QCOMPARE(lineRange(text, 0)->end, std::size_t(5));
        QCOMPARE(lineRange(text, 3)->start, std::size_t(13));
        QCOMPARE(lineRange(text, 3)->end, text.size());
        QVERIFY(!lineRange(text, 4));
        QVERIFY(!lineRange(text, 400));
        QVERIFY(!lineRange("a\n", 1));
        QCOMPARE(lineRange("", 0)->end, std::size_t(0));
    }
};

QTEST_MAIN(BuildFilesTest)
#include "tst_buildfiles.moc"
