#include "project/ui/BatchRun.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QGuiApplication>
#include <cstdio>

#include "platform/SafeFile.h"
#include "platform/TextBytes.h"
#include "platform/ui/ErrorBox.h"
#include "project/ui/Program.h"
#include "project/ui/Tzjava.h"

namespace tz {

bool startsWithoutDisplay(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    if (parseCommandLine(arguments).mode != RunMode::Gui) return true;
    // The toolkit would stop the program at once without one.
    return qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") &&
           qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

bool hasDisplay() {
    const QString platform = QGuiApplication::platformName();
    return platform != "offscreen" && platform != "minimal";
}

void keepToolkitNotesOffStandardError() {
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtFatalMsg) std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    });
}

CommandLine parseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Builds Java applets visually. With a project file, opens it; with --export-java, "
        "--import-java or --compile, works with no window and exits with 0 when done, 1 when "
        "a message stopped the run or the compile failed, 2 for a wrong command line or "
        "when there is no display for the program's windows.");
    // The toolkit's options are no part of this program's command line.
    const QCommandLineOption helpOption({"h", "help", "?", "help-all"},
                                        "Displays help on commandline options.");
    parser.addOption(helpOption);
    const QCommandLineOption versionOption = parser.addVersionOption();
    const QCommandLineOption exportOption("export-java",
                                          "Writes the Java source of PROJECT.tzp to OUT.java.");
    const QCommandLineOption importOption("import-java",
                                          "Writes the project imported from IN.java to OUT.tzp.");
    const QCommandLineOption compileOption(
        "compile",
        "Compiles PROJECT.tzp and prints the result; after a failed compile also "
        "where the first error is.");
    parser.addOption(exportOption);
    parser.addOption(importOption);
    parser.addOption(compileOption);
    parser.addPositionalArgument("files", "PROJECT.tzp | PROJECT.tzp OUT.java | IN.java OUT.tzp",
                                 "[files...]");

    CommandLine line;
    line.usage = parser.helpText();
    if (!parser.parse(arguments)) {
        line.mode = RunMode::WrongCommandLine;
        line.text = parser.errorText();
        return line;
    }
    if (parser.isSet(helpOption)) {
        line.mode = RunMode::Help;
        line.text = line.usage;
        return line;
    }
    if (parser.isSet(versionOption)) {
        line.mode = RunMode::Version;
        line.text =
            QCoreApplication::applicationName() + " " + QCoreApplication::applicationVersion();
        return line;
    }
    const QStringList files = parser.positionalArguments();
    const bool exporting = parser.isSet(exportOption);
    const bool importing = parser.isSet(importOption);
    const bool compiling = parser.isSet(compileOption);
    if (int(exporting) + int(importing) + int(compiling) > 1) {
        line.mode = RunMode::WrongCommandLine;
        line.text = "--export-java, --import-java and --compile exclude each other.";
    } else if (compiling) {
        line.mode = files.size() == 1 ? RunMode::Compile : RunMode::WrongCommandLine;
        line.text = "Expected one project file.";
    } else if (exporting || importing) {
        line.mode = files.size() == 2 ? (exporting ? RunMode::ExportJava : RunMode::ImportJava)
                                      : RunMode::WrongCommandLine;
        line.text = "Expected an input file and an output file.";
    } else {
        line.mode = files.size() <= 1 ? RunMode::Gui : RunMode::WrongCommandLine;
        line.text = "Expected at most one project file.";
    }
    if (line.mode != RunMode::WrongCommandLine) line.text.clear();
    // As a file dialog would give it: the paths shown and derived are absolute.
    if (!files.isEmpty()) line.input = QFileInfo(files.first()).absoluteFilePath();
    if (files.size() == 2) line.output = files.at(1);
    return line;
}

namespace {

// Prints the message memo's last text, and where a failed compile led.
int compileInBatch(Tzjava& zjava, const QString& project) {
    if (!zjava.openProjectFile(project)) return 1;
    zjava.Compile1Click();
    std::fprintf(stdout, "%s\n", zjava.messText().toLocal8Bit().constData());
    if (!zjava.project().compileFailed) return 0;
    if (const auto& place = zjava.lastErrorPlace())
        std::fprintf(stdout, "at class %d, slot %d, line %d\n", place->classIndex, place->slot,
                     place->bodyLine);
    return 1;
}

// Writing the output would replace the input; reported, and nothing is written.
bool inputIsOutput(const CommandLine& commandLine) {
    if (commandLine.output.isEmpty() ||
        !sameFile(storedLine(commandLine.input), storedLine(commandLine.output)))
        return false;
    reportError(
        nullptr,
        QString("%1 is the input file; it cannot be the output file too.").arg(commandLine.output));
    return true;
}

}  // namespace

int runBatch(const CommandLine& commandLine, const QString& programDirectory) {
    setBatchMode(true);
    // No settings path: nothing is read from or written to a settings file.
    Program program(programDirectory, QString());
    Tzjava& zjava = program.zjava();
    try {
        if (inputIsOutput(commandLine)) return 1;
        switch (commandLine.mode) {
            case RunMode::ExportJava:
                return zjava.openProjectFile(commandLine.input) &&
                               zjava.exportJava(commandLine.output)
                           ? 0
                           : 1;
            case RunMode::ImportJava:
                return zjava.importJava(commandLine.input) && zjava.SaveProject(commandLine.output)
                           ? 0
                           : 1;
            default:
                return compileInBatch(zjava, commandLine.input);
        }
    } catch (const BatchStop&) {
        return 1;
    }
}

}  // namespace tz
