// Java source generation: exact bytes of the generated text.
#include <QTemporaryDir>
#include <QtTest>
#include <fstream>
#include <map>
#include <sstream>

#include "codegen/CodeGenerator.h"
#include "codegen/JavaText.h"

#include "testhelpers.h"

using namespace tz;

namespace {

LiveObject object(ObjectKind kind, int slot, const std::string& name, const std::string& text,
                  int left = 10, int top = 20, int width = 65, int height = 33) {
    LiveObject live;
    live.kind = kind;
    live.slot = slot;
    live.name = name;
    live.text = text;
    live.left = left;
    live.top = top;
    live.width = width;
    live.height = height;
    return live;
}

GeneratedCode generate(const Project& project, const std::vector<LiveObject>& objects = {},
                       const ProjectOptions& options = {}, const CopyQuestion& ask = {}) {
    return generateJava(project, objects, options, ask);
}

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

const std::string WorkedExample =
    "import java.applet.*;//\\0,0,0,\n"
    "import java.awt.*;\r\n"
    "public class NewClass extends Applet//\\1,0,-1,\r\n"
    "\r\n"
    "{\r\n"
    "Button JButton0;int JButton0_Xpos=10;int JButton0_Ypos=20;int JButton0_Width=65;"
    "int JButton0_Height=33;String JButton0_Caption=\"Button 0\";\r\n"
    "\r\n"
    "// NewClass code\r\n"
    "public void init()//\\1,1,-1,\r\n"
    "\r\n"
    "{\r\n"
    "JButton0= new Button(\"Button 0\");\r\n"
    "add (JButton0);\r\n"
    "\r\n"
    "// init code\r\n"
    "}\r\n"
    "public void paint(Graphics g)//\\1,2,-1,\r\n"
    "\r\n"
    "{\r\n"
    "JButton0.move(JButton0_Xpos,JButton0_Ypos);\r\n"
    "JButton0.setSize(JButton0_Width,JButton0_Height);\r\n"
    "JButton0.setLabel(JButton0_Caption);\r\n"
    "// paint code\r\n"
    "\r\n"
    "}\r\n"
    "}";

std::string readBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// "class,slot,line" of a source line, as the line map gives it.
std::string placeOf(const GeneratedCode& code, long line) {
    const auto place = code.lines.place(line);
    if (!place) return "none";
    return std::to_string(place->classIndex) + "," + std::to_string(place->slot) + "," +
           std::to_string(place->bodyLine);
}

}  // namespace

class TestCodegen : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void workedExample();
    void backgroundColour();
    void markers();
    void initAndPaintOnlyInAppletClass();
    void paintDeclaration();
    void objectStatements();
    void fieldGroupsInEveryClass();
    void imageQuestion();
    void imageCopyFailure();
    void textsAreJavaStringBodies();
    void blankRunsFoldOutsideLiterals();
    void blankRunsFoldAcrossParts();
    void blankRunsFoldAtChunkEdges();
    void commentedLinesFoldAsTheWholeText();
    void noCodeAfterLineComment();
    void lineMapNamesEveryLine();
    void noCommentMarkFormedBetweenTexts();
    void literalsRunAcrossTexts();
    void paintParameterMustBeAName();
};

void TestCodegen::workedExample() {
    const GeneratedCode code =
        generate(Project(), {object(ObjectKind::Button, 0, "JButton0", "Button 0")});
    QVERIFY(code.ok());
    QCOMPARE(code.source, WorkedExample);
}

