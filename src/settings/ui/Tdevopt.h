#pragma once
#include <QDialog>

// The developer options dialog: paths of the settings file's "Main" section.
class Tdevopt : public QDialog {
    Q_OBJECT
  public:
    explicit Tdevopt(QWidget* parent = nullptr);
};
