#pragma once
// Keeps top-level windows where the user can reach them.
class QWidget;

namespace tz {

enum class Fit { ShrinkToScreen, KeepSize };

// Moves the window so that its whole frame is on the screen that holds
// most of it (the primary screen when none does). A window larger than that
// screen's free area is made smaller, or with KeepSize keeps its size and
// its top-left corner, caption included, on the screen.
void moveOntoScreen(QWidget* window, Fit fit = Fit::ShrinkToScreen);

}  // namespace tz
