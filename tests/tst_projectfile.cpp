#include <QTemporaryDir>
#include <QtTest>
#include <random>

#include "platform/Conversions.h"
#include "platform/TextBytes.h"
#include "project/ProjectFile.h"
#include "project/ProjectFileLines.h"

using namespace tz;

namespace {

const std::vector<std::string> FixedNames = {
    "button1",   "flytt", "Label1",  "TextField1", "Image1",        "open",      "Timer1",
    "TextArea1", "List1", "Choice1", "Checkbox1",  "CheckboxGroup", "Checkbox2", "Checkbox3"};

std::string fileOf(std::initializer_list<std::string_view> lines) {
    std::string bytes;
    for (const std::string_view line : lines) (bytes += line) += "\r\n";
    return bytes;
}

const std::string StartupFile = fileOf({"[Java]",
                                        "classname=NewClass",
                                        "classes=1",
                                        "width=410",
                                        "height=316",
                                        "[Gcount]",
                                        "1=2",
                                        "[Options]",
                                        "optimize=false",
                                        "AddApplet=true",
                                        "cWithout=false",
                                        "autoBCOL=false",
                                        "paintOnce=false",
                                        "BCOL=6",
                                        "[Param]",
                                        "Params=2",
                                        "",
                                        "",
                                        "[Objects]",
                                        "Buttons=0",
                                        "Labels=0",
                                        "Textfields=0",
                                        "Images=0",
                                        "[Applet]",
                                        "[Uses]",
                                        "import java.applet.*;",
                                        "import java.awt.*;",
                                        "[]",
                                        "NewClass",
                                        "public class NewClass extends Applet",
                                        "// NewClass code",
                                        "[]",
                                        "init",
                                        "public void init()",
                                        "// init code",
                                        "[]",
                                        "paint",
                                        "public void paint(Graphics g)",
                                        "// paint code",
                                        "[]"});

ProjectFileReading readBack(const std::string& bytes) {
    return readProjectFile(bytes, Project{}, FixedNames);
}

ProjectFileContent accepted(const std::string& bytes) {
    ProjectFileReading reading = readBack(bytes);
    if (!reading.content) qFatal("refused: %s", reading.error.c_str());
    return std::move(*reading.content);
}

ObjectRecord record(const std::string& caption, const std::string& name,
                    const std::string& xpos = "1", const std::string& align = "") {
    return ObjectRecord{{caption, xpos, "2", "30", "40", name, align}};
}

// The startup file with one changed line.
std::string startupWith(std::string_view line, std::string_view replacement) {
    std::string bytes = StartupFile;
    const std::string target = std::string(line) + "\r\n";
    bytes.replace(bytes.find(target), target.size(), std::string(replacement));
    return bytes;
}

// What reading gives for a stored text: an empty first line, no leading or
// trailing white space after it.
std::string gathered(const std::string& text) {
    std::string result = "\r\n" + withoutLeadingWhite(text);
    while (!result.empty() && static_cast<unsigned char>(result.back()) <= 32) result.pop_back();
    return result;
}

}  // namespace

class TestProjectFile : public QObject {
    Q_OBJECT

  private slots:
    void startupProjectIsWrittenExactly();
    void startupFileReadsBack();
    void bodiesLoseOuterWhiteSpace();
    void headValuesAreReadAsInAnIniFile();
    void headSectionsAfterTheObjectsAreFound();
    void corruptFilesAreRefused_data();
    void corruptFilesAreRefused();
    void refusedRecords_data();
    void refusedRecords();
    void recordsKeepTheirTextAndSkipDeletedObjects();
    void classCountZeroKeepsStaleClassName();
    void classMayBeNamedError();
    void markerLikeLinesAreEscaped();
    void escapeRules_data();
    void escapeRules();
    void oneLineFieldsStayOnOneLine();
    void randomProjectsSurviveSaveAndOpen();
    void integerAndIdentifierTexts();
    void filesAreWrittenAndReadAsBytes();
};

void TestProjectFile::startupProjectIsWrittenExactly() {
    QCOMPARE(writeProjectFile(ProjectFileContent{}), StartupFile);
}