void TestCodegen::backgroundColour() {
    const std::vector<LiveObject> button{object(ObjectKind::Button, 0, "JButton0", "Button 0")};
    ProjectOptions options;
    options.automaticBackground = true;
    const std::string lightGray = generate(Project(), button, options).source;
    QVERIFY(contains(lightGray,
                     "{\r\ng.setColor(Color.lightGray);\r\n"
                     "g.fillRect(0,0,size().width,size().height);\r\n"
                     "JButton0.move(JButton0_Xpos,JButton0_Ypos);\r\n"));
    QVERIFY(contains(lightGray, "// paint code\r\ng.setColor(Color.black);\r\n\r\n}\r\n}"));

    options.colourIndex = 0;
    const std::string black = generate(Project(), button, options).source;
    QVERIFY(contains(black, "{\r\ng.setColor(Color.black);\r\ng.fillRect("));
    QVERIFY(contains(black, "// paint code\r\ng.setColor(Color.white);\r\n"));

    options.automaticBackground = false;
    QVERIFY(!contains(generate(Project(), button, options).source, "setColor"));
}

void TestCodegen::markers() {
    QCOMPARE(markedText("x = 1;", 1, 3), std::string("x = 1;"));
    QCOMPARE(markedText("a;\r\nb;", 2, 3), std::string("a;//\\2,3,0,\nb;"));
    QCOMPARE(markedText("a;\r\nb;\r\nc;", 2, 3), std::string("a;//\\2,3,0,\nb;//\\2,3,1,\nc;"));
    // Blank lines at both ends go before counting; lone CR or LF is no break.
    QCOMPARE(markedText("\r\n \r\n\ta;\r\nb;\nc;\r\n\r\n", 1, 0),
             std::string("a;//\\1,0,0,\nb;\nc;"));
    QCOMPARE(markedText(" \r\n\t", 1, 0), std::string());
    // Line numbers gain digits on the way.
    std::string lines;
    for (int line = 0; line <= 100; ++line) lines += "x\r\n";
    const std::string marked = markedText(lines + "y", 4, 5);
    QVERIFY(contains(marked, "x//\\4,5,9,\nx//\\4,5,10,\n"));
    QVERIFY(contains(marked, "x//\\4,5,99,\nx//\\4,5,100,\ny"));
}

void TestCodegen::initAndPaintOnlyInAppletClass() {
    Project project;
    project.fillSlot(1, 1, "Init", "public void Init()", "x();");
    project.fillSlot(1, 2, "PAINT", "public void PAINT(Graphics g)", "y();");
    project.addClass();
    project.addMethod();
    project.fillSlot(2, 1, "init", "public void init()", "z();\r\nw();");
    const std::string source = generate(project, {object(ObjectKind::Button, 0, "B", "b")}).source;
    QVERIFY(contains(source, "public void Init()//\\1,1,-1,\r\n{\r\nx();}\r\n"));
    QVERIFY(contains(source, "public void PAINT(Graphics g)//\\1,2,-1,\r\n{\r\ny();}\r\n"));
    QVERIFY(contains(source, "public void init()//\\2,1,-1,\r\n{\r\nz();//\\2,1,0,\nw();}\r\n"));
    QVERIFY(!contains(source, "B= new Button"));
    QVERIFY(!contains(source, "B.move"));
    // The second class's declaration follows the first class's brace.
    QVERIFY(contains(source, "}public class NewClass extends Applet//\\2,0,-1,"));
}

void TestCodegen::paintDeclaration() {
    Project project;
    project.fillSlot(1, 2, "paint", "public void paint(Graphics screen) ", "// paint code");
    ProjectOptions options;
    options.automaticBackground = true;
    const std::vector<LiveObject> image{object(ObjectKind::Image, 0, "I", "/x/a.gif")};
    QVERIFY(contains(generate(project, image, options).source,
                     "screen.setColor(Color.lightGray);\r\nscreen.fillRect(0,0,size().width,"
                     "size().height);\r\nI = getImage(getDocumentBase(),I_Picture);\r\n"
                     "screen.drawImage(I,I_Xpos,I_Ypos,I_Width,I_Height,this);\r\n"));

    project.fillSlot(1, 1, "init", "public  void init()", "// init code");
    project.fillSlot(1, 2, "paint", "public void paint(Graphics)", "// paint code");
    project.addMethod();
    const GeneratedCode stopped = generate(project);
    QCOMPARE(stopped.failure, CodeFailure::PaintDeclaration);
    QCOMPARE(stopped.message,
             std::string("Your paint interface does not contain any declaration!"));
    // Stopped before the blank pass, right after the init method.
    QVERIFY(stopped.source.ends_with(
        "public  void init()//\\1,1,-1,\r\n\r\n{\r\n// init code\r\n}\r\n"));
}

