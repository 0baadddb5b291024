#pragma once
// Whether the program's windows can be shown.
#include "project/CommandLine.h"

namespace tz {

// Whether the program must start without a display: a command line that
// opens the program's windows when there is no display, so that it can be
// refused with the usage. Decided before the application object exists, so
// that the platform can be chosen.
bool startsWithoutDisplay(int argc, char* argv[]);
// Whether the program's windows would be seen: the platform is a display.
bool hasDisplay();

}  // namespace tz
