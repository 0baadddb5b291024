#pragma once
// Where the four windows start when the settings hold no placement: side by
// side on the screen's free area, so that no window covers another's caption
// or controls, on screens from 1024 x 600 up.
#include <QMargins>
#include <QRect>
#include <QSize>

namespace tz {

// Client sizes of the windows that keep theirs.
struct WindowSizes {
    QSize design;
    QSize palette;
    QSize inspector;
};

// Frame rectangles: what each window covers, its decoration included.
struct WindowLayout {
    QRect main;
    QRect design;
    QRect palette;
    QRect inspector;
};

// The main window gets no narrower than this; a screen too small for the
// rest lets it overlap the design window's right part.
inline constexpr int MinimumMainWidth = 440;

// frame: the decoration the window manager adds around a client area.
// The palette and the design window keep their sizes; the inspector takes
// the height below the palette and the main window the column at the right.
WindowLayout defaultWindowLayout(const QRect& freeArea, const QMargins& frame,
                                 const WindowSizes& sizes);

}  // namespace tz