void TestCodegen::objectStatements() {
    LiveObject right = object(ObjectKind::Label, 1, "L1", "r", 1, 2, 73, 25);
    right.alignment = Alignment::Right;
    LiveObject centre = object(ObjectKind::Label, 0, "L0", "c", 3, 4, 73, 25);
    centre.alignment = Alignment::Center;
    const std::vector<LiveObject> objects{
        object(ObjectKind::Button, 0, "B0", "b"),
        right,
        centre,
        object(ObjectKind::TextField, 0, "T0", "t", 5, 6, 73, 21),
        object(ObjectKind::TextField, 1, "T1", "u", 5, 6, 7, 21),
        object(ObjectKind::TextField, 2, "", "deleted"),
        object(ObjectKind::Image, 0, "I0", "/pics/cat.gif", 7, 8, 73, 65),
    };
    ProjectOptions options;
    const std::string source =
        generate(Project(), objects, options, [](const std::string&) { return false; }).source;
    const std::string expectedFields =
        "{\r\nButton B0;int B0_Xpos=10;int B0_Ypos=20;int B0_Width=65;int B0_Height=33;"
        "String B0_Caption=\"b\";\r\n\r\n"
        "Image I0;int I0_Xpos=7;int I0_Ypos=8;int I0_Width=73;int I0_Height=65;"
        "String I0_Picture=\"cat.gif\";\r\n\r\n"
        "Label L0;int L0_Xpos=3;int L0_Ypos=4;int L0_Width=73;int L0_Height=25;int L0_Align=1;"
        "String L0_Caption=\"c\";\r\n\r\n"
        "Label L1;int L1_Xpos=1;int L1_Ypos=2;int L1_Width=73;int L1_Height=25;int L1_Align=2;"
        "String L1_Caption=\"r\";\r\n\r\n"
        "TextField T0;int T0_Xpos=5;int T0_Ypos=6;int T0_Width=73;int T0_Height=21;\r\n\r\n"
        "TextField T1;int T1_Xpos=5;int T1_Ypos=6;int T1_Width=7;int T1_Height=21;\r\n\r\n"
        "// NewClass code\r\n";
    QVERIFY(contains(source, expectedFields));
    QVERIFY(contains(source,
                     "{\r\nB0= new Button(\"b\");\r\nadd (B0);\r\n\r\n"
                     "L0= new Label(\"c\");\r\nadd (L0);\r\n\r\nL1= new Label(\"r\");\r\n"
                     "add (L1);\r\n\r\nT0= new TextField(\"t\",9);\r\nadd (T0);\r\n\r\n"
                     "T1= new TextField(\"u\",0);\r\nadd (T1);\r\n\r\n// init code"));
    QVERIFY(contains(source,
                     "{\r\nI0 = getImage(getDocumentBase(),I0_Picture);\r\n"
                     "g.drawImage(I0,I0_Xpos,I0_Ypos,I0_Width,I0_Height,this);\r\n"
                     "B0.move(B0_Xpos,B0_Ypos);\r\nB0.setSize(B0_Width,B0_Height);\r\n"
                     "B0.setLabel(B0_Caption);\r\n"
                     "L0.setAlignment(L0_Align);\r\nL0.setText(L0_Caption);\r\n"
                     "L0.move(L0_Xpos,L0_Ypos);\r\nL0.setSize(L0_Width,L0_Height);\r\n"
                     "L1.setAlignment(L1_Align);\r\nL1.setText(L1_Caption);\r\n"
                     "L1.move(L1_Xpos,L1_Ypos);\r\nL1.setSize(L1_Width,L1_Height);\r\n"
                     "T0.move(T0_Xpos,T0_Ypos);\r\nT0.setSize(T0_Width,T0_Height);\r\n"
                     "T1.move(T1_Xpos,T1_Ypos);\r\nT1.setSize(T1_Width,T1_Height);\r\n"
                     "// paint code"));
    QVERIFY(!contains(source, "deleted"));

    options.addAppletObjects = false;
    QCOMPARE(generate(Project(), objects, options).source, generate(Project()).source);
}

