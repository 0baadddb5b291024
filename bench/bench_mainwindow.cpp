// Typing into the main window's body editor: each keystroke also goes into
// the class table, which must not make typing slow in a long body.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTextBlock>
#include <chrono>

#include "app/MainWindow.h"
#include "app/Program.h"

namespace {

std::string bodyOf(int lineCount) {
    std::string body;
    for (int i = 0; i < lineCount; ++i)
        body += "        for (int i = 0; i < width; i++) g.drawLine(i, 0, i, height);\r\n";
    return body;
}

void BM_TypeIntoBody(benchmark::State& state) {
    QTemporaryDir folder;
    Program program(folder.path() + "/", QString());
    program.show();
    MainWindow& mainWindow = program.mainWindow();
    program.document().project().setBody(1, 0, bodyOf(int(state.range(0))));
    mainWindow.showMethodTabs(1, 0);
    auto* editor = mainWindow.findChild<QPlainTextEdit*>("this");
    QTextCursor cursor(editor->document()->findBlockByNumber(editor->blockCount() / 2));
    cursor.movePosition(QTextCursor::EndOfBlock);
    editor->setTextCursor(cursor);
    editor->centerCursor();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        QKeyEvent press(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, "x");
        QApplication::sendEvent(editor, &press);
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        QKeyEvent back(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
        QApplication::sendEvent(editor, &back);
    }
}

}  // namespace

BENCHMARK(BM_TypeIntoBody)->Arg(1)->Arg(10000)->UseManualTime()->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
