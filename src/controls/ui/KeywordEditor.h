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

class KeywordEditor : public QPlainTextEdit {
    Q_OBJECT

  public:
    using NotifyHandler = std::function<void(KeywordEditor* sender)>;
    using LineRangesHandler =
        std::function<void(KeywordEditor* sender, const QString& line, tz::KeyRangeTable& ranges)>;
    using KeyHandler =
        std::function<void(KeywordEditor* sender, int key, Qt::KeyboardModifiers modifiers)>;
    using MouseHandler = std::function<void(KeywordEditor* sender, Qt::MouseButton button,
                                            Qt::KeyboardModifiers modifiers, QPoint at)>;

    explicit KeywordEditor(QWidget* parent = nullptr);

    // Setting the list copies it and repaints nothing; the new words show
    // from the next colouring pass on. So do all other settings.
    void setKeywords(const QStringList& keywords);
    const QStringList& keywords() const { return keywords_; }

    void setKeyBeginChar(QChar c) { rules_.beginChar = c; }
    QChar keyBeginChar() const { return rules_.beginChar; }
    void setKeyEndChar(QChar c) { rules_.endChar = c; }
    QChar keyEndChar() const { return rules_.endChar; }
    void setKeyDrawingType(tz::ColouringMode type) { rules_.drawingType = type; }
    tz::ColouringMode colouringMode() const { return rules_.drawingType; }
    void setKeyCase(bool exact);
    bool keyCase() const { return keyCase_; }
    void setKeyColor(const QColor& color) { keyColor_ = color; }
    QColor keyColor() const { return keyColor_; }
    void setKeyBrushColor(const QColor& color) { keyBrushColor_ = color; }
    QColor keyBrushColor() const { return keyBrushColor_; }

    void setOnVScroll(NotifyHandler handler) { onVScroll_ = std::move(handler); }
    void setOnDrawLine(LineRangesHandler handler) { onDrawLine_ = std::move(handler); }
    // Fired after the control's own key-down step, before the key acts.
    void setOnKeyDown(KeyHandler handler) { onKeyDown_ = std::move(handler); }
    // Fired after a button press has moved the caret.
    void setOnMouseDown(MouseHandler handler) { onMouseDown_ = std::move(handler); }

    // The colouring pass: the caret's line only, or every line in view.
    virtual void colourKeywords(bool caretLineOnly);

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
    NotifyHandler onVScroll_;
    LineRangesHandler onDrawLine_;
    KeyHandler onKeyDown_;
    MouseHandler onMouseDown_;
    std::optional<tz::KeywordPattern> pattern_;  // built on first use after a change
    int previousLineCount_ = 0;
    int previousTextLength_ = 0;
};