void TestProjectFile::startupFileReadsBack() {
    const ProjectFileReading reading = readBack(StartupFile);
    QVERIFY(reading.content);
    QCOMPARE(reading.javaClassName, std::string("NewClass"));
    const Project& project = reading.content->project;
    QCOMPARE(project.imports, std::string("\r\nimport java.applet.*;\r\nimport java.awt.*;"));
    QCOMPARE(project.classCount(), 1);
    QCOMPARE(project.lastSlot(1), 2);
    QCOMPARE(project.slot(1, 2).declaration, std::string("public void paint(Graphics g)"));
    QCOMPARE(project.slot(1, 2).body, std::string("\r\n// paint code"));
    QVERIFY(reading.content->options == ProjectOptions{});
    QCOMPARE(writeProjectFile(*reading.content), StartupFile);
    QCOMPARE(javaSourcePathFor("/home/u/a.tzp", reading.javaClassName),
             std::string("/home/u/NewClass.java"));
}

void TestProjectFile::bodiesLoseOuterWhiteSpace() {
    ProjectFileContent content;
    content.project.setBody(1, 1, "a = 1;\r\nb = 2;\r\nc = 3;");
    content.project.setBody(1, 2, "\r\n    indented();\r\n  next(); \t\r\n\r\n");
    const std::string bytes = writeProjectFile(content);
    QVERIFY(bytes.find("public void init()\r\na = 1;\r\nb = 2;\r\nc = 3;\r\n[]\r\n") !=
            std::string::npos);
    QVERIFY(bytes.ends_with("(Graphics g)\r\nindented();\r\n  next(); \t\r\n\r\n\r\n[]\r\n"));
    const Project project = accepted(bytes).project;
    QCOMPARE(project.slot(1, 1).body, std::string("\r\na = 1;\r\nb = 2;\r\nc = 3;"));
    QCOMPARE(project.slot(1, 2).body, std::string("\r\nindented();\r\n  next();"));
}

void TestProjectFile::headValuesAreReadAsInAnIniFile() {
    const std::string bytes = fileOf({"[java]",
                                      "classname = Other",
                                      "classes=0x1",
                                      "[Options]",
                                      "optimize=TRUE",
                                      "cWithout=true",
                                      "BCOL=13",
                                      "[Gcount]",
                                      "1=0x2",
                                      "[Param]",
                                      "Params=0x2",
                                      "p",
                                      "v",
                                      "[Applet]",
                                      "[Uses]",
                                      "[]",
                                      "A",
                                      "class A",
                                      "",
                                      "[]",
                                      "i",
                                      "i()",
                                      "",
                                      "[]",
                                      "p",
                                      "p()",
                                      "",
                                      "[]"});
    const ProjectFileReading reading = readBack(bytes);
    QVERIFY(reading.content);
    const ProjectFileContent& content = *reading.content;
    QCOMPARE(reading.javaClassName, std::string("Other"));
    QVERIFY(!content.options.optimize);  // only "true" checks a box
    QVERIFY(!content.options.addAppletObjects);
    QVERIFY(content.options.withoutLineBreaks);
    QCOMPARE(content.options.colourIndex, -1);
    QCOMPARE(content.options.parameters, (std::vector<RunParameter>{{"p", "v"}}));
    QCOMPARE(content.appletWidth, 600);
    QCOMPARE(content.appletHeight, 400);
    QCOMPARE(content.project.lastSlot(1), 2);
    QCOMPARE(content.project.imports, std::string());
    for (const ObjectTable& table : content.objects) QCOMPARE(table.count, 0);
}

void TestProjectFile::headSectionsAfterTheObjectsAreFound() {
    std::string bytes = startupWith("[Options]", "[Other]\r\n");
    bytes = bytes.replace(bytes.find("[Uses]"), 0, "[Options]\r\ncWithout=true\r\n");
    bytes = bytes.replace(bytes.find("Params=2"), 8, "Params=1");
    const ProjectFileContent content = accepted(bytes);
    QVERIFY(content.options.withoutLineBreaks);
    QVERIFY(!content.options.addAppletObjects);
    QCOMPARE(content.options.colourIndex, DefaultColourIndex);
    QVERIFY(content.options.parameters.empty());
}

