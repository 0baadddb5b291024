#pragma once
// The small tool windows beside the design window: a caption without
// buttons, hints that show whichever window of the program is active, and
// closing only hides them.
#include <QObject>

class QWidget;

class ToolWindow : public QObject {
  public:
    // Makes window, created with the Qt::Tool flags, such a tool window.
    static void applyTo(QWidget* window);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    using QObject::QObject;
};
