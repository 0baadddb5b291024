#pragma once
#include <QColor>
#include <QWidget>

// A hollow rectangle with a one-pixel outline: stands in for an object while
// it is moved or resized. Mouse events pass through it.
class FrameShape : public QWidget {
    Q_OBJECT
  public:
    explicit FrameShape(QWidget* parent);

    QColor outline() const { return outline_; }
    void setOutline(const QColor& colour);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QColor outline_{0, 0, 128};
};
