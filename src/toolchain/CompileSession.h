#pragma once
// One program's compiles with the Java layer: the warm compile service, a
// fresh working folder per compile (kept until the next one) with its batch
// file, the javac.pif run and the compiler's captured output.
#include <QString>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "codegen/SourceLines.h"
#include "toolchain/CompilerMessages.h"

namespace tz {

class WarmCompiler;

struct CompilerRun {
    // Why the compiler did not run or its output cannot be read; the
    // program was asked to quit when neither this nor exitCode is set.
    QString error;
    std::optional<int> exitCode;
    std::string output;
    bool quitting() const { return error.isEmpty() && !exitCode; }
};

struct CompileSteps {
    // Each step's line for the message memo.
    std::function<void(const QString&)> progress;
    // The busy animation's frames while the compiler runs.
    std::function<void(int frame)> frame;
};

class CompileSession {
  public:
    // javaBin: the Java layer's folder; settingsPath: the settings file that
    // chooses the warm compiler, empty for none.
    CompileSession(QString javaBin, std::string settingsPath);
    ~CompileSession();
    CompileSession(const CompileSession&) = delete;
    CompileSession& operator=(const CompileSession&) = delete;

    const QString& javaBin() const { return javaBin_; }
    // Once: the warm compile service, unless the settings turn it off (then
    // the compiles of this program use none).
    void startWarmCompiler();
    CompilerRun run(const std::string& javaSourcePath, bool optimize, const CompileSteps& steps);
    // The last compile's working folder; empty before the first.
    QString lastFolder() const;

  private:
    QString javaBin_;
    std::string settingsPath_;
    bool warmCompilerChosen_ = false;
    std::unique_ptr<WarmCompiler> warmCompiler_;
    std::shared_ptr<QTemporaryDir> folder_;
};

// The message memo's text after a compile, and where its first error is.
struct CompileReport {
    bool failed = true;
    QString messages;
    std::optional<ErrorPlace> place;
};
// The first error's place in the compiler's output as the memo shows it.
std::optional<ErrorPlace> errorPlaceIn(const QString& memo, const SourceLineMap& lines,
                                       const std::string& javaSourcePath);
// What a compile's output says: the compiler's text up to its first error
// and that error's place, the status note, or the success line.
CompileReport reportCompile(const CompilerRun& run, const std::string& javaSourcePath,
                            const SourceLineMap& lines);
// text as a plain-text memo holds it: every line break a line feed.
QString memoText(const QString& text);
// The memo's text with line added as its last paragraph.
QString withLineAdded(const QString& memo, const QString& line);

}  // namespace tz
