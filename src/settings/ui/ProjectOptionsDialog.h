#pragma once
// The project options dialog, shown modally from Project > Options. Its
// controls are the only store of the project's options.
#include <QDialog>

#include "settings/ProjectOptions.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QTableWidget;
class DesignWindow;

class ProjectOptionsDialog : public QDialog {
    Q_OBJECT
  public:
    explicit ProjectOptionsDialog(QWidget* parent = nullptr);

    void setDesigner(DesignWindow* designer) { designer_ = designer; }

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
    void rememberShownOptions();
    void enableColourList();
    void addParameterRow();
    void deleteParameterRow();
    void applyAndClose();

    DesignWindow* designer_ = nullptr;
    QTableWidget* grid_ = nullptr;
    QLineEdit* appletWidthEdit_ = nullptr;
    QLineEdit* appletHeightEdit_ = nullptr;
    QCheckBox* optimize_ = nullptr;
    QCheckBox* addAppletObjects_ = nullptr;
    QCheckBox* dynamicObjects_ = nullptr;
    QCheckBox* withoutLineBreaks_ = nullptr;
    QCheckBox* automaticBackground_ = nullptr;
    QComboBox* colourList_ = nullptr;
    // What Cancel brings back: the options as the dialog was shown with.
    tz::ProjectOptions shownOptions_;
    bool shownColourListEnabled_ = true;
};
