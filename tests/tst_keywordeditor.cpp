// The colour memo as a widget: colours reach the laid-out text, the triggers
// colour what they should, and the main window's body editor uses it.
#include <QClipboard>
#include <QLabel>
#include <QScrollBar>
#include <QTextBlock>
#include <QtTest>

#include "controls/ui/KeywordEditor.h"
#include "project/ui/BodyEditor.h"
#include "app/MainWindow.h"
#include "testhelpers.h"

namespace {

struct Coloured {
    int start;
    int length;
    QColor color;

    friend bool operator==(const Coloured&, const Coloured&) = default;
};

std::vector<Coloured> colouredParts(const KeywordEditor& memo, int line) {
    std::vector<Coloured> parts;
    const QTextBlock block = memo.document()->findBlockByNumber(line);
    for (const QTextLayout::FormatRange& range : block.layout()->formats())
        parts.push_back({range.start, range.length, range.format.foreground().color()});
    return parts;
}

QColor lineColour(const KeywordEditor& memo, int line) {
    const std::vector<Coloured> parts = colouredParts(memo, line);
    return parts.empty() ? QColor() : parts.front().color;
}

// A shown memo colouring 'int' in its default red.
struct ShownMemo {
    explicit ShownMemo(const QString& text, int height = 300) {
        memo.setKeyDrawingType(tz::ColourKeywords);
        memo.setKeyCase(true);
        memo.setKeywords({"int"});
        memo.resize(300, height);
        memo.setPlainText(text);
        memo.show();
        if (!QTest::qWaitForWindowExposed(&memo)) qFatal("memo not shown");
        QCoreApplication::processEvents();
    }
    void putCaret(int position) {
        QTextCursor cursor = memo.textCursor();
        cursor.setPosition(position);
        memo.setTextCursor(cursor);
    }

    KeywordEditor memo;
};

}  // namespace

class KeywordEditorTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void startsWithItsDefaults() {
        KeywordEditor memo;
        QVERIFY(memo.keywords().isEmpty());
        QCOMPARE(memo.keyBeginChar(), QChar(u'<'));
        QCOMPARE(memo.keyEndChar(), QChar(u'>'));
        QCOMPARE(memo.colouringMode(), tz::ColourBetweenMarks);
        QVERIFY(!memo.keyCase());
        QCOMPARE(memo.keyColor(), QColor(Qt::red));
        QCOMPARE(memo.keyBrushColor(), memo.palette().color(QPalette::Base));
    }

    void coloursReachTheLaidOutTextAndTheScreen() {
        QWidget window;
        window.resize(400, 200);
        tz::BodyEditor* editor = tz::createBodyEditor(&window);
        editor->resize(400, 200);
        editor->setPlainText("  for (int i=0;");
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCoreApplication::processEvents();

        const QTextBlock block = editor->document()->firstBlock();
        const auto formats = block.layout()->formats();
        QCOMPARE(formats.size(), 2);
        QCOMPARE(formats[0].start, 2);
        QCOMPARE(formats[0].length, 3);
        QCOMPARE(formats[1].start, 7);
        QCOMPARE(formats[1].length, 3);
        for (const auto& range : formats) {
            QCOMPARE(range.format.foreground().color(), QColor(Qt::blue));
            QCOMPARE(range.format.background().color(), QColor(Qt::white));
        }
        const QImage shot = editor->viewport()->grab().toImage();
        bool bluePixel = false;
        for (int y = 0; y < shot.height() && !bluePixel; ++y)
            for (int x = 0; x < shot.width() && !bluePixel; ++x) {
                const QColor c = shot.pixelColor(x, y);
                bluePixel = c.blue() > 150 && c.red() < 100 && c.green() < 100;
            }
        QVERIFY(bluePixel);
    }

    void typingOneCharacterRecoloursOnlyTheCaretLine() {
        ShownMemo shown("int a\nint b\nint c");
        QCOMPARE(lineColour(shown.memo, 1), QColor(Qt::red));
        shown.memo.setKeyColor(Qt::blue);  // takes effect at the next pass only
        shown.putCaret(5);

        QTest::keyClick(&shown.memo, Qt::Key_X);
        QCOMPARE(lineColour(shown.memo, 0), QColor(Qt::blue));
        QCOMPARE(lineColour(shown.memo, 1), QColor(Qt::red));

        QTest::keyClick(&shown.memo, Qt::Key_Return);
        for (int line : {0, 2, 3}) QCOMPARE(lineColour(shown.memo, line), QColor(Qt::blue));
    }

    void pastingRecoloursTheVisibleLines() {
        ShownMemo shown("int a\nint b");
        shown.memo.setKeyColor(Qt::green);
        shown.putCaret(0);
        QGuiApplication::clipboard()->setText("int ");
        shown.memo.paste();
        QCOMPARE(shown.memo.document()->firstBlock().text(), QString("int int a"));
        QCOMPARE(colouredParts(shown.memo, 0),
                 (std::vector<Coloured>{{0, 3, Qt::green}, {4, 3, Qt::green}}));
        QCOMPARE(lineColour(shown.memo, 1), QColor(Qt::green));
    }

    void editsKeepTheColoursInStepWithTheText() {
        ShownMemo shown("int a");
        shown.putCaret(0);
        QTest::keyClicks(&shown.memo, "pr");
        QCOMPARE(colouredParts(shown.memo, 0), std::vector<Coloured>{});  // "print a"
        QTest::keyClick(&shown.memo, Qt::Key_Space);
        QCOMPARE(colouredParts(shown.memo, 0), (std::vector<Coloured>{{3, 3, Qt::red}}));
        QTest::keyClick(&shown.memo, Qt::Key_Backspace);
        QTest::keyClick(&shown.memo, Qt::Key_Backspace);
        QCOMPARE(colouredParts(shown.memo, 0), std::vector<Coloured>{});  // "pint a"
        shown.memo.undo();
        shown.memo.undo();
        QCOMPARE(shown.memo.document()->firstBlock().text(), QString("int a"));
        QCOMPARE(colouredParts(shown.memo, 0), (std::vector<Coloured>{{0, 3, Qt::red}}));
    }

    void linesBelowTheViewAreLeftAloneUntilScrolledTo() {
        ShownMemo shown(QString("int x;\n").repeated(2000), 120);
        int vScrolls = 0;
        shown.memo.setOnVScroll([&](KeywordEditor* sender) {
            QCOMPARE(sender, &shown.memo);
            ++vScrolls;
        });
        QVERIFY(!colouredParts(shown.memo, 0).empty());
        QVERIFY(colouredParts(shown.memo, 1500).empty());

        shown.memo.verticalScrollBar()->setValue(1495);
        QVERIFY(vScrolls > 0);
        QVERIFY(!colouredParts(shown.memo, 1500).empty());
        QVERIFY(colouredParts(shown.memo, 1800).empty());
    }

    void navigationKeyCollapsesTheSelectionToItsEnd() {
        ShownMemo shown("abcdefgh");
        std::vector<std::pair<int, bool>> seenByKeyDown;
        shown.memo.setOnKeyDown([&](KeywordEditor* sender, int key, Qt::KeyboardModifiers) {
            if (key != Qt::Key_Left) return;
            seenByKeyDown.emplace_back(sender->textCursor().position(),
                                       sender->textCursor().hasSelection());
        });
        for (auto [anchor, position] : {std::pair{2, 6}, std::pair{6, 2}}) {
            QTextCursor cursor = shown.memo.textCursor();
            cursor.setPosition(anchor);
            cursor.setPosition(position, QTextCursor::KeepAnchor);
            shown.memo.setTextCursor(cursor);
            QTest::keyClick(&shown.memo, Qt::Key_Left);
            QCOMPARE(shown.memo.textCursor().position(), 5);
            QVERIFY(!shown.memo.textCursor().hasSelection());
        }
        QCOMPARE(seenByKeyDown, (std::vector<std::pair<int, bool>>{{6, false}, {6, false}}));

        // With Shift the key extends the selection as usual.
        QTextCursor cursor = shown.memo.textCursor();
        cursor.setPosition(2);
        cursor.setPosition(6, QTextCursor::KeepAnchor);
        shown.memo.setTextCursor(cursor);
        QTest::keyClick(&shown.memo, Qt::Key_Left, Qt::ShiftModifier);
        QCOMPARE(shown.memo.textCursor().selectionStart(), 2);
        QCOMPARE(shown.memo.textCursor().selectionEnd(), 5);
    }

    void leftClickRecoloursTheViewThenTellsTheHandler() {
        ShownMemo shown("int a\nint b");
        shown.memo.setKeyColor(Qt::blue);
        QColor colourWhenTold;
        shown.memo.setOnMouseDown(
            [&](KeywordEditor* sender, Qt::MouseButton button, Qt::KeyboardModifiers, QPoint) {
                QCOMPARE(button, Qt::LeftButton);
                colourWhenTold = lineColour(*sender, 1);
            });
        QTest::mouseClick(shown.memo.viewport(), Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(colourWhenTold, QColor(Qt::blue));
    }

    void eventModeColoursWhatTheHandlerSupplies() {
        ShownMemo shown("first line\n\nthird");
        shown.memo.setKeyDrawingType(tz::ColourHandlerRanges);
        shown.memo.setKeyColor(Qt::blue);
        shown.memo.colourKeywords(false);
        QVERIFY(colouredParts(shown.memo, 0).empty());  // no handler: nothing

        QStringList linesAsked;
        shown.memo.setOnDrawLine(
            [&](KeywordEditor* sender, const QString& line, tz::KeyRangeTable& A) {
                QCOMPARE(sender, &shown.memo);
                linesAsked << line;
                A[0] = {1, 5, qRgb(0, 128, 0)};
                A[1] = {7, 8, 0};
            });
        shown.memo.colourKeywords(false);
        QCOMPARE(linesAsked, (QStringList{"first line", "third"}));  // empty lines are skipped
        QCOMPARE(colouredParts(shown.memo, 0),
                 (std::vector<Coloured>{{0, 5, QColor(0, 128, 0)}, {6, 2, Qt::blue}}));
        QCOMPARE(colouredParts(shown.memo, 2), (std::vector<Coloured>{{0, 5, QColor(0, 128, 0)}}));
    }

    void hiddenOrDisabledMemoColoursNothing() {
        KeywordEditor hidden;
        hidden.setKeyDrawingType(tz::ColourKeywords);
        hidden.setKeywords({"int"});
        hidden.setPlainText("int a");
        hidden.colourKeywords(false);
        QVERIFY(colouredParts(hidden, 0).empty());

        ShownMemo shown("int a");
        shown.memo.setEnabled(false);
        shown.memo.setKeyColor(Qt::blue);
        shown.memo.colourKeywords(false);
        QCOMPARE(lineColour(shown.memo, 0), QColor(Qt::red));
    }

    void mainWindowBodyEditorColoursJavaAsYouType() {
        StartedProgram started;
        auto* editor = started.program->mainWindow().findChild<KeywordEditor*>("this");
        QVERIFY(editor);
        QCOMPARE(editor->keywords(), tz::javaKeywords());
        QCOMPARE(editor->keywords().size(), 126);
        QCOMPARE(editor->keywords().front(), QString("drawLine"));
        QCOMPARE(editor->keywords().back(), QString("getSelectedIndex()"));
        QCOMPARE(editor->colouringMode(), tz::ColourKeywords);
        QVERIFY(editor->keyCase());
        QCOMPARE(editor->keyColor(), QColor(Qt::blue));
        QCOMPARE(editor->keyBrushColor(), QColor(Qt::white));
        QCOMPARE(editor->lineWrapMode(), QPlainTextEdit::WidgetWidth);
        QCOMPARE(editor->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);

        editor->setFocus();
        editor->selectAll();
        QTest::keyClicks(editor, "for (int i=0;\tInt");
        QCOMPARE(editor->toPlainText(), QString("for (int i=0;\tInt"));
        QCOMPARE(colouredParts(*editor, 0),
                 (std::vector<Coloured>{{0, 3, Qt::blue}, {5, 3, Qt::blue}}));

        // A line long enough to wrap is still one line for the caret display.
        QTest::keyClicks(editor, QString(" while").repeated(60));
        auto* xy = started.program->mainWindow().findChild<QLabel*>("xy");
        QCOMPARE(xy->text(), QString("Line: 1"));
        QTest::keyClick(editor, Qt::Key_Return);
        QCOMPARE(xy->text(), QString("Line: 2"));
    }
};

QTEST_MAIN(KeywordEditorTest)
#include "tst_keywordeditor.moc"
