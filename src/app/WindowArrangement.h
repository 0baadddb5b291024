#pragma once
// Where the main window, the design window, the palette and the inspector
// stand: side by side at first, then as the settings file keeps them.
#include <QString>
#include <vector>

#include "project/WindowLayout.h"
#include "settings/SettingsFile.h"

class DesignWindow;
class QWidget;
namespace tz {
class ProjectDocument;
}

class WindowArrangement {
  public:
    // settingsPath is the settings file, or empty for none: then no
    // placement is read or written.
    WindowArrangement(const QString& settingsPath, tz::ProjectDocument& document,
                      QWidget& mainWindow, DesignWindow& design, QWidget& palette,
                      QWidget& inspector);

    // The first activation of the main window places the windows.
    void mainWindowActivated();
    // Reports a settings file that cannot be written.
    void savePlacements();

  private:
    std::vector<tz::WindowPlacement> currentPlacements() const;
    void applyPlacement(QWidget* window, const tz::Bounds& bounds);
    void placeWindowsSideBySide();

    QString settingsPath_;
    tz::ProjectDocument& document_;
    QWidget& main_;
    DesignWindow& design_;
    QWidget& palette_;
    QWidget& inspector_;
    bool placementPending_ = true;
};