void TestProjectFile::corruptFilesAreRefused_data() {
    QTest::addColumn<std::string>("bytes");
    QTest::newRow("empty file") << std::string();
    QTest::newRow("no Java section") << startupWith("[Java]", "[Jawa]\r\n");
    QTest::newRow("class name a path") << startupWith("classname=NewClass", "classname=../v\r\n");
    QTest::newRow("class name with NUL")
        << startupWith("classname=NewClass", std::string("classname=../n.txt\0\r\n", 21));
    QTest::newRow("class 1 slot named a path") << startupWith("[]\r\nNewClass", "[]\r\na/b\r\n");
    QTest::newRow("21 classes") << startupWith("classes=1", "classes=21\r\n");
    QTest::newRow("negative classes") << startupWith("classes=1", "classes=-1\r\n");
    QTest::newRow("41 methods") << startupWith("1=2", "1=41\r\n");
    QTest::newRow("32 buttons") << startupWith("Buttons=0", "Buttons=32\r\n");
    QTest::newRow("negative images") << startupWith("Images=0", "Images=-1\r\n");
    QTest::newRow("huge width") << startupWith("width=410", "width=2147483647\r\n");
    QTest::newRow("no height") << startupWith("height=316", "height=0\r\n");
    QTest::newRow("no Param marker") << startupWith("[Param]", "[param]\r\n");
    QTest::newRow("no Applet marker") << startupWith("[Applet]", "");
    QTest::newRow("no Uses marker") << startupWith("[Uses]", "");
    const std::string oneButton = startupWith("Buttons=0", "Buttons=1\r\n");
    QTest::newRow("record cut short")
        << oneButton.substr(0, oneButton.find("[Uses]")) + "B\r\n1\r\n";
    QTest::newRow("parameters missing") << startupWith("Params=2", "Params=40\r\n");
    QTest::newRow("end marker missing") << StartupFile.substr(0, StartupFile.size() - 4);
    QTest::newRow("slots missing") << startupWith("1=2", "1=4\r\n");
    QTest::newRow("imports without end")
        << startupWith("classes=1", "classes=0\r\n").substr(0, StartupFile.find("[]\r\nNewClass"));
}

void TestProjectFile::corruptFilesAreRefused() {
    QFETCH(std::string, bytes);
    const ProjectFileReading reading = readBack(bytes);
    QVERIFY(!reading.content);
    QCOMPARE(reading.error, std::string(CorruptProjectMessage));
}

void TestProjectFile::refusedRecords_data() {
    QTest::addColumn<ObjectRecord>("first");
    QTest::addColumn<ObjectRecord>("second");
    QTest::addColumn<std::string>("message");
    const ObjectRecord good = record("Go", "JButton0");
    QTest::newRow("name not an identifier")
        << good << record("x", "1st") << std::string("''1st'' is not a valid component name");
    QTest::newRow("name with a blank")
        << good << record("x", "a b") << std::string("''a b'' is not a valid component name");
    QTest::newRow("fixed name") << good << record("x", "FLYTT")
                                << std::string("A component named FLYTT already exists");
    QTest::newRow("taken in other case")
        << good << record("x", "jbutton0")
        << std::string("A component named jbutton0 already exists");
    QTest::newRow("position not a number")
        << good << record("x", "b", "12px") << std::string("'12px' is not a valid integer value");
    QTest::newRow("empty position")
        << good << record("x", "b", "") << std::string("'' is not a valid integer value");
    QTest::newRow("huge position") << good << record("x", "b", "2147483647")
                                   << std::string("Value must be between -4096 and 4096");
    QTest::newRow("no width") << good << ObjectRecord{{"x", "1", "2", "0", "4", "b", ""}}
                              << std::string("Value must be between 1 and 4096");
    QTest::newRow("name checked before numbers")
        << record("x", "1st", "bad") << good
        << std::string("''1st'' is not a valid component name");
}

void TestProjectFile::refusedRecords() {
    QFETCH(ObjectRecord, first);
    QFETCH(ObjectRecord, second);
    QFETCH(std::string, message);
    ProjectFileContent content;
    content.objects[0].records[0] = first;
    content.objects[2].records[0] = second;  // the second kind read, TextField
    content.objects[0].count = content.objects[2].count = 1;
    const ProjectFileReading reading = readBack(writeProjectFile(content));
    QVERIFY(!reading.content);
    QCOMPARE(reading.error, message);
}