void TestCodegen::fieldGroupsInEveryClass() {
    Project project;
    project.addClass();
    const std::string source =
        generate(project, {object(ObjectKind::TextField, 0, "T", "")}).source;
    QVERIFY(contains(source,
                     "Applet//\\2,0,-1,\r\n\r\n{\r\nTextField T;int T_Xpos=10;int T_Ypos=20;"
                     "int T_Width=65;int T_Height=33;\r\n\r\n// NewClass Code\r\n}"));
}

void TestCodegen::imageQuestion() {
    QCOMPARE(pictureFileName("C:\\pics\\a.gif"), std::string("a.gif"));
    QCOMPARE(pictureFileName("D:b.gif"), std::string("b.gif"));
    QCOMPARE(pictureFileName("/home/u/c.gif"), std::string("c.gif"));
    QCOMPARE(pictureFileName("d.gif"), std::string("d.gif"));

    QTemporaryDir pictures;
    QTemporaryDir sources;
    const std::string picture = pictures.path().toStdString() + "/logo.gif";
    std::string pictureBytes;
    for (int i = 0; i < 5000; ++i) pictureBytes += char(i % 251);
    writeBytes(picture, pictureBytes);
    const std::string folder = sources.path().toStdString() + "/";
    Project project;
    project.javaSourcePath = folder + "NewClass.java";
    const std::vector<LiveObject> image{object(ObjectKind::Image, 0, "I", picture)};

    std::vector<std::string> questions;
    auto answer = [&questions](bool yes) {
        return [&questions, yes](const std::string& question) {
            questions.push_back(question);
            return yes;
        };
    };
    QVERIFY(generate(project, image, {}, answer(false)).ok());
    QCOMPARE(questions, std::vector<std::string>{"The file \"logo.gif\" cant be found in " +
                                                 folder + " Do you want to copy it there?"});
    QVERIFY(!QFile::exists(QString::fromStdString(folder + "logo.gif")));

    QVERIFY(generate(project, image, {}, answer(true)).ok());
    QCOMPARE(readBytes(folder + "logo.gif"), pictureBytes);

    // Present now: no question. Without addAppletObjects there is no check at all.
    questions.clear();
    QVERIFY(generate(project, image, {}, answer(true)).ok());
    std::remove((folder + "logo.gif").c_str());
    ProjectOptions noObjects;
    noObjects.addAppletObjects = false;
    QVERIFY(generate(project, image, noObjects, answer(true)).ok());
    QVERIFY(questions.empty());

    // A relative path is looked up in the project's folder.
    QVERIFY(QDir(sources.path()).mkpath("pics"));
    writeBytes(folder + "pics/rel.gif", pictureBytes);
    QVERIFY(generate(project, {object(ObjectKind::Image, 0, "R", "pics/rel.gif")}, {}, answer(true))
                .ok());
    QCOMPARE(readBytes(folder + "rel.gif"), pictureBytes);
}

void TestCodegen::imageCopyFailure() {
    QTemporaryDir sources;
    Project project;
    project.javaSourcePath = sources.path().toStdString() + "/NewClass.java";
    const std::vector<LiveObject> images{object(ObjectKind::Image, 0, "I0", "/nowhere/a.gif"),
                                         object(ObjectKind::Image, 1, "I1", "/nowhere/b.gif")};
    int asked = 0;
    const GeneratedCode code = generate(project, images, {}, [&asked](const std::string&) {
        ++asked;
        return true;
    });
    QCOMPARE(code.failure, CodeFailure::ImageCopy);
    QVERIFY(contains(code.message, "/nowhere/a.gif"));
    QCOMPARE(asked, 1);
    QVERIFY(code.source.ends_with("public void init()//\\1,1,-1,\r\n\r\n{\r\n"));

    QVERIFY(!copyFile(project.javaSourcePath, "/nowhere/x").empty());
}

