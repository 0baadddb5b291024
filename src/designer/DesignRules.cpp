#include "designer/DesignRules.h"

#include <algorithm>
#include <cctype>
#include <limits>

namespace tz {

namespace {

bool isAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

int hexValue(char c) {
    if (isDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

}  // namespace

std::optional<int> toInteger(const std::string& text) {
    std::size_t at = 0;
    while (at < text.size() && text[at] == ' ') ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
    int base = 10;
    if (at < text.size() && text[at] == '$') {
        base = 16;
        ++at;
    }
    if (at == text.size()) return std::nullopt;
    // Accumulated negatively so that the lowest int fits.
    long long value = 0;
    for (; at < text.size(); ++at) {
        const int digit =
            base == 16 ? hexValue(text[at]) : (isDigit(text[at]) ? text[at] - '0' : -1);
        if (digit < 0) return std::nullopt;
        value = value * base + digit;
        if (value > static_cast<long long>(std::numeric_limits<int>::max()) + 1)
            return std::nullopt;
    }
    if (!negative && value > std::numeric_limits<int>::max()) return std::nullopt;
    return static_cast<int>(negative ? -value : value);
}

std::string integerError(const std::string& text) {
    return "'" + text + "' is not a valid integer value";
}

bool isIdentifier(const std::string& name) {
    if (name.empty() || !(isAsciiLetter(name[0]) || name[0] == '_')) return false;
    return std::all_of(name.begin(), name.end(),
                       [](char c) { return isAsciiLetter(c) || isDigit(c) || c == '_'; });
}

const std::vector<std::string>& fixedComponentNames() {
    static const std::vector<std::string> names = {
        "button1",   "flytt", "Label1",  "TextField1", "Image1",        "open",      "Timer1",
        "TextArea1", "List1", "Choice1", "Checkbox1",  "CheckboxGroup", "Checkbox2", "Checkbox3"};
    return names;
}

std::string nameTakenError(const std::string& name) {
    return "A component named " + name + " already exists";
}

std::optional<std::string> componentNameError(const std::string& newName,
                                              const std::vector<std::string>& takenNames) {
    if (newName.empty()) return std::nullopt;
    if (!isIdentifier(newName)) return "''" + newName + "'' is not a valid component name";
    const std::string key = lowered(newName);
    for (const std::string& taken : takenNames)
        if (lowered(taken) == key) return nameTakenError(newName);
    return std::nullopt;
}

std::optional<ObjectKind> kindOfCreateTag(const std::string& tag) {
    for (ObjectKind kind : AllKinds)
        if (tag == kindInfo(kind).createTag) return kind;
    return std::nullopt;
}

std::optional<ObjectKind> kindOfCurrentTag(const std::string& tag) {
    for (ObjectKind kind : AllKinds)
        if (tag == kindInfo(kind).currentTag) return kind;
    return std::nullopt;
}

std::string alignmentText(Alignment alignment) {
    switch (alignment) {
        case Alignment::Right:
            return "[RIGHT]";
        case Alignment::Center:
            return "[CENTER]";
        case Alignment::Left:
            break;
    }
    return "[LEFT]";
}

std::optional<Alignment> alignmentOf(const std::string& text) {
    for (Alignment alignment : {Alignment::Left, Alignment::Right, Alignment::Center})
        if (text == alignmentText(alignment)) return alignment;
    return std::nullopt;
}

std::string nextAlignmentText(const std::string& text) {
    const std::optional<Alignment> alignment = alignmentOf(text);
    if (!alignment) return text;
    switch (*alignment) {
        case Alignment::Left:
            return alignmentText(Alignment::Center);
        case Alignment::Center:
            return alignmentText(Alignment::Right);
        case Alignment::Right:
            break;
    }
    return alignmentText(Alignment::Left);
}

JavaColour appletBackground(bool automatic, int colourIndex) {
    const bool known = colourIndex >= 0 && colourIndex < static_cast<int>(ColourTable.size());
    return ColourTable[automatic && known ? colourIndex : DefaultColourIndex];
}

}  // namespace tz
