#include "designer/ui/FrameShape.h"

#include <QPainter>

FrameShape::FrameShape(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void FrameShape::setOutline(const QColor& colour) {
    outline_ = colour;
    update();
}

void FrameShape::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(outline_);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
