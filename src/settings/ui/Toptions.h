#pragma once
// The project options dialog, shown modally from Project > Options. Its
// controls are the only store of the project's options.
#include <QDialog>

#include "settings/ProjectOptions.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QTableWidget;
class Tapplet;

class Toptions : public QDialog {
    Q_OBJECT
  public:
    explicit Toptions(QWidget* parent = nullptr);

    void setDesigner(Tapplet* designer) { designer_ = designer; }

    // What the controls hold now.
    tz::ProjectOptions options() const;
    // Sets the controls from a loaded project.
    void setOptions(const tz::ProjectOptions& options);
    // The design window takes the colour the dialog's controls choose.
    void applyBackgroundColour();

    void reject() override;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void setAppletSize(int width, int height);
    void FormActivate();
    void autoBCOLClick();
    void addClick();
    void deleteClick();
    void BitBtn1Click();

    Tapplet* designer_ = nullptr;
    QTableWidget* grid_ = nullptr;
    QLineEdit* appx_ = nullptr;
    QLineEdit* appy_ = nullptr;
    QCheckBox* optimize_ = nullptr;
    QCheckBox* addApplet_ = nullptr;
    QCheckBox* paintOnce_ = nullptr;
    QCheckBox* cWithout_ = nullptr;
    QCheckBox* autoBCOL_ = nullptr;
    QComboBox* colorz_ = nullptr;
    // What Cancel brings back: the options as the dialog was shown with.
    tz::ProjectOptions shownOptions_;
    bool shownColourListEnabled_ = true;
};