void TestProjectFile::recordsKeepTheirTextAndSkipDeletedObjects() {
    ProjectFileContent content;
    ObjectTable& buttons = content.objects[static_cast<int>(ObjectKind::Button)];
    buttons.records[0] = record("Button 0", "JButton0", " 12");
    buttons.records[2] = record("Button 2", "JButton2", "$1F");
    buttons.records[3] = record("Button 3", "JButton3", "010");
    buttons.count = 4;  // slot 1 was removed
    ObjectTable& labels = content.objects[static_cast<int>(ObjectKind::Label)];
    labels.records[0] = record("[Uses]", "_l", "-3", "[CENTER]");
    labels.count = 1;
    const std::string bytes = writeProjectFile(content);
    QVERIFY(bytes.find("Buttons=3\r\nLabels=1\r\nTextfields=0\r\nImages=0\r\n[Applet]\r\n"
                       "Button 0\r\n 12\r\n2\r\n30\r\n40\r\nJButton0\r\n\r\nButton 2\r\n") !=
            std::string::npos);
    QVERIFY(bytes.find("[Uses]\r\n-3\r\n2\r\n30\r\n40\r\n_l\r\n[CENTER]\r\n[Uses]\r\n") !=
            std::string::npos);
    const ProjectFileContent back = accepted(bytes);
    const ObjectTable& loaded = back.objects[static_cast<int>(ObjectKind::Button)];
    QCOMPARE(loaded.count, 3);
    QCOMPARE(loaded.records[1], buttons.records[2]);
    QCOMPARE(loaded.records[2], buttons.records[3]);
    QCOMPARE(back.objects[static_cast<int>(ObjectKind::Label)].records[0], labels.records[0]);
}

void TestProjectFile::classCountZeroKeepsStaleClassName() {
    ProjectFileContent content;
    content.project.currentClass = 1;
    QVERIFY(content.project.deleteClass());
    const std::string bytes = writeProjectFile(content);
    QVERIFY(bytes.find("classname=NewClass\r\nclasses=0\r\nwidth=410\r\nheight=316\r\n"
                       "[Gcount]\r\n[Options]\r\n") != std::string::npos);
    QVERIFY(bytes.ends_with("[Uses]\r\nimport java.applet.*;\r\nimport java.awt.*;\r\n[]\r\n"));
    Project current;
    current.setName(1, 0, "Stale");
    const ProjectFileReading reading = readProjectFile(bytes, current, FixedNames);
    QVERIFY(reading.content);
    QCOMPARE(reading.content->project.classCount(), 0);
    QCOMPARE(reading.content->project.slot(1, 0).name, std::string("Stale"));
}

void TestProjectFile::classMayBeNamedError() {
    ProjectFileContent content;
    content.project.setName(1, 0, "ERROR");
    const ProjectFileReading reading = readBack(writeProjectFile(content));
    QVERIFY(reading.content);
    QCOMPARE(reading.javaClassName, std::string("ERROR"));
    QCOMPARE(reading.content->project.slot(1, 0).name, std::string("ERROR"));
}

void TestProjectFile::markerLikeLinesAreEscaped() {
    ProjectFileContent content;
    content.project.setBody(1, 1, "a();\r\n[]\r\n\\[]\r\n[] \r\nb();");
    content.project.imports = "[x\r\n\\[y\r\nimport z;";
    content.options.parameters = {{"[Objects]", " \t[Java]"}, {"\\[Param]", "v"}};
    content.objects[0].records[0] = record("B", "b");
    content.objects[0].count = 1;
    const std::string bytes = writeProjectFile(content);
    QVERIFY(bytes.find("Params=3\r\n\\[Objects]\r\n\\ \t[Java]\r\n\\\\[Param]\r\nv\r\n"
                       "[Objects]\r\nButtons=1\r\n") != std::string::npos);
    QVERIFY(bytes.find("[Uses]\r\n\\[x\r\n\\\\[y\r\nimport z;\r\n[]\r\n") != std::string::npos);
    QVERIFY(bytes.find("init()\r\na();\r\n\\[]\r\n\\\\[]\r\n[] \r\nb();\r\n[]\r\n") !=
            std::string::npos);
    const ProjectFileContent back = accepted(bytes);
    QCOMPARE(back.objects[0].count, 1);
    QCOMPARE(back.options.parameters, content.options.parameters);
    QCOMPARE(back.project.imports, "\r\n" + content.project.imports);
    QCOMPARE(back.project.slot(1, 1).body, "\r\n" + content.project.slot(1, 1).body);
    QCOMPARE(back.project.slot(1, 2).body, std::string("\r\n// paint code"));
}

