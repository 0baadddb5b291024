#pragma once
// The project options dialog, shown modally from Project > Options: shows
// the document's options and applet size, and OK sets them.
#include <QDialog>

#include "settings/ProjectOptions.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QTableWidget;
namespace tz {
class DocumentEdits;
class ProjectDocument;
}  // namespace tz

class ProjectOptionsDialog : public QDialog {
    Q_OBJECT
  public:
    explicit ProjectOptionsDialog(tz::DocumentEdits& edits, QWidget* parent = nullptr);

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    // What the controls hold now.
    tz::ProjectOptions options() const;
    void showOptions(const tz::ProjectOptions& options);
    void showAppletSize();
    void enableColourList();
    void addParameterRow();
    void deleteParameterRow();
    void applyAndClose();

    tz::DocumentEdits& edits_;
    tz::ProjectDocument& document_;
    QTableWidget* grid_ = nullptr;
    QLineEdit* appletWidthEdit_ = nullptr;
    QLineEdit* appletHeightEdit_ = nullptr;
    QCheckBox* optimize_ = nullptr;
    QCheckBox* addAppletObjects_ = nullptr;
    QCheckBox* dynamicObjects_ = nullptr;
    QCheckBox* withoutLineBreaks_ = nullptr;
    QCheckBox* automaticBackground_ = nullptr;
    QComboBox* colourList_ = nullptr;
};
