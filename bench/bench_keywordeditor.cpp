// Colouring cost of the body editor. Per keystroke the work must not grow
// with the text, and opening a long body must cost about what a plain
// editor costs: only the lines in view are ever coloured.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QTextBlock>
#include <chrono>

#include "project/ui/BodyEditor.h"

namespace {

const QStringList SampleLines = {
    "        for (int i = 0; i < width; i++) g.drawLine(i, 0, i, height);",
    "        if (label.getText().equals(\"Button 0\")) return true;",
    "        String name = new String(\"Tarvelo\");",
    "",
    "        while (running) { repaint(); Thread.sleep(100); }",
};

QString bodyOf(int lineCount) {
    QStringList lines;
    for (int i = 0; i < lineCount; ++i) lines << SampleLines[i % SampleLines.size()];
    return lines.join('\n');
}

template <typename Editor>
Editor* makeEditor();

template <>
QPlainTextEdit* makeEditor<QPlainTextEdit>() {
    auto* editor = new QPlainTextEdit;
    editor->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    editor->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    return editor;
}

template <>
KeywordEditor* makeEditor<KeywordEditor>() {
    return tz::createBodyEditor(nullptr);
}

template <typename Editor>
std::unique_ptr<Editor> shownEditor(const QString& text) {
    std::unique_ptr<Editor> editor(makeEditor<Editor>());
    editor->resize(600, 400);
    editor->setPlainText(text);
    editor->show();
    QCoreApplication::processEvents();
    return editor;
}

// Puts the caret at the end of the middle line and brings it into view.
void caretToMiddleLine(QPlainTextEdit& editor) {
    const QTextBlock middle = editor.document()->findBlockByNumber(editor.blockCount() / 2);
    QTextCursor cursor(middle);
    cursor.movePosition(QTextCursor::EndOfBlock);
    editor.setTextCursor(cursor);
    editor.centerCursor();
    QCoreApplication::processEvents();
}

void restoreLine(QPlainTextEdit& editor, const QString& text) {
    QTextCursor cursor = editor.textCursor();
    cursor.movePosition(QTextCursor::StartOfBlock);
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    cursor.insertText(text);
    editor.setTextCursor(cursor);
    QCoreApplication::processEvents();
}

void sendKey(QWidget& editor) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, "x");
    QApplication::sendEvent(&editor, &press);
}

// One typed character at the end of a line in the middle of the body;
// painted (as the event loop would) or not. Only the keystroke is timed; the
// line is set back now and then so that its length stays typical.
template <typename Editor, bool painted>
void BM_Keystroke(benchmark::State& state) {
    auto editor = shownEditor<Editor>(bodyOf(int(state.range(0))));
    caretToMiddleLine(*editor);
    const QString line = editor->textCursor().block().text();
    int typed = 0;
    for (auto _ : state) {
        if (++typed % 32 == 0) restoreLine(*editor, line);
        const auto start = std::chrono::steady_clock::now();
        sendKey(*editor);
        if (painted) QCoreApplication::processEvents();
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
}

// Recolouring the caret's line with a colour change, so that its formats
// really change and the line is laid out again.
void BM_RecolourCaretLine(benchmark::State& state) {
    auto editor = shownEditor<KeywordEditor>(bodyOf(int(state.range(0))));
    caretToMiddleLine(*editor);
    bool dark = false;
    for (auto _ : state) {
        editor->setKeyColor((dark = !dark) ? Qt::darkBlue : Qt::blue);
        editor->colourKeywords(true);
    }
}

template <typename Editor>
void BM_Open(benchmark::State& state) {
    auto editor = shownEditor<Editor>(QString());
    const QString body = bodyOf(int(state.range(0)));
    for (auto _ : state) {
        editor->setPlainText(body);
        editor->viewport()->repaint();
    }
}

}  // namespace

BENCHMARK(BM_RecolourCaretLine)->Arg(1)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_Keystroke, QPlainTextEdit, false)
    ->Arg(1)
    ->Arg(10000)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_Keystroke, KeywordEditor, false)
    ->Arg(1)
    ->Arg(10000)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_Keystroke, QPlainTextEdit, true)
    ->Arg(1)
    ->Arg(10000)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_Keystroke, KeywordEditor, true)
    ->Arg(1)
    ->Arg(10000)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_Open, QPlainTextEdit)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_Open, KeywordEditor)->Arg(10000)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
