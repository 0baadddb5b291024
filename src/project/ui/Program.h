#pragma once
// The program's six windows, created once in a fixed order and kept until
// the program ends.
#include <QString>
#include <memory>

#include "document/ProjectDocument.h"
#include "toolchain/CompileSession.h"

class Tzjava;
class Tapplet;
class TObjector;
class Toptions;
class Ttool;
class Tdevopt;
namespace tz {
class PasteGuard;
}

class Program {
  public:
    Program(const QString& programDirectory, const QString& settingsPath);
    ~Program();

    // Shows the main window, the design window, the inspector and the palette.
    void show();

    Tzjava& zjava() { return *zjava_; }
    Tapplet& app() { return *app_; }
    TObjector& obj() { return *obj_; }
    Toptions& opt() { return *opt_; }
    Ttool& tool() { return *tool_; }
    Tdevopt& dopt() { return *dopt_; }

    // The settings file for an executable in programDirectory.
    static QString settingsPathFor(const QString& programDirectory);

  private:
    std::unique_ptr<tz::PasteGuard> pasteGuard_;
    tz::ProjectDocument document_;
    tz::CompileSession compiler_;
    std::unique_ptr<Tzjava> zjava_;
    std::unique_ptr<Tapplet> app_;
    std::unique_ptr<TObjector> obj_;
    std::unique_ptr<Toptions> opt_;
    std::unique_ptr<Ttool> tool_;
    std::unique_ptr<Tdevopt> dopt_;
};
