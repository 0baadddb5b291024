#pragma once
// Work that need not hold up the first sight of the windows: run once the
// event loop is free again after every one of them has been shown and painted.
#include <QList>
#include <functional>

class QWidget;

namespace tz {

// windows: shown top-level windows, the first outliving whatever action uses.
// action runs at most once, from the event loop; not at all when a window
// never appears on screen.
void runAfterFirstPaint(const QList<QWidget*>& windows, std::function<void()> action);

}  // namespace tz
