#include "app/ToolbarGlyphs.h"

#include <QPainter>
#include <QPainterPath>

#include "platform/ui/PaintedIcon.h"

namespace tz {

namespace {

constexpr int Size = 16;

void drawFolder(QPainter& p) {
    p.setBrush(QColor(240, 200, 80));
    p.drawRect(1, 5, 13, 9);
    p.drawRect(1, 3, 5, 2);
}

void drawDisk(QPainter& p) {
    p.setBrush(QColor(40, 70, 160));
    p.drawRect(1, 1, 13, 13);
    p.setBrush(Qt::white);
    p.drawRect(4, 1, 7, 5);
    p.drawRect(3, 9, 9, 5);
}

void drawPage(QPainter& p) {
    p.setBrush(Qt::white);
    p.drawRect(3, 1, 10, 13);
    for (int y = 4; y <= 11; y += 2) p.drawLine(5, y, 11, y);
}

void drawHammer(QPainter& p, const QColor& head) {
    p.setBrush(QColor(150, 100, 50));
    p.drawRect(7, 5, 2, 10);
    p.setBrush(head);
    p.drawRect(3, 2, 10, 4);
}

void drawPlay(QPainter& p, int left) {
    QPainterPath triangle;
    triangle.moveTo(left, 3);
    triangle.lineTo(left + 8, 8);
    triangle.lineTo(left, 13);
    triangle.closeSubpath();
    p.setBrush(QColor(0, 160, 0));
    p.drawPath(triangle);
}

void drawGlobe(QPainter& p, int left) {
    p.setBrush(QColor(80, 160, 255));
    p.drawEllipse(left, 2, 11, 11);
    p.drawLine(left, 7, left + 11, 7);
    p.drawEllipse(left + 3, 2, 5, 11);
}

void drawGlyph(QPainter& p, Glyph glyph) {
    switch (glyph) {
        case Glyph::Open:
            drawFolder(p);
            break;
        case Glyph::Save:
            drawDisk(p);
            break;
        case Glyph::Generate:
            drawPage(p);
            break;
        case Glyph::Compile:
            drawHammer(p, Qt::gray);
            break;
        case Glyph::ExternalCompile:
            drawHammer(p, QColor(200, 60, 60));
            break;
        case Glyph::Run:
            drawPlay(p, 4);
            break;
        case Glyph::CompileRun:
            drawHammer(p, Qt::gray);
            drawPlay(p, 7);
            break;
        case Glyph::Browser:
            drawGlobe(p, 2);
            break;
        case Glyph::CompileBrowse:
            drawHammer(p, Qt::gray);
            drawGlobe(p, 5);
            break;
    }
}

}  // namespace

QIcon toolbarGlyph(Glyph glyph) {
    return paintedIcon(QSize(Size, Size), [glyph](QPainter& painter) {
        painter.setPen(Qt::black);
        drawGlyph(painter, glyph);
    });
}

}  // namespace tz