void TestCodegen::textsAreJavaStringBodies() {
    QCOMPARE(javaStringBody("a\\b\"c\r\nd\te'f"), std::string("a\\\\b\\\"c\\r\\nd\\te'f"));
    const std::string source = generate(Project(),
                                        {object(ObjectKind::Button, 0, "B", "say \"hi\""),
                                         object(ObjectKind::Image, 0, "I", "/p/we\"ird.gif"),
                                         object(ObjectKind::TextField, 0, "T", "C:\\")},
                                        {}, [](const std::string&) { return false; })
                                   .source;
    QVERIFY(contains(source, "B_Caption=\"say \\\"hi\\\"\";"));
    QVERIFY(contains(source, "B= new Button(\"say \\\"hi\\\"\");"));
    QVERIFY(contains(source, "I_Picture=\"we\\\"ird.gif\";"));
    QVERIFY(contains(source, "T= new TextField(\"C:\\\\\",8);"));
}

void TestCodegen::blankRunsFoldOutsideLiterals() {
    QCOMPARE(foldBlankRuns("public  void   paint(    )"), std::string("public void paint( )"));
    QCOMPARE(foldBlankRuns("s = \"a  b\\\"  c\"  + 'x  '  ;"),
             std::string("s = \"a  b\\\"  c\" + 'x  ' ;"));
    // Quotes inside comments open nothing; a line end closes a literal.
    QCOMPARE(foldBlankRuns("//  it's\n/* \"  */  \"a  \n  b"),
             std::string("// it's\n/* \" */ \"a  \n b"));

    Project project;
    project.fillSlot(1, 1, "init", "public  void   init()", "return  x;");
    const std::string source =
        generate(project, {object(ObjectKind::Label, 0, "L", "Hello  World")}).source;
    QVERIFY(contains(source, "public void init()//"));
    QVERIFY(contains(source, "return x;"));
    QVERIFY(contains(source, "L_Caption=\"Hello  World\";"));
    QVERIFY(contains(source, "new Label(\"Hello  World\")"));
}

void TestCodegen::blankRunsFoldAcrossParts() {
    // Long enough to be read a word at a time; a part may end anywhere but
    // inside a comment mark or an escape.
    const std::string text = "x  =  \"a  \\\"  b\"  ;  //  c  'q  \n  /*  \"  *  */  'z  '   y  ";
    const std::string folded = "x = \"a  \\\"  b\" ; // c 'q \n /* \" * */ 'z  ' y ";
    for (const FoldPath path : {FoldPath::Portable, FoldPath::Shuffled}) {
        QCOMPARE(foldBlankRuns(text, path), folded);
        for (std::size_t split = 1; split < text.size(); ++split) {
            const std::string pair = text.substr(split - 1, 2);
            if (pair == "//" || pair == "/*" || pair == "*/" || pair[0] == '\\') continue;
            std::string first = text.substr(0, split);
            std::string second = text.substr(split);
            BlankFolder folder(path);
            first.resize(folder.foldInPlace(first.data(), first.size()));
            second.resize(folder.foldInPlace(second.data(), second.size()));
            QCOMPARE(first + second, folded);
        }
    }
}

