#pragma once
// Which parts of one editor line are coloured: keyword words, begin/end
// delimited runs, or ranges a handler supplies. Free of widgets so that the
// rules can be tested and measured on their own.
#include <QSet>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <vector>

namespace tz {

enum ColouringMode : std::uint8_t {
    ColourKeywords = 0,
    ColourHandlerRanges = 1,
    ColourBetweenMarks = 2
};

// One coloured range of a line. Positions are 1-based and inclusive;
// FirstChar 0 marks an empty entry, which ends the table.
struct KeyRange {
    std::int32_t FirstChar = 0;
    std::int32_t LastChar = 0;
    std::uint32_t Color = 0;  // 0xRRGGBB (a QRgb, alpha ignored); 0: the control's key colour
};

constexpr int KeyRangeCount = 51;
using KeyRangeTable = std::array<KeyRange, KeyRangeCount>;

// The words a keyword list colours. A line's word matches when "*word*"
// occurs in "*kw1*kw2*...*", that is when it equals one of the '*'-separated
// parts of the keywords; a set of those parts answers the same question.
class KeywordPattern {
  public:
    KeywordPattern(const QStringList& keywords, bool keyCase);

    bool matches(QStringView word) const;
    // True when the list had no line at all (not even an empty one).
    bool listEmpty() const { return listEmpty_; }

  private:
    QSet<QString> words_;
    bool keyCase_;
    bool listEmpty_;
};

struct KeyRangeRules {
    ColouringMode drawingType = ColourBetweenMarks;
    QChar beginChar = u'<';
    QChar endChar = u'>';
};

// Fills table (all zero on entry) for the modes that need no handler.
void fillKeyRanges(const QString& line, const KeyRangeRules& rules, const KeywordPattern& pattern,
                   KeyRangeTable& table);

// A run of a line to paint: 0-based start, length, colour (0: key colour).
struct KeyPiece {
    int start = 0;
    int length = 0;
    std::uint32_t color = 0;

    friend bool operator==(const KeyPiece&, const KeyPiece&) = default;
};

// Walks the table the way the line is painted: ranges in table order, each
// from where the previous one ended; a range that does not lie ahead of the
// walk ends it. Robust against any table a handler leaves behind.
std::vector<KeyPiece> colouredPieces(const KeyRangeTable& table, int lineLength);

}  // namespace tz
