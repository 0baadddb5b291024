#include "toolchain/ui/CompileFrames.h"

#include <QPainter>
#include <QtMath>

#include "toolchain/ProcessRunner.h"

namespace tz {

namespace {

const QColor CupBrown(128, 64, 0);
const QColor Coffee(64, 32, 0);
const QColor SteamLit(0, 0, 255);
const QColor SteamDim(192, 192, 192);

void drawCup(QPainter& painter) {
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(CupBrown);
    painter.drawRoundedRect(QRectF(9, 24, 18, 12), 3, 3);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(CupBrown, 2));
    painter.drawEllipse(QRectF(25, 26, 7, 7));
    painter.setPen(Qt::NoPen);
    painter.setBrush(Coffee);
    painter.drawRect(QRectF(11, 25, 14, 2));
}

// Eight puffs on a circle above the cup; the lit one moves on each frame.
void drawSteam(QPainter& painter, int litPuff) {
    const QPointF centre(18, 12);
    for (int puff = 0; puff < AnimationFrameCount; ++puff) {
        const qreal angle = qDegreesToRadians(360.0 * puff / AnimationFrameCount - 90);
        const QPointF at = centre + QPointF(8 * qCos(angle), 8 * qSin(angle));
        const bool lit = puff == litPuff;
        painter.setBrush(lit ? SteamLit : SteamDim);
        painter.drawEllipse(at, lit ? 3.0 : 2.0, lit ? 3.0 : 2.0);
    }
}

}  // namespace

QPixmap compileFrame(int index) {
    QPixmap frame(CompileFrameSize, CompileFrameSize);
    frame.fill(Qt::transparent);
    QPainter painter(&frame);
    painter.setRenderHint(QPainter::Antialiasing);
    drawCup(painter);
    drawSteam(painter, ((index % AnimationFrameCount) + AnimationFrameCount) % AnimationFrameCount);
    return frame;
}

}  // namespace tz
