#pragma once
// The command line: a project to open in the program, or a batch run that
// exports or imports Java with no window and no settings file.
#include <QString>
#include <QStringList>

namespace tz {

enum class RunMode { Gui, ExportJava, ImportJava, Compile, Help, Version, WrongCommandLine };

struct CommandLine {
    RunMode mode = RunMode::Gui;
    QString input;   // the project to open (Gui, ExportJava) or the Java source
    QString output;  // the Java source or project file written
    QString text;    // the help text, the version or why the line is wrong
    QString usage;   // the help text, shown after a wrong line
};

// Whether the program must start without a display: every command line but
// one that opens the program's windows, and that one too when there is no
// display, so that it can be refused with the usage. Decided before the
// application object exists, so that the platform can be chosen.
bool startsWithoutDisplay(int argc, char* argv[]);

// Whether the program's windows would be seen: the platform is a display.
bool hasDisplay();

// In a batch run standard error carries the program's messages alone:
// the toolkit's own notes are dropped.
void keepToolkitNotesOffStandardError();

// arguments as QCoreApplication::arguments() gives them.
CommandLine parseCommandLine(const QStringList& arguments);

// Runs an export, import or compile with no window; the exit status: 0
// done, 1 a message stopped the run or the compile failed.
int runBatch(const CommandLine& commandLine, const QString& programDirectory);

// Exit status of a wrong command line.
inline constexpr int WrongCommandLineStatus = 2;

}  // namespace tz
