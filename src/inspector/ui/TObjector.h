#pragma once
#include <QWidget>

// The inspector: lists the design objects and edits their properties.
class TObjector : public QWidget {
    Q_OBJECT
  public:
    explicit TObjector(QWidget* parent = nullptr);
};
