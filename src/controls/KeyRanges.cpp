#include "controls/KeyRanges.h"

#include <algorithm>

namespace tz {

namespace {

// Codes 64 to 90 and 97 to 122: '@' counts as a letter; digits, '_' and
// everything beyond ASCII separate words.
bool isWordChar(QChar c) {
    const char16_t code = c.unicode();
    return (code >= 64 && code <= 90) || (code >= 97 && code <= 122);
}

// Only ASCII letters change: a word holds nothing else, and full Unicode
// upper-casing could turn other characters into ASCII letters ('ß' -> "SS").
QString asciiUpper(QStringView text) {
    QString upper = text.toString();
    for (QChar& c : upper)
        if (c >= u'a' && c <= u'z') c = QChar(c.unicode() - 32);
    return upper;
}

void scanKeywords(const QString& line, const KeywordPattern& pattern, KeyRangeTable& table) {
    const int length = int(line.size());
    int count = 0;
    int at = 0;
    while (at < length && count < KeyRangeCount) {
        if (!isWordChar(line[at])) {
            ++at;
            continue;
        }
        const int start = at;
        while (at < length && isWordChar(line[at])) ++at;
        if (pattern.matches(QStringView(line).mid(start, at - start)))
            table[count++] = {start + 1, at, 0};
    }
}

void scanBeginEnd(const QString& line, QChar beginChar, QChar endChar, KeyRangeTable& table) {
    qsizetype from = 0;
    for (KeyRange& entry : table) {
        const qsizetype begin = line.indexOf(beginChar, from);
        if (begin < 0) return;
        entry.FirstChar = int(begin) + 1;
        const qsizetype end = line.indexOf(endChar, begin + 1);
        if (end < 0) return;
        entry.LastChar = int(end) + 1;
        from = end + 1;
    }
}

}  // namespace

KeywordPattern::KeywordPattern(const QStringList& keywords, bool keyCase)
    : keyCase_(keyCase), listEmpty_(keywords.isEmpty()) {
    for (const QString& keyword : keywords)
        for (const QString& part : keyword.split(u'*', Qt::SkipEmptyParts))
            words_.insert(keyCase ? part : asciiUpper(part));
}

bool KeywordPattern::matches(QStringView word) const {
    return words_.contains(keyCase_ ? word.toString() : asciiUpper(word));
}

void fillKeyRanges(const QString& line, const KeyRangeRules& rules, const KeywordPattern& pattern,
                   KeyRangeTable& table) {
    if (rules.drawingType == ColourBetweenMarks) {
        // A line whose first end character precedes its first begin is left plain.
        const qsizetype begin = line.indexOf(rules.beginChar);
        const qsizetype end = line.indexOf(rules.endChar);
        if (begin < 0 || end <= begin) return;
    }
    if (rules.drawingType == ColourKeywords && !pattern.listEmpty())
        scanKeywords(line, pattern, table);
    else
        scanBeginEnd(line, rules.beginChar, rules.endChar, table);
}

std::vector<KeyPiece> colouredPieces(const KeyRangeTable& table, int lineLength) {
    std::vector<KeyPiece> pieces;
    if (table[0].FirstChar == 0 && table[0].LastChar == 0) return pieces;
    // Entries wholly left of the line's start (negative positions) are passed.
    auto current = std::find_if(table.begin(), table.end(), [](const KeyRange& entry) {
        return entry.FirstChar >= 0 || entry.LastChar >= 1;
    });
    int passed = 0;
    while (current != table.end() && passed < lineLength) {
        if (passed + 1 < current->FirstChar) {
            passed = current->FirstChar - 1;
            continue;
        }
        if (passed + 1 > current->LastChar) break;
        const int last = std::min(current->LastChar, lineLength);
        pieces.push_back({passed, last - passed, current->Color});
        passed = last;
        ++current;
        if (current != table.end() && current->FirstChar <= 0) break;
    }
    return pieces;
}

}  // namespace tz
