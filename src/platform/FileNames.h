#pragma once
// File names as the user's files were named on a system that ignores case.
#include <QString>

namespace tz {

// The path itself when it exists; else the entry of its folder whose name
// equals the path's name but for case (the first in name order when there
// are several); else the path unchanged.
QString resolveNameCase(const QString& path);

}  // namespace tz
