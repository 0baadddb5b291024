#pragma once
// The pictures of the "Compiling..." panel.
#include <QPixmap>

namespace tz {

inline constexpr int CompileFrameSize = 40;

// Frame 0 to 7 of the busy animation: a cup whose steam turns round.
QPixmap compileFrame(int index);

}  // namespace tz
