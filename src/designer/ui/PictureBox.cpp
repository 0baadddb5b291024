#include "designer/ui/PictureBox.h"

#include <QPainter>

#include "designer/ui/PictureSource.h"

PictureBox::PictureBox(QWidget* parent, PictureSource& pictures)
    : QWidget(parent), pictures_(pictures) {}

void PictureBox::showPicture(const std::string& path) {
    path_ = path;
    scalePicture();
}

void PictureBox::scalePicture() {
    picture_ = path_.empty() ? QPixmap() : pictures_.scaled(path_, size());
    update();
}

void PictureBox::resizeEvent(QResizeEvent*) {
    if (picture_.size() != size()) scalePicture();
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!picture_.isNull()) {
        painter.drawPixmap(rect(), picture_);
        return;
    }
    // Without a picture the object would be invisible on the design window.
    painter.setPen(QPen(palette().color(QPalette::Dark), 1, Qt::DashLine));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