void TestCodegen::blankRunsFoldAtChunkEdges() {
    // Sixteen bytes are read at once: runs, marks and escapes across their
    // edges, literals to the end, bytes above 127.
    const std::string x15(15, 'x');
    const std::pair<std::string, std::string> cases[] = {
        {x15 + "    y  ", x15 + " y "},
        {"\"" + std::string(20, ' ') + "\"   x", "\"" + std::string(20, ' ') + "\" x"},
        {"a  " + std::string(12, 'y') + "//  c  \n  d", "a " + std::string(12, 'y') + "// c \n d"},
        {"\"" + std::string(14, 'a') + "\\\"  b\"  c", "\"" + std::string(14, 'a') + "\\\"  b\" c"},
        {"/*  *  " + x15 + "  */  x  ", "/* * " + x15 + " */ x "},
        {"'  \r  \xC3\xA9  \xff  \"  " + x15, "'  \r \xC3\xA9 \xff \"  " + x15},
        // A lone CR ends a line comment as the compiler reads it.
        {"//  a\r\"b  c\"  d", "// a\r\"b  c\" d"},
    };
    for (const FoldPath path : {FoldPath::Portable, FoldPath::Shuffled}) {
        for (const auto& [text, folded] : cases) QCOMPARE(foldBlankRuns(text, path), folded);
    }
}

void TestCodegen::commentedLinesFoldAsTheWholeText() {
    // A line is copied folded only if it ends in its CR LF and opens nothing
    // the reader must follow; marks across chunk edges count.
    const std::string x15(15, 'x');
    const std::pair<std::string, bool> cases[] = {
        {"  a  /  b  //  \"c\"  /*  \r\n", true},
        {x15 + "//  a  '  b\r\n", true},
        {"\xC3\xA9  \xff  " + x15 + x15 + "  *\r\n", true},
        {"\r\n", true},
        {x15 + "/" + "* c */ d\r\n", false},
        {"a = \"b  c\";  // d\r\n", false},
        {x15 + x15 + x15 + "  'c'\r\n", false},
        {"a  // b\rc  d\r\n", false},
        {"a  // b\nc\r\n", false},
        {"a  // no line end", false},
    };
    for (const FoldPath path : {FoldPath::Portable, FoldPath::Shuffled}) {
        for (const auto& [text, taken] : cases) {
            BlankFolder folder(path);
            std::string folded = "q  ";
            folded.resize(folder.foldInPlace(folded.data(), folded.size()));
            char out[128];
            const auto line = folder.foldCommentedLine(text, 0, out);
            QCOMPARE(line.has_value(), taken);
            if (!line) continue;
            const std::size_t end = text.find_first_of("\r\n");
            QCOMPARE(line->end, end);
            QCOMPARE(folded + std::string(out, line->length) + "//\n",
                     foldBlankRuns("q  " + text.substr(0, end) + "//\n", path));
        }
    }
}

void TestCodegen::noCodeAfterLineComment() {
    QVERIFY(endsInLineComment("a;//\\1,1,0,\n// x"));
    QVERIFY(!endsInLineComment("a; // x\nb;"));
    QVERIFY(!endsInLineComment("a; // x\rb;"));
    QVERIFY(!endsInLineComment("s = \"// no comment\";"));
    QVERIFY(!endsInLineComment("/* // */ b"));
    // Only a block comment carries past a line feed; literals and line comments end there.
    QVERIFY(endsInLineComment("s = \"a\n// b"));
    QVERIFY(!endsInLineComment("/* a\n// b */ c"));
    QVERIFY(endsInLineComment("/* a\n*/ x; // b"));

    Project project;
    project.fillSlot(1, 1, "Init", "public void Init()", "// init code");
    QVERIFY(contains(generate(project).source, "{\r\n// init code\r\n}\r\n"));

    ProjectOptions options;
    options.withoutLineBreaks = true;
    project.fillSlot(1, 2, "helper", "void helper()", "x = \"//\";");
    project.addClass();
    project.setBody(2, 0, "int a;");
    const std::string expected =
        "import java.applet.*;//\\0,0,0,\nimport java.awt.*;"
        "public class NewClass extends Applet//\\1,0,-1,\n{"
        "Button B;int B_Xpos=10;int B_Ypos=20;int B_Width=65;int B_Height=33;"
        "String B_Caption=\"b\";"
        "// NewClass code\n"
        "public void Init()//\\1,1,-1,\n{\r\n// init code\n}"
        "void helper()//\\1,2,-1,\n{\r\nx = \"//\";}"
        "}public class NewClass extends Applet//\\2,0,-1,\n{"
        "Button B;int B_Xpos=10;int B_Ypos=20;int B_Width=65;int B_Height=33;"
        "String B_Caption=\"b\";int a;}";
    QCOMPARE(generate(project, {object(ObjectKind::Button, 0, "B", "b")}, options).source,
             expected);
}

