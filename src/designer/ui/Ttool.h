#pragma once
#include <QWidget>
#include <array>

class QToolButton;
class Tapplet;

// The object palette: nine toggle buttons of which at most one is down; the
// first four arm the design window's create mode for their kind.
class Ttool : public QWidget {
    Q_OBJECT
  public:
    static constexpr int ButtonCount = 9;

    explicit Ttool(QWidget* parent = nullptr);

    void setDesigner(Tapplet* designer) { designer_ = designer; }
    QToolButton* button(int number) const { return buttons_.at(number - 1); }
    // Every button up, without a click.
    void releaseAll();

  private:
    void b1Click() { kindButtonClick(1, "knapp"); }
    void b2Click() { kindButtonClick(2, "labell"); }
    void b3Click() { kindButtonClick(3, "textfield"); }
    void b4Click() { kindButtonClick(4, "image"); }
    void kindButtonClick(int number, const char* createKind);
    void blankButtonClick(int number);
    // A button pressed down releases the others.
    void releaseOthers(int number);

    Tapplet* designer_ = nullptr;
    std::array<QToolButton*, ButtonCount> buttons_{};
};
