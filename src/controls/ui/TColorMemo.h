#pragma once
// A plain-text editor that colours parts of each line: words of a keyword
// list, runs between a begin and an end character, or ranges a handler
// supplies. Editing, caret and scrolling stay those of QPlainTextEdit, but
// for one thing: a navigation key first collapses a selection to its end.
//
// Colours live as formats in the layouts of the lines; only lines that are
// shown are ever coloured, so a huge text costs nothing below the view.
#include <QPlainTextEdit>
#include <functional>
#include <optional>

#include "controls/KeyRanges.h"

class TColorMemo : public QPlainTextEdit {
    Q_OBJECT

  public:
    using TNotifyEvent = std::function<void(TColorMemo* sender)>;
    using TKeyDrawEvent =
        std::function<void(TColorMemo* sender, const QString& CMLine, tz::KeyRangeTable& A)>;
    using TKeyEvent =
        std::function<void(TColorMemo* sender, int key, Qt::KeyboardModifiers modifiers)>;
    using TMouseEvent = std::function<void(TColorMemo* sender, Qt::MouseButton button,
                                           Qt::KeyboardModifiers modifiers, QPoint at)>;

    explicit TColorMemo(QWidget* parent = nullptr);

    // Setting the list copies it and repaints nothing; the new words show
    // from the next colouring pass on. So do all other settings.
    void setKeywords(const QStringList& keywords);
    const QStringList& Keywords() const { return keywords_; }

    void setKeyBeginChar(QChar c) { rules_.beginChar = c; }
    QChar KeyBeginChar() const { return rules_.beginChar; }
    void setKeyEndChar(QChar c) { rules_.endChar = c; }
    QChar KeyEndChar() const { return rules_.endChar; }
    void setKeyDrawingType(tz::TKeyDrawingType type) { rules_.drawingType = type; }
    tz::TKeyDrawingType KeyDrawingType() const { return rules_.drawingType; }
    void setKeyCase(bool exact);
    bool KeyCase() const { return keyCase_; }
    void setKeyColor(const QColor& color) { keyColor_ = color; }
    QColor KeyColor() const { return keyColor_; }
    void setKeyBrushColor(const QColor& color) { keyBrushColor_ = color; }
    QColor KeyBrushColor() const { return keyBrushColor_; }

    void setOnVScroll(TNotifyEvent handler) { onVScroll_ = std::move(handler); }
    void setOnDrawLine(TKeyDrawEvent handler) { onDrawLine_ = std::move(handler); }
    // Fired after the control's own key-down step, before the key acts.
    void setOnKeyDown(TKeyEvent handler) { onKeyDown_ = std::move(handler); }
    // Fired after a button press has moved the caret.
    void setOnMouseDown(TMouseEvent handler) { onMouseDown_ = std::move(handler); }

    // The colouring pass: the caret's line only, or every line in view.
    virtual void DrawKeywords(bool caretLineOnly);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

  private:
    void textChangeNotified();
    bool colouringAllowed() const { return isEnabled() && isVisible(); }
    const tz::KeywordPattern& keywordPattern();
    // Colours the lines whose boxes meet the viewport band [top, bottom).
    void colourLinesIn(int top, int bottom);
    void colourLine(const QTextBlock& block);
    QList<QTextLayout::FormatRange> lineFormats(const QString& line);

    QStringList keywords_;
    tz::KeyRangeRules rules_;
    bool keyCase_ = false;
    QColor keyColor_ = Qt::red;
    QColor keyBrushColor_;
    TNotifyEvent onVScroll_;
    TKeyDrawEvent onDrawLine_;
    TKeyEvent onKeyDown_;
    TMouseEvent onMouseDown_;
    std::optional<tz::KeywordPattern> pattern_;  // built on first use after a change
    int previousLineCount_ = 0;
    int previousTextLength_ = 0;
};