void TestProjectFile::escapeRules_data() {
    QTest::addColumn<int>("role");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("written");
    const int body = static_cast<int>(LineRole::Body);
    const int imports = static_cast<int>(LineRole::Imports);
    const int parameter = static_cast<int>(LineRole::Parameter);
    QTest::newRow("body end") << body << "[]"
                              << "\\[]";
    QTest::newRow("body end escaped twice") << body << "\\\\[]"
                                            << "\\\\\\[]";
    QTest::newRow("body bracket line") << body << "[x]"
                                       << "[x]";
    QTest::newRow("body backslash text") << body << "\\n"
                                         << "\\n";
    QTest::newRow("body blank before end") << body << " []"
                                           << " []";
    QTest::newRow("imports bracket") << imports << "[a"
                                     << "\\[a";
    QTest::newRow("imports later bracket") << imports << "a["
                                           << "a[";
    QTest::newRow("imports blank bracket") << imports << " [a"
                                           << " [a";
    QTest::newRow("cell section") << parameter << "\\\t [S]"
                                  << "\\\\\t [S]";
    QTest::newRow("cell plain") << parameter << "x [S]"
                                << "x [S]";
    QTest::newRow("cell backslashes only") << parameter << "\\\\"
                                           << "\\\\";
}

void TestProjectFile::escapeRules() {
    QFETCH(int, role);
    QFETCH(QString, line);
    QFETCH(QString, written);
    const auto lineRole = static_cast<LineRole>(role);
    const std::string text = line.toStdString();
    QCOMPARE(QString::fromStdString(needsEscape(text, lineRole) ? "\\" + text : text), written);
    const std::string stored = written.toStdString();
    QCOMPARE(QString::fromStdString(std::string(unescapedLine(stored, lineRole))), line);
}

void TestProjectFile::oneLineFieldsStayOnOneLine() {
    ProjectFileContent content;
    content.project.setDeclaration(1, 1, "void a(int x,\r\nint y)");
    content.options.parameters = {{"p\nq", "v"}};
    content.objects[1].records[0] = record("two\r\nlines", "l", "1", "[LEFT]");
    content.objects[1].count = 1;
    const ProjectFileContent back = accepted(writeProjectFile(content));
    QCOMPARE(back.project.slot(1, 1).declaration, std::string("void a(int x,  int y)"));
    QCOMPARE(back.project.slot(1, 1).body, std::string("\r\n// init code"));
    QCOMPARE(back.options.parameters, (std::vector<RunParameter>{{"p q", "v"}}));
    QCOMPARE(back.objects[1].records[0].fields[Caption], std::string("two  lines"));
}

