#pragma once
// The program's icon on its windows, as task bars and window lists show it.
#include <QIcon>

namespace tz {

// The icon theme's, as the installed menu entry shows it, else the one built
// into the program.
QIcon programIcon();

}  // namespace tz
