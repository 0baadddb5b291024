#include "project/CommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <cstdio>
#include <optional>

#include "document/ProjectDocument.h"
#include "platform/SafeFile.h"
#include "platform/TextBytes.h"
#include "toolchain/CompileSession.h"

namespace tz {

void keepToolkitNotesOffStandardError() {
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtFatalMsg) std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    });
}

CommandLine parseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Builds Java applets visually. With a project file, opens it; with --export-java, "
        "--import-java, --compile or --export-jar, works with no window and exits with 0 when "
        "done, 1 when "
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
    const QCommandLineOption jarOption(
        "export-jar",
        "Compiles PROJECT.tzp and writes the applet, its pictures and the applet runner to "
        "OUT.jar, which java -jar runs; after a failed compile prints where the first error is.");
    parser.addOption(exportOption);
    parser.addOption(importOption);
    parser.addOption(compileOption);
    parser.addOption(jarOption);
    parser.addPositionalArgument("files",
                                 "PROJECT.tzp | PROJECT.tzp OUT.java | IN.java OUT.tzp | "
                                 "PROJECT.tzp OUT.jar",
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
    const bool packing = parser.isSet(jarOption);
    if (int(exporting) + int(importing) + int(compiling) + int(packing) > 1) {
        line.mode = RunMode::WrongCommandLine;
        line.text = "--export-java, --import-java, --compile and --export-jar exclude each other.";
    } else if (compiling) {
        line.mode = files.size() == 1 ? RunMode::Compile : RunMode::WrongCommandLine;
        line.text = "Expected one project file.";
    } else if (exporting || importing || packing) {
        line.mode = files.size() != 2 ? RunMode::WrongCommandLine
                    : exporting       ? RunMode::ExportJava
                    : importing       ? RunMode::ImportJava
                                      : RunMode::ExportJar;
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

RunMode runModeOf(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    return parseCommandLine(arguments).mode;
}

namespace {

void printLine(std::FILE* stream, const QString& text) {
    std::fprintf(stream, "%s\n", text.toLocal8Bit().constData());
}

// A message that reports a problem ends the run; a note has no place to go.
bool printReport(const Outcome& outcome) {
    if (outcome.ok()) return true;
    printLine(stderr, outcome.line());
    return false;
}

bool answerNo(const std::string& question) {
    printLine(stderr, Outcome::note(displayLine(question)).line());
    return false;
}

std::function<bool()> generated(ProjectDocument& document) {
    return [&document] { return document.generateFor(answerNo, printReport); };
}

bool opened(ProjectDocument& document, const QString& path) {
    return printReport(document.open(path));
}

// Writing the output would replace the input; reported, and nothing is written.
bool inputIsOutput(const CommandLine& commandLine) {
    if (commandLine.output.isEmpty() ||
        !sameFile(storedLine(commandLine.input), storedLine(commandLine.output)))
        return false;
    return !printReport(
        Outcome::error(QString("%1 is the input file; it cannot be the output file too.")
                           .arg(commandLine.output)));
}

bool imported(ProjectDocument& document, const QString& source) {
    const ImportOutcome outcome = document.importJava(source);
    if (outcome.outcome.kind == Outcome::Kind::Note) printLine(stderr, outcome.outcome.line());
    return printReport(outcome.outcome);
}

// The message memo's text and the error's place at the end of a compile.
struct CompileEnd {
    QString memo;
    std::optional<ErrorPlace> place;
};

// nullopt when a message ended the run.
std::optional<CompileEnd> compiled(ProjectDocument& document, CompileSession& session) {
    const auto writeSource = [&document] {
        return printReport(document.writeSource(displayLine(document.project().javaSourcePath)));
    };
    if (!document.prepareCompile(generated(document), writeSource, printReport))
        return std::nullopt;
    session.startWarmCompiler();
    CompileEnd end;
    const CompilerRun run =
        session.run(document.project().javaSourcePath, document.options().optimize,
                    {.progress = [&end](const QString& text) { end.memo = text; }, .frame = {}});
    if (run.quitting()) return end;
    if (!printReport(run.error.isEmpty() ? Outcome::done() : Outcome::error(run.error)))
        return std::nullopt;
    const auto report = document.takeCompilerRun(run, printReport);
    if (!report) return std::nullopt;
    return CompileEnd{report->messages, report->place};
}

// Prints the memo, and where a failed compile led.
int reportedCompile(const ProjectDocument& document, const CompileEnd& end, bool done) {
    printLine(stdout, end.memo);
    if (!document.project().compileFailed) return done ? 0 : 1;
    if (const auto& place = end.place)
        std::fprintf(stdout, "at class %d, slot %d, line %d\n", place->classIndex, place->slot,
                     place->bodyLine);
    return 1;
}

int compileProject(ProjectDocument& document, CompileSession& session, const QString& project) {
    if (!opened(document, project)) return 1;
    const auto end = compiled(document, session);
    return end ? reportedCompile(document, *end, true) : 1;
}

int exportJar(ProjectDocument& document, CompileSession& session, const QString& project,
              const QString& jar, const std::function<bool(const std::string&)>& isPicture) {
    // Refused before the compile, which would be for nothing.
    if (!opened(document, project) || !printReport(document.jarOutputCheck(jar))) return 1;
    const ClassStamps before = classStamps(document.project().javaSourcePath);
    document.project().compileFailed = true;
    const auto end = compiled(document, session);
    if (!end) return 1;
    if (document.project().compileFailed) return reportedCompile(document, *end, false);
    const JarWritten written = document.writeJar(jar, before, session.javaBin(), isPicture);
    if (!printReport(written.outcome)) return 1;
    return reportedCompile(document, {memoText(written.lines.join('\n')), {}}, true);
}

}  // namespace

int runWithoutWindows(const CommandLine& commandLine, const QString& programDirectory,
                      const std::function<bool(const std::string&)>& isPicture) {
    if (inputIsOutput(commandLine)) return 1;
    ProjectDocument document;
    CompileSession session(programDirectory + "java/bin", std::string());
    const QString& in = commandLine.input;
    const QString& out = commandLine.output;
    switch (commandLine.mode) {
        case RunMode::ExportJava:
            return opened(document, in) &&
                           document.exportJava(out, generated(document), printReport)
                       ? 0
                       : 1;
        case RunMode::ImportJava:
            return imported(document, in) && printReport(document.save(out)) ? 0 : 1;
        case RunMode::ExportJar:
            return exportJar(document, session, in, out, isPicture);
        default:
            return compileProject(document, session, in);
    }
}

}  // namespace tz
