#include "app/WindowArrangement.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

#include "designer/ui/DesignWindow.h"
#include "document/ProjectDocument.h"
#include "platform/ui/ErrorBox.h"
#include "platform/ui/OnScreen.h"

namespace {

bool isOnSomeScreen(const QRect& rect) {
    const auto screens = QGuiApplication::screens();
    return std::any_of(screens.begin(), screens.end(),
                       [&](const QScreen* screen) { return screen->geometry().intersects(rect); });
}

}  // namespace

WindowArrangement::WindowArrangement(const QString& settingsPath, tz::ProjectDocument& document,
                                     QWidget& mainWindow, DesignWindow& design, QWidget& palette,
                                     QWidget& inspector)
    : settingsPath_(settingsPath),
      document_(document),
      main_(mainWindow),
      design_(design),
      palette_(palette),
      inspector_(inspector) {}

void WindowArrangement::mainWindowActivated() {
    if (!placementPending_) return;
    placementPending_ = false;
    // A project opened before this point (from the command line) brings its
    // own applet size, which the stored placement must not replace.
    const bool projectOpened = document_.project().projectPath != tz::Project::Untitled;
    const int appletWidth = design_.appletWidth();
    const int appletHeight = design_.appletHeight();
    const QList<QWidget*> windows = {&main_, &design_, &palette_, &inspector_};
    placeWindowsSideBySide();
    if (!settingsPath_.isEmpty()) {
        const auto placements =
            tz::readPlacements(settingsPath_.toStdString(), currentPlacements());
        for (std::size_t i = 0; i < placements.size(); ++i)
            applyPlacement(windows[int(i)], placements[i].bounds);
    }
    if (projectOpened) {
        design_.setAppletWidth(appletWidth);
        design_.setAppletHeight(appletHeight);
    }
    // The design window's size is the applet's: a small screen must not change it.
    for (QWidget* window : windows)
        tz::moveOntoScreen(window,
                           window == &design_ ? tz::Fit::KeepSize : tz::Fit::ShrinkToScreen);
    // The default project's applet size is only now settled.
    if (projectOpened) return;
    document_.takePendingEdits();
    document_.markSaved();
}

// Where no placement is stored, the windows start side by side.
void WindowArrangement::placeWindowsSideBySide() {
    const QScreen* shown = main_.screen();
    if (!shown) return;
    const QRect client = main_.geometry();
    const QRect frame = main_.frameGeometry();
    const QMargins decoration(client.left() - frame.left(), client.top() - frame.top(),
                              frame.right() - client.right(), frame.bottom() - client.bottom());
    const tz::WindowLayout layout =
        tz::defaultWindowLayout(shown->availableGeometry(), decoration,
                                {design_.size(), palette_.size(), inspector_.size()});
    const auto place = [&](QWidget& window, const QRect& framed, bool resized) {
        window.move(framed.topLeft());
        if (resized) window.resize(framed.marginsRemoved(decoration).size());
    };
    place(main_, layout.main, true);
    place(design_, layout.design, false);
    place(palette_, layout.palette, false);
    place(inspector_, layout.inspector, true);
}

std::vector<tz::WindowPlacement> WindowArrangement::currentPlacements() const {
    std::vector<tz::WindowPlacement> placements;
    const std::pair<const char*, const QWidget*> windows[] = {
        {"Java", &main_}, {"Applet", &design_}, {"Toolbar", &palette_}, {"Objector", &inspector_}};
    for (const auto& [section, window] : windows) {
        // The design window's size is the applet's, as the project stores it.
        const bool design = window == &design_;
        placements.push_back(
            {section,
             {window->x(), window->y(), design ? design_.appletWidth() : window->width(),
              design ? design_.appletHeight() : window->height()}});
    }
    return placements;
}

void WindowArrangement::applyPlacement(QWidget* window, const tz::Bounds& bounds) {
    const QRect rect(bounds.left, bounds.top, bounds.width, bounds.height);
    // A placement from another screen setup must never hide a window.
    if (bounds.width <= 0 || bounds.height <= 0 || !isOnSomeScreen(rect)) return;
    window->move(rect.topLeft());
    if (window != &design_) {
        window->resize(rect.size());
        return;
    }
    design_.setAppletWidth(rect.width());
    design_.setAppletHeight(rect.height());
}

// Settings are no project data: a settings file that cannot be written is
// reported, but must never keep the user from quitting.
void WindowArrangement::savePlacements() {
    if (settingsPath_.isEmpty() ||
        tz::writePlacements(settingsPath_.toStdString(), currentPlacements()))
        return;
    tz::reportError(&main_, QString("Unable to write to %1").arg(settingsPath_));
}
