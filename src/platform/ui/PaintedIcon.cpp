#include "platform/ui/PaintedIcon.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>

namespace tz {

namespace {

class PaintedIconEngine : public QIconEngine {
  public:
    PaintedIconEngine(QSize logicalSize, std::function<void(QPainter&)> draw)
        : logicalSize_(logicalSize), draw_(std::move(draw)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        QPixmap picture = pixmap(rect.size() * ratio, mode, state);
        picture.setDevicePixelRatio(ratio);
        painter->drawPixmap(rect, picture);
    }

    // size is in device pixels: QIcon multiplies the logical size by the ratio.
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override {
        QPixmap picture(size);
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        painter.scale(qreal(size.width()) / logicalSize_.width(),
                      qreal(size.height()) / logicalSize_.height());
        draw_(painter);
        painter.end();
        if (mode == QIcon::Normal || mode == QIcon::Active) return picture;
        QStyleOption option;
        option.palette = QApplication::palette();
        return QApplication::style()->generatedIconPixmap(mode, picture, &option);
    }

    QIconEngine* clone() const override { return new PaintedIconEngine(*this); }

  private:
    QSize logicalSize_;
    std::function<void(QPainter&)> draw_;
};

}  // namespace

QIcon paintedIcon(QSize logicalSize, std::function<void(QPainter&)> draw) {
    return QIcon(new PaintedIconEngine(logicalSize, std::move(draw)));
}

}  // namespace tz
