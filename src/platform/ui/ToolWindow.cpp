#include "platform/ui/ToolWindow.h"

#include <QEvent>
#include <QWidget>

void ToolWindow::applyTo(QWidget* window) {
    window->setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    window->setAttribute(Qt::WA_QuitOnClose, false);
    window->setAttribute(Qt::WA_AlwaysShowToolTips);
    window->installEventFilter(new ToolWindow(window));
}

bool ToolWindow::eventFilter(QObject* watched, QEvent* event) {
    // Some X11 window managers ignore the button hints of a tool window but
    // give a toolbar neither minimise nor maximise. The type only reaches the
    // native window once it exists, just before it is shown.
    if (event->type() == QEvent::Show)
        static_cast<QWidget*>(watched)->setAttribute(Qt::WA_X11NetWmWindowTypeToolBar);
    return false;
}
