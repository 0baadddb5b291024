#include "designer/SelectionHandles.h"

#include <algorithm>
#include <cmath>

namespace tz {

namespace {

bool holdsLeft(Handle handle) {
    return handle == Handle::TopLeft || handle == Handle::Left || handle == Handle::BottomLeft;
}
bool holdsRight(Handle handle) {
    return handle == Handle::TopRight || handle == Handle::Right || handle == Handle::BottomRight;
}
bool holdsTop(Handle handle) {
    return handle == Handle::TopLeft || handle == Handle::Top || handle == Handle::TopRight;
}
bool holdsBottom(Handle handle) {
    return handle == Handle::BottomLeft || handle == Handle::Bottom ||
           handle == Handle::BottomRight;
}

}  // namespace

std::array<QRect, 8> handleRects(const QRect& object) {
    const int left = object.left();
    const int right = object.left() + object.width();
    const int top = object.top();
    const int bottom = object.top() + object.height();
    const int middleX = left + object.width() / 2;
    const int middleY = top + object.height() / 2;
    const QPoint centres[] = {{left, top},     {middleX, top},    {right, top},   {right, middleY},
                              {right, bottom}, {middleX, bottom}, {left, bottom}, {left, middleY}};
    std::array<QRect, 8> handles;
    for (std::size_t i = 0; i < handles.size(); ++i)
        handles[i] = QRect(centres[i] - QPoint(HandleSize / 2, HandleSize / 2),
                           QSize(HandleSize, HandleSize));
    return handles;
}

std::optional<Handle> handleAt(const QRect& object, const QPoint& point) {
    const std::array<QRect, 8> handles = handleRects(object);
    for (std::size_t i = 0; i < handles.size(); ++i)
        if (handles[i].contains(point)) return Handle(i);
    return std::nullopt;
}

QRect resizedByHandle(const QRect& object, Handle handle, const QPoint& point, int smallest) {
    int left = object.left();
    int top = object.top();
    int right = left + object.width();
    int bottom = top + object.height();
    if (holdsLeft(handle)) left = std::min(point.x(), right - smallest);
    if (holdsRight(handle)) right = std::max(point.x(), left + smallest);
    if (holdsTop(handle)) top = std::min(point.y(), bottom - smallest);
    if (holdsBottom(handle)) bottom = std::max(point.y(), top + smallest);
    return QRect(left, top, right - left, bottom - top);
}

int snapToGrid(int value, int step) {
    if (step <= 1) return value;
    return int(std::lround(double(value) / step)) * step;
}

QPoint snapToGrid(const QPoint& point, int step) {
    return {snapToGrid(point.x(), step), snapToGrid(point.y(), step)};
}

}  // namespace tz
