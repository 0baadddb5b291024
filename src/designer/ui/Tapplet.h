#pragma once
#include <QWidget>

// The design window: stands for the applet's display area.
class Tapplet : public QWidget {
    Q_OBJECT
  public:
    explicit Tapplet(QWidget* parent = nullptr);
};
