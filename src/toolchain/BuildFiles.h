#pragma once
// The small files that compiling and running write: the compiler's batch,
// the applet page and the external compiler's batch.
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "settings/ProjectOptions.h"

namespace tz {

std::string javacBatch(bool optimize);
// One blank and a line break, appended to the compiler's output.
std::string compilerOutputPadding();

// run.htm for the class of javaSourcePath, an applet of the design window's
// size (the page's height leaves out the window's caption). Parameters are
// written only when the first has a name; markup characters become entities.
// The first line names the page's encoding: UTF-8, else ISO-8859-1.
std::string appletPage(const std::string& javaSourcePath, int designWidth, int designHeight,
                       const std::vector<RunParameter>& parameters);

// Whether the page carries the run parameters: only when the first has a name.
bool pageHasParameters(const std::vector<RunParameter>& parameters);

std::string externalCompilerBatch(const std::string& compiler, const std::string& parameters,
                                  const std::string& javaSourcePath);

// A batch runs line by line and a page line ends at a line break: a path or
// setting holding CR or LF would let its second half run as a command of its
// own. The refusal naming the first such text among texts and the file it
// would have gone into; empty when there is none.
std::string lineBreakRefusal(std::initializer_list<std::string_view> texts,
                             const std::string& file);

// The file name of a path without folder and extension.
std::string classNameOf(const std::string& javaSourcePath);

}  // namespace tz