void TestProjectFile::randomProjectsSurviveSaveAndOpen() {
    std::mt19937 random(20240611);
    const auto below = [&](int n) { return static_cast<int>(random() % n); };
    const std::vector<std::string> pieces = {"[]",        "[",      "]",        "\\", "\"",
                                             "'",         "  ",     " ",        "\t", "x",
                                             "[Objects]", "[Java]", "Params=9", "é",  "="};
    const auto text = [&](int maxPieces, bool multiLine) {
        std::string result;
        for (int n = below(maxPieces + 1); n > 0; --n) {
            result += pieces[below(pieces.size())];
            if (multiLine && below(4) == 0) result += "\r\n";
        }
        return result;
    };
    for (int round = 0; round < 150; ++round) {
        ProjectFileContent saved;
        Project& project = saved.project;
        project.setClassCount(below(4));
        for (int n = 1; n <= project.classCount(); ++n) {
            project.setLastSlot(n, below(4));
            for (int s = 0; s <= project.lastSlot(n); ++s)
                project.fillSlot(n, s, text(6, false), text(8, false), text(20, true));
        }
        project.setName(1, 0, "C" + std::to_string(round));  // it names the Java source
        project.imports = text(10, true);
        saved.appletWidth = below(2000) + 1;
        saved.options.optimize = below(2);
        saved.options.dynamicObjects = below(2);
        saved.options.colourIndex = below(14) - 1;
        saved.options.parameters.resize(below(4));
        for (RunParameter& p : saved.options.parameters) p = {text(4, false), text(4, false)};
        int nameNumber = 0;
        for (ObjectTable& table : saved.objects) {
            table.count = below(4);
            for (int slot = 0; slot < table.count; ++slot) {
                ObjectRecord& r = table.records[slot];
                r = record(text(5, false), "n" + std::to_string(nameNumber++),
                           std::to_string(below(500) - 20), text(2, false));
            }
        }

        const std::string first = writeProjectFile(saved);
        const ProjectFileContent opened = accepted(first);
        const std::string second = writeProjectFile(opened);
        const std::string third = writeProjectFile(accepted(second));
        QCOMPARE(third, second);

        QVERIFY(opened.options == saved.options);
        QCOMPARE(opened.appletWidth, saved.appletWidth);
        for (std::size_t k = 0; k < saved.objects.size(); ++k) {
            QCOMPARE(opened.objects[k].count, saved.objects[k].count);
            QVERIFY(opened.objects[k].records == saved.objects[k].records);
        }
        const Project& back = opened.project;
        QCOMPARE(back.classCount(), project.classCount());
        QCOMPARE(back.imports, gathered(project.imports));
        for (int n = 1; n <= project.classCount(); ++n) {
            QCOMPARE(back.lastSlot(n), project.lastSlot(n));
            for (int s = 0; s <= project.lastSlot(n); ++s) {
                QCOMPARE(back.slot(n, s).name, project.slot(n, s).name);
                QCOMPARE(back.slot(n, s).declaration, project.slot(n, s).declaration);
                QCOMPARE(back.slot(n, s).body, gathered(project.slot(n, s).body));
            }
        }
    }
}

void TestProjectFile::integerAndIdentifierTexts() {
    QCOMPARE(strToInt("12"), std::optional<int>(12));
    QCOMPARE(strToInt("  -7"), std::optional<int>(-7));
    QCOMPARE(strToInt("+010"), std::optional<int>(10));
    QCOMPARE(strToInt("$1F"), std::optional<int>(31));
    QCOMPARE(strToInt("-$1f"), std::optional<int>(-31));
    QCOMPARE(strToInt("-2147483648"), std::optional<int>(-2147483647 - 1));
    for (const char* bad : {"", " ", "12px", "12 ", "\t1", "+", "$", "$G", "0x1F", "1.5",
                            "2147483648", "$80000000", "99999999999999999999"})
        QVERIFY2(!strToInt(bad), bad);

    for (const char* good : {"a", "_", "JButton0", "_x_1", "Z9"}) QVERIFY(isValidIdentifier(good));
    for (const char* bad : {"", "1a", "a b", "a-b", "é", "a.b"})
        QVERIFY2(!isValidIdentifier(bad), bad);
}

void TestProjectFile::filesAreWrittenAndReadAsBytes() {
    QTemporaryDir directory;
    const std::string path = directory.filePath("p.tzp").toStdString();
    ProjectFileContent content;
    content.project.setBody(1, 0, std::string("\xff\xfe bytes\0kept", 13));
    QCOMPARE(saveProjectFile(path, content), std::nullopt);
    std::string error;
    const auto bytes = loadFileBytes(path, error);
    QVERIFY(bytes);
    QCOMPARE(*bytes, writeProjectFile(content));
    QCOMPARE(accepted(*bytes).project.slot(1, 0).body, "\r\n" + content.project.slot(1, 0).body);

    QVERIFY(saveProjectFile(directory.filePath("missing/p.tzp").toStdString(), content));
    QVERIFY(!loadFileBytes(directory.filePath("missing.tzp").toStdString(), error));
    QVERIFY(!error.empty());
}

QTEST_MAIN(TestProjectFile)
#include "tst_projectfile.moc"
