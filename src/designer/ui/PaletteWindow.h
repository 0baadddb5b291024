#pragma once
#include <QWidget>
#include <array>
#include <optional>

#include "designer/DesignObjects.h"

class QAction;
class QToolButton;

// The object palette: nine toggle buttons of which at most one is down, the
// first four choosing the kind to create; below them the layout commands.
class PaletteWindow : public QWidget {
    Q_OBJECT
  public:
    static constexpr int ButtonCount = 9;

    explicit PaletteWindow(QWidget* parent = nullptr);

    QToolButton* button(int number) const { return buttons_.at(number - 1); }
    // Every button up, without a click.
    void releaseAll();
    // A row of buttons for the commands, a gap between sections.
    void addLayoutActions(const QList<QList<QAction*>>& sections);

  signals:
    // The kind whose button went down, or none when no kind button is down.
    void createKindChosen(std::optional<tz::ObjectKind> kind);

  private:
    void toggleCreation(int number, tz::ObjectKind kind);
    void pressBlankButton(int number);
    // A button pressed down releases the others.
    void releaseOthers(int number);

    std::array<QToolButton*, ButtonCount> buttons_{};
};
