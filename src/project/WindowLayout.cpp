#include "project/WindowLayout.h"

#include <algorithm>

namespace tz {

WindowLayout defaultWindowLayout(const QRect& freeArea, const QMargins& frame,
                                 const WindowSizes& sizes) {
    const auto framed = [&](QSize client) { return client.grownBy(frame); };
    WindowLayout layout;
    // The palette across the top left, the inspector and the design window
    // side by side below it, the main window in the column at the right.
    layout.palette = QRect(freeArea.topLeft(), framed(sizes.palette));
    const int below = layout.palette.bottom() + 1;
    layout.inspector = QRect(freeArea.left(), below, framed(sizes.inspector).width(),
                             std::max(1, freeArea.bottom() + 1 - below));
    layout.design = QRect(QPoint(layout.inspector.right() + 1, below), framed(sizes.design));
    const int mainLeft = std::max(layout.design.right(), layout.palette.right()) + 1;
    const int mainWidth = std::max(MinimumMainWidth, freeArea.right() + 1 - mainLeft);
    layout.main =
        QRect(freeArea.right() + 1 - mainWidth, freeArea.top(), mainWidth, freeArea.height());
    return layout;
}

}  // namespace tz
