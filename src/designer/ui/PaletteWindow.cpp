#include "designer/ui/PaletteWindow.h"

#include <QPainter>
#include <QPainterPath>
#include <QToolButton>

#include "platform/ui/PaintedIcon.h"
#include "platform/ui/ToolWindow.h"

namespace {

constexpr QSize GlyphSize(30, 20);
const QRect GlyphArea(QPoint(0, 0), GlyphSize);

// A raised button face lettered OK.
void drawButtonGlyph(QPainter& painter) {
    const QRect face(1, 2, 27, 16);
    painter.fillRect(face, QColor(192, 192, 192));
    painter.setPen(Qt::white);
    painter.drawLine(face.topLeft(), face.topRight());
    painter.drawLine(face.topLeft(), face.bottomLeft());
    painter.setPen(QColor(64, 64, 64));
    painter.drawLine(face.bottomLeft(), face.bottomRight());
    painter.drawLine(face.topRight(), face.bottomRight());
    QFont font("Sans Serif");
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(10);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(face, Qt::AlignCenter, "OK");
}

// A large capital A.
void drawLabelGlyph(QPainter& painter) {
    QFont font("Serif");
    font.setStyleHint(QFont::Serif);
    font.setPixelSize(19);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(QColor(0, 0, 128));
    painter.drawText(GlyphArea, Qt::AlignCenter, "A");
}

// A sunken box holding a line of text.
void drawTextFieldGlyph(QPainter& painter) {
    const QRect box(1, 4, 27, 12);
    painter.fillRect(box, Qt::white);
    painter.setPen(QColor(64, 64, 64));
    painter.drawLine(box.topLeft(), box.topRight());
    painter.drawLine(box.topLeft(), box.bottomLeft());
    painter.setPen(QColor(224, 224, 224));
    painter.drawLine(box.bottomLeft(), box.bottomRight());
    painter.drawLine(box.topRight(), box.bottomRight());
    painter.setPen(Qt::black);
    for (int x = 4; x < 22; x += 3) painter.drawLine(x, 10, x + 1, 10);
    painter.drawLine(23, 7, 23, 13);  // the caret
}

// A small landscape with sky and sun.
void drawImageGlyph(QPainter& painter) {
    painter.setRenderHint(QPainter::Antialiasing);
    const QRect frame(1, 1, 27, 18);
    painter.fillRect(frame, QColor(128, 200, 255));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 220, 0));
    painter.drawEllipse(QPoint(21, 6), 3, 3);
    QPainterPath hills;
    hills.moveTo(1, 19);
    hills.lineTo(9, 9);
    hills.lineTo(14, 14);
    hills.lineTo(19, 10);
    hills.lineTo(28, 19);
    hills.closeSubpath();
    painter.setBrush(QColor(0, 128, 0));
    painter.drawPath(hills);
    painter.setPen(Qt::black);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(frame);
}

}  // namespace

PaletteWindow::PaletteWindow(QWidget* parent) : QWidget(parent) {
    setObjectName("tool");
    setWindowTitle("Object Handler");
    ToolWindow::applyTo(this);
    QPalette background = palette();
    background.setColor(QPalette::Window, QColor(0, 128, 255));
    setPalette(background);
    setAutoFillBackground(true);
    move(284, 653);
    resize(376, 37);
    // A button that is down looks pressed in beyond doubt: sunken and dark.
    setStyleSheet(
        "QToolButton { background: rgb(212, 208, 200); border: 2px outset rgb(240, 240, 240); }"
        "QToolButton:checked { background: rgb(112, 112, 112);"
        " border: 2px inset rgb(64, 64, 64); padding: 2px 0 0 2px; }");

    const QIcon glyphs[] = {
        tz::paintedIcon(GlyphSize, drawButtonGlyph), tz::paintedIcon(GlyphSize, drawLabelGlyph),
        tz::paintedIcon(GlyphSize, drawTextFieldGlyph), tz::paintedIcon(GlyphSize, drawImageGlyph)};
    const char* const hints[] = {"Button", "Label", "TextField", "Image"};
    for (int number = 1; number <= ButtonCount; ++number) {
        auto* button = new QToolButton(this);
        button->setObjectName(QString("b%1").arg(number));
        button->setCheckable(true);
        button->setAutoRaise(false);
        button->setFocusPolicy(Qt::NoFocus);
        button->setGeometry(8 + 40 * (number - 1), 7, 41, 25);
        if (number <= 4) {
            button->setToolTip(hints[number - 1]);
            button->setIcon(glyphs[number - 1]);
            button->setIconSize(GlyphSize);
        }
        buttons_[number - 1] = button;
    }
    for (tz::ObjectKind kind : tz::AllKinds) {
        const int number = static_cast<int>(kind) + 1;
        connect(button(number), &QToolButton::clicked, this,
                [this, number, kind] { toggleCreation(number, kind); });
    }
    for (int number = 5; number <= ButtonCount; ++number)
        connect(button(number), &QToolButton::clicked, this,
                [this, number] { pressBlankButton(number); });
}

void PaletteWindow::addLayoutActions(const QList<QList<QAction*>>& sections) {
    constexpr int Top = 37;
    constexpr int Size = 25;
    int left = 8;
    for (const QList<QAction*>& section : sections) {
        for (QAction* action : section) {
            auto* button = new QToolButton(this);
            button->setObjectName(action->objectName() + "Button");
            button->setDefaultAction(action);
            button->setFocusPolicy(Qt::NoFocus);
            button->setGeometry(left, Top, Size, Size);
            left += Size + 1;
        }
        left += 8;
    }
    // A size stored before the row existed must not hide it.
    setMinimumHeight(Top + Size + 5);
    resize(width(), minimumHeight());
}

void PaletteWindow::releaseAll() {
    for (QToolButton* each : buttons_) each->setChecked(false);
}

void PaletteWindow::releaseOthers(int number) {
    if (!button(number)->isChecked()) return;
    for (QToolButton* each : buttons_)
        if (each != button(number)) each->setChecked(false);
}

void PaletteWindow::toggleCreation(int number, tz::ObjectKind kind) {
    releaseOthers(number);
    emit createKindChosen(button(number)->isChecked() ? std::optional(kind) : std::nullopt);
}

// The blank buttons arm nothing; with no kind button down nothing is created.
void PaletteWindow::pressBlankButton(int number) {
    releaseOthers(number);
    emit createKindChosen(std::nullopt);
}
