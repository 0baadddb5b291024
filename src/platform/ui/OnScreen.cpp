#include "platform/ui/OnScreen.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace tz {

namespace {

qint64 area(const QRect& rect) {
    return rect.isEmpty() ? 0 : qint64(rect.width()) * rect.height();
}

QScreen* screenHoldingMost(const QRect& frame) {
    QScreen* best = QGuiApplication::primaryScreen();
    qint64 bestArea = 0;
    for (QScreen* screen : QGuiApplication::screens()) {
        const qint64 common = area(screen->geometry() & frame);
        if (common > bestArea) {
            best = screen;
            bestArea = common;
        }
    }
    return best;
}

// The nearest start of a span of the given length inside [low, low + room).
int placeWithin(int start, int length, int low, int room) {
    return std::max(low, std::min(start, low + room - length));
}

}  // namespace

void moveOntoScreen(QWidget* window, Fit fit) {
    QScreen* screen = screenHoldingMost(window->frameGeometry());
    if (!screen) return;
    const QRect free = screen->availableGeometry();
    const QRect frame = window->frameGeometry();
    const QSize decoration = frame.size() - window->size();
    const QSize fitting =
        fit == Fit::KeepSize ? window->size() : window->size().boundedTo(free.size() - decoration);
    if (fitting != window->size()) window->resize(fitting);
    const QSize outer = fitting + decoration;
    window->move(placeWithin(frame.left(), outer.width(), free.left(), free.width()),
                 placeWithin(frame.top(), outer.height(), free.top(), free.height()));
}

}  // namespace tz
