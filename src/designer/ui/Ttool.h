#pragma once
#include <QWidget>

// The object palette: a small tool window without a close button.
class Ttool : public QWidget {
    Q_OBJECT
  public:
    explicit Ttool(QWidget* parent = nullptr);
};
