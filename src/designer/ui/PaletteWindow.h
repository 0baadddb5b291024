#pragma once
#include <QWidget>
#include <array>

class QToolButton;
class DesignWindow;

// The object palette: nine toggle buttons of which at most one is down; the
// first four arm the design window's create mode for their kind.
class PaletteWindow : public QWidget {
    Q_OBJECT
  public:
    static constexpr int ButtonCount = 9;

    explicit PaletteWindow(QWidget* parent = nullptr);

    void setDesigner(DesignWindow* designer) { designer_ = designer; }
    QToolButton* button(int number) const { return buttons_.at(number - 1); }
    // Every button up, without a click.
    void releaseAll();

  private:
    void toggleButtonCreation() { toggleCreation(1, "knapp"); }
    void toggleLabelCreation() { toggleCreation(2, "labell"); }
    void toggleTextFieldCreation() { toggleCreation(3, "textfield"); }
    void toggleImageCreation() { toggleCreation(4, "image"); }
    void toggleCreation(int number, const char* createKind);
    void pressBlankButton(int number);
    // A button pressed down releases the others.
    void releaseOthers(int number);

    DesignWindow* designer_ = nullptr;
    std::array<QToolButton*, ButtonCount> buttons_{};
};
