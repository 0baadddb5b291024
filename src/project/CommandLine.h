#pragma once
// The command line: a project to open in the program's windows, or a run
// that exports, imports, compiles or packs with no window and no settings file.
#include <QString>
#include <QStringList>
#include <functional>
#include <string>

namespace tz {

enum class RunMode {
    Gui,
    ExportJava,
    ImportJava,
    Compile,
    ExportJar,
    Help,
    Version,
    WrongCommandLine
};

struct CommandLine {
    RunMode mode = RunMode::Gui;
    QString input;   // the project to open (Gui, ExportJava, ExportJar) or the Java source
    QString output;  // the Java source, project file or JAR written
    QString text;    // the help text, the version or why the line is wrong
    QString usage;   // the help text, shown after a wrong line
};

// arguments as QCoreApplication::arguments() gives them.
CommandLine parseCommandLine(const QStringList& arguments);
// The mode of the command line before an application object exists.
RunMode runModeOf(int argc, char* argv[]);

// Standard error carries the program's messages alone: the toolkit's own
// notes are dropped.
void keepToolkitNotesOffStandardError();

// Runs an export, import, compile or JAR export on the project alone, with
// no window: messages go to standard error as one line each, questions are
// answered No, and a message that reports a problem ends the run. The exit
// status: 0 done, 1 a message ended the run or the compile failed.
// isPicture tells the pictures a JAR may carry.
int runWithoutWindows(const CommandLine& commandLine, const QString& programDirectory,
                      const std::function<bool(const std::string&)>& isPicture);

// Exit status of a wrong command line.
inline constexpr int WrongCommandLineStatus = 2;

}  // namespace tz
