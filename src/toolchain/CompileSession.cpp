#include "toolchain/CompileSession.h"

#include <QFileInfo>

#include "platform/SafeFile.h"
#include "platform/TextBytes.h"
#include "settings/SettingsFile.h"
#include "toolchain/BuildFiles.h"
#include "toolchain/ProcessRunner.h"
#include "toolchain/RunFolder.h"
#include "toolchain/WarmCompiler.h"

namespace tz {

namespace {

std::optional<QString> writeBuildFile(const QString& path, const std::string& bytes) {
    if (const auto error = saveFileInItsFolder(storedLine(path), bytes)) return displayLine(*error);
    return std::nullopt;
}

void tell(const std::function<void(const QString&)>& progress, const QString& text) {
    if (progress) progress(text);
}

}  // namespace

CompileSession::CompileSession(QString javaBin, std::string settingsPath)
    : javaBin_(std::move(javaBin)), settingsPath_(std::move(settingsPath)) {}

CompileSession::~CompileSession() = default;

void CompileSession::startWarmCompiler() {
    if (warmCompilerChosen_) return;
    warmCompilerChosen_ = true;
    if (!readWarmCompiler(settingsPath_)) {
        // Nor does this program's javac use a service another one started.
        qputenv("TZ_WARM_COMPILER", "0");
        return;
    }
    warmCompiler_ = std::make_unique<WarmCompiler>(javaBin_ + "/compileservice");
    warmCompiler_->keepRunning();
}

QString CompileSession::lastFolder() const {
    return folder_ ? folder_->path() : QString();
}

CompilerRun CompileSession::run(const std::string& javaSourcePath, bool optimize,
                                const CompileSteps& steps) {
    CompilerRun run;
    // The last compile's folder is kept for the user until this one.
    folder_.reset();
    QString error;
    folder_ = makeRunFolder(error);
    if (!folder_) return {error, {}, {}};
    // Held here too: an Ext. Compile meanwhile must not take it away.
    const auto folder = folder_;
    const QString work = folder->path() + "/";
    if (const auto error = writeBuildFile(work + "byt.txt", compilerOutputPadding()))
        return {*error, {}, {}};
    tell(steps.progress, "Compiling project...");
    if (const auto error = writeBuildFile(work + "javac.bat", javacBatch(optimize)))
        return {*error, {}, {}};
    tell(steps.progress, "Compiling...");
    run.exitCode = runAndWait(
        javaBin_ + "/javac.pif", {displayLine(javaSourcePath)}, work,
        steps.frame ? steps.frame : [](int) {});
    if (!run.exitCode) return run;  // the program is quitting
    // A service that has gone (killed, idle) serves the next compile again.
    if (warmCompiler_) warmCompiler_->keepRunning();
    std::string unread;
    if (auto bytes = loadFileBytes(storedLine(work + "tst.txt"), unread))
        run.output = std::move(*bytes);
    else
        run.error = displayLine(unread);
    return run;
}

QString memoText(const QString& text) {
    QString memo = text;
    memo.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    for (const QChar breaking :
         {QChar('\r'), QChar(QChar::ParagraphSeparator), QChar(0xfdd0), QChar(0xfdd1)})
        memo.replace(breaking, QLatin1Char('\n'));
    memo.replace(QChar(QChar::Nbsp), QLatin1Char(' '));
    return memo;
}

QString withLineAdded(const QString& memo, const QString& line) {
    return memo.isEmpty() ? memoText(line) : memo + "\n" + memoText(line);
}

std::optional<ErrorPlace> errorPlaceIn(const QString& memo, const SourceLineMap& lines,
                                       const std::string& javaSourcePath) {
    const std::string sourceName = storedLine(QFileInfo(displayLine(javaSourcePath)).fileName());
    return findErrorPlace(storedText(memo), lines, sourceName);
}

CompileReport reportCompile(const CompilerRun& run, const std::string& javaSourcePath,
                            const SourceLineMap& lines) {
    CompileReport report;
    const std::string& output = run.output;
    report.messages = memoText(displayText(output));
    // A compiler that did not end well failed, whatever it printed.
    report.failed = compileFailed(output) || run.exitCode.value_or(-1) != 0;
    if (!report.failed) {
        report.messages =
            memoText("The file " + displayLine(javaSourcePath) + " was compiled SUCCESFULLY");
        return report;
    }
    const std::string sourceName = storedLine(QFileInfo(displayLine(javaSourcePath)).fileName());
    report.place = findErrorPlace(storedText(report.messages), lines, sourceName);
    // Without a place the compiler's own text is all there is: it stays.
    if (report.place) report.messages = memoText(displayText(report.place->shownOutput));
    // Said after what the compiler said, if it said anything.
    if (const auto note = compilerStatusNote(*run.exitCode, output); !note.empty())
        report.messages = compileFailed(output) ? withLineAdded(report.messages, displayLine(note))
                                                : memoText(displayLine(note));
    return report;
}

}  // namespace tz
