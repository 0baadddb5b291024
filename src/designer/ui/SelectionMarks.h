#pragma once
#include <QLine>
#include <QRect>
#include <QWidget>
#include <vector>

// Drawn over the design objects: the selected objects' outlines and
// handles, and the guides of a drag. Mouse events pass through it.
class SelectionMarks : public QWidget {
    Q_OBJECT
  public:
    explicit SelectionMarks(QWidget* parent);

    // The current object is the last; its handles are filled.
    void showSelection(std::vector<QRect> objects);
    void showGuides(std::vector<QLine> guides);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::vector<QRect> objects_;
    std::vector<QLine> guides_;
};
