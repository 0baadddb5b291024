#pragma once
#include <QDialog>

// The project options dialog, shown modally from Project > Options.
class Toptions : public QDialog {
    Q_OBJECT
  public:
    explicit Toptions(QWidget* parent = nullptr);
};
