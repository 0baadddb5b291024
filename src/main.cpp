#include <QApplication>
#include <cstdio>

#include "project/ui/BatchRun.h"
#include "project/ui/Program.h"
#include "project/ui/Tzjava.h"

namespace {

void printTo(std::FILE* stream, const QString& text) {
    std::fprintf(stream, "%s\n", text.trimmed().toLocal8Bit().constData());
}

}  // namespace

int main(int argc, char* argv[]) {
    // A batch run needs no display.
    if (tz::asksForBatch(argc, argv)) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        tz::keepToolkitNotesOffStandardError();
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName("Tarvelo Zuva");
    QApplication::setApplicationVersion("1.15");
    const QString programDirectory = QApplication::applicationDirPath() + "/";

    const tz::CommandLine commandLine = tz::parseCommandLine(QApplication::arguments());
    switch (commandLine.mode) {
        case tz::RunMode::Help:
        case tz::RunMode::Version:
            printTo(stdout, commandLine.text);
            return 0;
        case tz::RunMode::WrongCommandLine:
            printTo(stderr, commandLine.text + "\nTry --help for the command line.");
            return tz::WrongCommandLineStatus;
        case tz::RunMode::ExportJava:
        case tz::RunMode::ImportJava:
        case tz::RunMode::Compile:
        case tz::RunMode::ExportJar:
            return tz::runBatch(commandLine, programDirectory);
        case tz::RunMode::Gui:
            break;
    }
    Program program(programDirectory, Program::settingsPathFor(programDirectory));
    program.show();
    if (!commandLine.input.isEmpty()) program.zjava().openProjectFile(commandLine.input);
    return QApplication::exec();
}
