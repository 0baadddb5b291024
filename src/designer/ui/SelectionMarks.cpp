#include "designer/ui/SelectionMarks.h"

#include <QPainter>

#include "designer/SelectionHandles.h"

namespace {

const QColor HandleColour(0, 0, 128);
const QColor GuideColour(255, 0, 255);

}  // namespace

SelectionMarks::SelectionMarks(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void SelectionMarks::showSelection(std::vector<QRect> objects) {
    if (objects == objects_) return;
    objects_ = std::move(objects);
    update();
}

void SelectionMarks::showGuides(std::vector<QLine> guides) {
    if (guides == guides_) return;
    guides_ = std::move(guides);
    update();
}

void SelectionMarks::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    for (std::size_t i = 0; i < objects_.size(); ++i) {
        const bool current = i + 1 == objects_.size();
        painter.setPen(QPen(HandleColour, 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(objects_[i].adjusted(-1, -1, 0, 0));
        painter.setPen(HandleColour);
        painter.setBrush(current ? QBrush(HandleColour) : QBrush(Qt::white));
        for (const QRect& handle : tz::handleRects(objects_[i]))
            painter.drawRect(handle.adjusted(0, 0, -1, -1));
    }
    painter.setPen(QPen(GuideColour, 1, Qt::DashLine));
    for (const QLine& guide : guides_) painter.drawLine(guide);
}
