#pragma once
// The project being worked on, with no window: the class table, the design
// objects, the options, the file paths, the generated source and the bytes
// as last saved. Its commands return what happened instead of showing it.
#include <QObject>
#include <QString>
#include <QStringList>
#include <optional>
#include <string>
#include <vector>

#include "codegen/ImageCheck.h"
#include "codegen/SourceLines.h"
#include "document/DesignModel.h"
#include "document/Outcome.h"
#include "project/Project.h"
#include "project/ProjectFile.h"
#include "project/Scanner.h"
#include "settings/ProjectOptions.h"
#include "toolchain/CompileSession.h"
#include "toolchain/JarExport.h"

namespace tz {

// The options as the options dialog holds them: a colour it does not list
// becomes the default one, the parameter grid keeps at least one row, and
// texts pass through its cells.
ProjectOptions optionsAsShown(const ProjectOptions& options);

struct ScanOutcome {
    Outcome outcome;  // the refusal, or a note where the source ended early
    std::vector<ScanTreeItem> treeItems;
};

struct ImportSteps {
    // How many lines were read, every few milliseconds and at the end.
    std::function<void(std::size_t lines)> linesRead;
    // The source is read; the scan starts.
    std::function<void()> scanStarting;
    ScanProgress scanned;
};

struct ImportOutcome {
    Outcome outcome;
    std::size_t lines = 0;
    std::vector<ScanTreeItem> treeItems;
};

struct JarWritten {
    Outcome outcome;
    QStringList lines;  // for the message memo
};

class ProjectDocument : public QObject {
    Q_OBJECT
  public:
    ProjectDocument();

    Project& project() { return project_; }
    const Project& project() const { return project_; }
    DesignModel& design() { return design_; }
    const DesignModel& design() const { return design_; }
    const ProjectOptions& options() const { return options_; }
    // The options as the last opened file held them, before the dialog's rules.
    const ProjectOptions& optionsAsRead() const { return optionsAsRead_; }
    void setOptions(const ProjectOptions& options);
    // The generated or imported Java source, and where each generated line
    // came from (empty for imported source).
    const std::string& source() const { return source_; }
    const SourceLineMap& sourceLines() const { return sourceLines_; }
    void clearSource();
    // Views that hold edits back (typing a long body is slow if every key
    // stores it) hand them in: every command calls this before it reads.
    void takePendingEdits() { Q_EMIT pendingEditsWanted(); }
    // The note of the last Java source write that kept the file it replaced.
    const QString& backupNote() const { return backupNote_; }
    void clearBackupNote() { backupNote_.clear(); }

    // An undo or redo changed the class table or the current slot.
    void noteClassTableRestored();

    ProjectFileContent content() const;
    // Derived, not tracked: whatever changed the project, the file would differ.
    bool isModified() const;
    void markSaved();
    // Typed text changed the project: modified, without comparing bytes at
    // every key.
    void noteTextEdited();
    void setProjectPath(const QString& path);

    // The start-up project: the default classes, no objects, the default
    // options and applet size, untitled and saved.
    void startNew();
    Outcome open(const QString& path);
    // Writes the project file; the Java source is then named after its class.
    Outcome save(const QString& path);
    // The source's lines end in CR LF; a refused source changes nothing.
    ImportOutcome importJava(const QString& path, const ImportSteps& steps = {});
    // Rebuilds the class table from the source; sourceFile names it in messages.
    ScanOutcome restructure(const QString& sourceFile, const ScanProgress& scanned = {});
    // A paint declaration message keeps the partial source: callers may go on.
    Outcome generate(const CopyQuestion& askCopy);
    Outcome writeSource(const QString& path);
    // Generates, reporting what the generator says; false when the command
    // must stop.
    bool generateFor(const CopyQuestion& askCopy, const Reporter& report);
    // generateCode: false when the command must stop.
    bool exportJava(const QString& path, const std::function<bool()>& generateCode,
                    const Reporter& report);

    // Compiling: the line-break check, the source generated and written
    // (saveSource), the compiler run, and its report; the project's compile
    // flag follows it.
    bool prepareCompile(const std::function<bool()>& generateCode,
                        const std::function<bool()>& saveSource, const Reporter& report);
    // The error's class and slot become current; an error when the project
    // does not hold them.
    Outcome goToErrorPlace(const ErrorPlace& place);
    // A place the project does not hold is reported and not kept; nullopt
    // when the report stopped the command.
    std::optional<CompileReport> takeCompilerRun(const CompilerRun& run, const Reporter& report);
    Outcome jarOutputCheck(const QString& path) const;
    JarWritten writeJar(const QString& path, const ClassStamps& before, const QString& javaBin,
                        const std::function<bool(const std::string&)>& isPicture) const;

  Q_SIGNALS:
    void pendingEditsWanted();
    void documentReset();
    // Open or Import Java made it another project: earlier steps are void.
    void replaced();
    void filePathChanged();
    // The project was read from or written to the project file at path.
    void projectFileUsed(const QString& path);
    void optionsChanged();
    void classTableChanged();
    // An undo or redo put the class table, a declaration or the current slot back.
    void classTableRestored();
    void currentSlotChanged();
    void modifiedChanged(bool modified);

  private:
    void noteModification();
    // The objects of one step change one by one: they are compared once,
    // when the step is done.
    void noteObjectModification();
    bool keepOriginalSource(const QString& path, QString& copiedTo, Outcome& failure);

    Project project_;
    DesignModel design_;
    ProjectOptions options_;
    ProjectOptions optionsAsRead_;
    std::string source_;
    SourceLineMap sourceLines_;
    std::string savedBytes_;
    bool wasModified_ = false;
    bool objectCheckPending_ = false;
    QString backupNote_;
};

}  // namespace tz
