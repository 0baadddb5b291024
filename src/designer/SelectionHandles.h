#pragma once
// The handles around a selected object and what dragging one does; the
// grid that moves and resizes snap to.
#include <QPoint>
#include <QRect>
#include <array>
#include <optional>

namespace tz {

enum class Handle { TopLeft, Top, TopRight, Right, BottomRight, Bottom, BottomLeft, Left };
inline constexpr int HandleSize = 6;
// The grid's step unless the developer options set another.
inline constexpr int GridStep = 8;

// The eight handles on the corners and edge middles of an object's outline,
// in Handle order.
std::array<QRect, 8> handleRects(const QRect& object);
std::optional<Handle> handleAt(const QRect& object, const QPoint& point);
// The object after its handle was dragged to point: the edges the handle
// holds follow it, never closer than smallest to the opposite edges.
QRect resizedByHandle(const QRect& object, Handle handle, const QPoint& point, int smallest);

// The multiple of step nearest to value.
int snapToGrid(int value, int step);
QPoint snapToGrid(const QPoint& point, int step);

}  // namespace tz
