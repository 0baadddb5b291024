#include <pwd.h>
#include <unistd.h>

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <cstdio>

#include "app/BatchRun.h"
#include "app/FileCommands.h"
#include "app/Program.h"
#include "designer/ui/PictureSource.h"
#include "platform/ProcessSignals.h"
#include "platform/Version.h"
#include "platform/ui/FontConfigurationLoad.h"
#include "toolchain/RunFolder.h"

namespace {

void printTo(std::FILE* stream, const QString& text) {
    std::fprintf(stream, "%s\n", text.trimmed().toLocal8Bit().constData());
}

// Without XDG_RUNTIME_DIR the toolkit makes itself a runtime folder in the
// temporary folder at start; one it made goes again at the end when empty.
struct ToolkitRuntimeFolder {
    QString made;
    ToolkitRuntimeFolder() {
        const passwd* user = getpwuid(geteuid());
        if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR") || user == nullptr) return;
        const QString folder =
            QDir::tempPath() + "/runtime-" + QString::fromLocal8Bit(user->pw_name);
        if (!QFileInfo::exists(folder)) made = folder;
    }
    ~ToolkitRuntimeFolder() {
        if (!made.isEmpty()) QDir().rmdir(made);
    }
};

bool isWindowlessCommand(tz::RunMode mode) {
    return mode == tz::RunMode::ExportJava || mode == tz::RunMode::ImportJava ||
           mode == tz::RunMode::Compile || mode == tz::RunMode::ExportJar;
}

int runCommand(const tz::CommandLine& commandLine, const QString& programDirectory) {
    tz::quitOnStopSignals();
    const int status = tz::runWithoutWindows(commandLine, programDirectory, isAppletPicture);
    // The compile's processes and folder are gone by now.
    if (const int signal = tz::receivedStopSignal()) tz::endBySignal(signal);
    return status;
}

// The commands work on the project alone: no window system is loaded.
int runWithoutWindowSystem(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    tz::keepToolkitNotesOffStandardError();
    const tz::CommandLine commandLine = tz::parseCommandLine(QCoreApplication::arguments());
    // Left by a program that was killed.
    tz::removeStaleRunFolders();
    return runCommand(commandLine, QCoreApplication::applicationDirPath() + "/");
}

}  // namespace

int main(int argc, char* argv[]) {
    tz::ignoreFileSizeSignal();
    QCoreApplication::setApplicationName("Tarvelo Zuva");
    QCoreApplication::setApplicationVersion(tz::programVersion());
    if (isWindowlessCommand(tz::runModeOf(argc, argv))) return runWithoutWindowSystem(argc, argv);
    const ToolkitRuntimeFolder runtimeFolder;
    // Only the program's windows need a display.
    if (tz::startsWithoutDisplay(argc, argv)) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        tz::keepToolkitNotesOffStandardError();
    }
    // The menu bar is part of the main window's design; asking the desktop
    // for a menu bar of its own would also wait on the session bus at start.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    tz::FontConfigurationLoad fontConfiguration;
    QApplication application(argc, argv);
    fontConfiguration.finish();
    // Lets desktops match the windows to the installed menu entry and icon.
    QGuiApplication::setDesktopFileName("org.tarvelo.zuva");
    const QString programDirectory = QApplication::applicationDirPath() + "/";

    const tz::CommandLine commandLine = tz::parseCommandLine(QApplication::arguments());
    // Left by a program that was killed.
    tz::removeStaleRunFolders();
    switch (commandLine.mode) {
        case tz::RunMode::Help:
        case tz::RunMode::Version:
            printTo(stdout, commandLine.text);
            return 0;
        case tz::RunMode::WrongCommandLine:
            printTo(stderr, commandLine.text + "\n\n" + commandLine.usage);
            return tz::WrongCommandLineStatus;
        case tz::RunMode::ExportJava:
        case tz::RunMode::ImportJava:
        case tz::RunMode::Compile:
        case tz::RunMode::ExportJar:
            // A command whose line held the toolkit's own options.
            return runCommand(commandLine, programDirectory);
        case tz::RunMode::Gui:
            // Windows nobody can see would wait for ever.
            if (!tz::hasDisplay()) {
                printTo(stderr, "The program's windows need a display, and there is none.\n\n" +
                                    commandLine.usage);
                return tz::WrongCommandLineStatus;
            }
            break;
    }
    Program program(programDirectory, Program::settingsPathFor(programDirectory));
    program.show();
    if (!commandLine.input.isEmpty()) program.fileCommands().openProjectFile(commandLine.input);
    return QApplication::exec();
}
