#pragma once
// Icons of our own drawing, painted afresh for every size and device pixel
// ratio asked for, so that they stay sharp on scaled screens.
#include <QIcon>
#include <functional>

class QPainter;

namespace tz {

// draw paints the picture in logical coordinates of logicalSize.
QIcon paintedIcon(QSize logicalSize, std::function<void(QPainter&)> draw);

}  // namespace tz
