#pragma once
// Keeps top-level windows where the user can reach them.
class QWidget;

namespace tz {

// Moves the window so that its whole frame is on the screen that holds
// most of it (the primary screen when none does); it is made smaller only
// when it is larger than that screen's free area.
void moveOntoScreen(QWidget* window);

}  // namespace tz