void TestCodegen::lineMapNamesEveryLine() {
    const GeneratedCode example =
        generate(Project(), {object(ObjectKind::Button, 0, "JButton0", "Button 0")});
    // Lines of the worked example that hold project text; the rest is class 1's code.
    const std::map<long, std::string> fromProject = {{1, "0,0,0"},   {2, "0,0,1"},  {3, "1,0,-1"},
                                                     {8, "1,0,0"},   {9, "1,1,-1"}, {15, "1,1,0"},
                                                     {17, "1,2,-1"}, {23, "1,2,0"}};
    for (long line = 1; line <= 26; ++line) {
        const auto found = fromProject.find(line);
        QCOMPARE(placeOf(example, line), found != fromProject.end() ? found->second : "1,0,-1");
    }
    QCOMPARE(placeOf(example, 27), std::string("none"));

    // A lone CR ends a line for the compiler; the body line stays the marker's.
    Project project;
    project.fillSlot(1, 1, "helper", "void helper()", "a();\rb();\r\nc = ;");
    const GeneratedCode loneCr = generate(project);
    QCOMPARE(placeOf(loneCr, 9), std::string("1,1,0"));
    QCOMPARE(placeOf(loneCr, 10), std::string("1,1,0"));
    QCOMPARE(placeOf(loneCr, 11), std::string("1,1,1"));
}

void TestCodegen::noCommentMarkFormedBetweenTexts() {
    Project project;
    project.imports = "import java.awt.*;/";
    project.setDeclaration(1, 0, "*x class A extends java.applet.Applet");
    project.fillSlot(1, 1, "f", "void f()", "a = 4 /\r\n2;\r\n/* c *\r\nd */");
    ProjectOptions options;
    options.withoutLineBreaks = true;
    const std::string source = generate(project, {}, options).source;
    QVERIFY(
        contains(source, "import java.awt.*;/ *x class A extends java.applet.Applet//\\1,0,-1,"));
    QVERIFY(contains(source, "a = 4 / //\\1,1,0,\n2;//\\1,1,1,\n/* c * //\\1,1,2,\nd */}"));
}

void TestCodegen::literalsRunAcrossTexts() {
    // Blank runs fold as if the texts were one, whatever class 1 holds.
    Project project;
    project.imports = "c = '\\";
    project.setDeclaration(1, 0, "'  x  '  //  y");
    project.setLastSlot(1, 1);
    project.fillSlot(1, 1, "f", "void f()", "a  =  1;");
    ProjectOptions options;
    options.withoutLineBreaks = true;
    QVERIFY(contains(generate(project, {}, options).source, "c = '\\'  x  ' // y//\\1,0,-1,"));
}

void TestCodegen::paintParameterMustBeAName() {
    Project project;
    project.fillSlot(1, 2, "paint", "public void paint(Graphics g//)", "// paint code");
    QCOMPARE(generate(project).failure, CodeFailure::PaintDeclaration);
    project.setDeclaration(1, 2, "public void paint(Graphics }g)");
    QCOMPARE(generate(project).failure, CodeFailure::PaintDeclaration);
    project.setDeclaration(1, 2, "public void paint(Graphics $g2 )");
    QVERIFY(generate(project).ok());
}

QTEST_MAIN(TestCodegen)
#include "tst_codegen.moc"
