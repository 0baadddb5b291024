#include "controls/ui/KeywordEditor.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QTextBlock>

namespace {

constexpr Qt::KeyboardModifiers ShiftState =
    Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;

// Page Up, Page Down, End, Home and the four arrows.
bool isNavigationKey(int key) {
    switch (key) {
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_End:
        case Qt::Key_Home:
        case Qt::Key_Left:
        case Qt::Key_Up:
        case Qt::Key_Right:
        case Qt::Key_Down:
            return true;
        default:
            return false;
    }
}

}  // namespace

KeywordEditor::KeywordEditor(QWidget* parent)
    : QPlainTextEdit(parent), keyBrushColor_(palette().color(QPalette::Base)) {
    connect(this, &QPlainTextEdit::textChanged, this, &KeywordEditor::textChangeNotified);
}

void KeywordEditor::setKeywords(const QStringList& keywords) {
    keywords_ = keywords;
    pattern_.reset();
}

void KeywordEditor::setKeyCase(bool exact) {
    keyCase_ = exact;
    pattern_.reset();
}

void KeywordEditor::colourKeywords(bool caretLineOnly) {
    if (!colouringAllowed()) return;
    if (caretLineOnly)
        colourLine(document()->findBlock(textCursor().selectionStart()));
    else
        colourLinesIn(0, viewport()->height());
}

void KeywordEditor::paintEvent(QPaintEvent* event) {
    // Formats must be in place before the lines are drawn.
    if (colouringAllowed()) colourLinesIn(event->rect().top(), event->rect().bottom() + 1);
    QPlainTextEdit::paintEvent(event);
}

void KeywordEditor::keyPressEvent(QKeyEvent* event) {
    QTextCursor cursor = textCursor();
    if (cursor.hasSelection() && !(event->modifiers() & ShiftState) &&
        QGuiApplication::mouseButtons() == Qt::NoButton && isNavigationKey(event->key())) {
        cursor.setPosition(cursor.selectionEnd());
        setTextCursor(cursor);
        colourKeywords(false);
    }
    if (onKeyDown_) onKeyDown_(this, event->key(), event->modifiers());
    QPlainTextEdit::keyPressEvent(event);
}

void KeywordEditor::mousePressEvent(QMouseEvent* event) {
    QPlainTextEdit::mousePressEvent(event);
    if (event->button() == Qt::LeftButton && event->buttons() == Qt::LeftButton &&
        !(event->modifiers() & ShiftState))
        colourKeywords(false);
    if (onMouseDown_)
        onMouseDown_(this, event->button(), event->modifiers(), event->position().toPoint());
}

void KeywordEditor::scrollContentsBy(int dx, int dy) {
    QPlainTextEdit::scrollContentsBy(dx, dy);
    if (dy != 0 && onVScroll_) onVScroll_(this);
    colourKeywords(false);
}

// One more character on as many lines as before is typing within a line:
// only the caret's line can have changed. Anything else may touch any line.
void KeywordEditor::textChangeNotified() {
    const QTextBlock last = document()->lastBlock();
    const int lineCount = document()->blockCount();
    const int textLength = last.position() + last.length() - 1;
    colourKeywords(lineCount == previousLineCount_ && textLength == previousTextLength_ + 1);
    previousLineCount_ = lineCount;
    previousTextLength_ = textLength;
}

const tz::KeywordPattern& KeywordEditor::keywordPattern() {
    if (!pattern_) pattern_.emplace(keywords_, keyCase_);
    return *pattern_;
}

void KeywordEditor::colourLinesIn(int top, int bottom) {
    QTextBlock block = firstVisibleBlock();
    qreal lineTop = blockBoundingGeometry(block).translated(contentOffset()).top();
    while (block.isValid() && lineTop < bottom) {
        const qreal height = blockBoundingRect(block).height();
        if (block.isVisible() && lineTop + height > top) colourLine(block);
        lineTop += height;
        block = block.next();
    }
}

void KeywordEditor::colourLine(const QTextBlock& block) {
    QTextLayout* layout = block.layout();
    if (!layout->preeditAreaText().isEmpty()) return;  // an input method owns the formats now
    const QList<QTextLayout::FormatRange> formats = lineFormats(block.text());
    if (layout->formats() == formats) return;
    layout->setFormats(formats);
    document()->markContentsDirty(block.position(), block.length());
}

QList<QTextLayout::FormatRange> KeywordEditor::lineFormats(const QString& line) {
    QList<QTextLayout::FormatRange> formats;
    if (line.isEmpty()) return formats;
    tz::KeyRangeTable table{};
    if (rules_.drawingType == tz::ColourHandlerRanges) {
        if (onDrawLine_) onDrawLine_(this, line, table);
    } else {
        tz::fillKeyRanges(line, rules_, keywordPattern(), table);
    }
    for (const tz::KeyPiece& piece : tz::colouredPieces(table, int(line.size()))) {
        QTextCharFormat format;
        format.setForeground(piece.color == 0 ? keyColor_ : QColor::fromRgb(piece.color));
        format.setBackground(keyBrushColor_);
        formats.append({piece.start, piece.length, format});
    }
    return formats;
}
