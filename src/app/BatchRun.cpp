#include "app/BatchRun.h"

#include <QGuiApplication>

namespace tz {

bool startsWithoutDisplay(int argc, char* argv[]) {
    if (runModeOf(argc, argv) != RunMode::Gui) return true;
    // The toolkit would stop the program at once without one.
    return qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") &&
           qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

bool hasDisplay() {
    const QString platform = QGuiApplication::platformName();
    return platform != "offscreen" && platform != "minimal";
}

}  // namespace tz
