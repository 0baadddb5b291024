#include "designer/ui/PictureBox.h"

#include <QFile>
#include <QImageReader>
#include <QPainter>

#include "platform/SafeFile.h"

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {}

void PictureBox::setPicture(const QPixmap& picture) {
    picture_ = picture;
    update();
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

QPixmap loadPicture(const std::string& path) {
    // The reader would wait for ever on a FIFO; anything else is no picture.
    if (!tz::isRegularFile(path)) return QPixmap();
    QImageReader reader(QFile::decodeName(QByteArray::fromStdString(path)));
    return QPixmap::fromImage(reader.read());
}
