#include "designer/DesignRules.h"

#include <QtCore/qnamespace.h>

#include "platform/Conversions.h"

#include <algorithm>
#include <cctype>
#include <unordered_set>

namespace tz {

namespace {

std::string lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// Java's keywords and literals: an object named so makes code that does not
// compile. The lone underscore has been a keyword since Java 9.
bool isJavaReservedWord(const std::string& name) {
    static const std::unordered_set<std::string> words = {
        "_",       "abstract",  "assert",       "boolean",  "break",      "byte",    "case",
        "catch",   "char",      "class",        "const",    "continue",   "default", "do",
        "double",  "else",      "enum",         "extends",  "false",      "final",   "finally",
        "float",   "for",       "goto",         "if",       "implements", "import",  "instanceof",
        "int",     "interface", "long",         "native",   "new",        "null",    "package",
        "private", "protected", "public",       "return",   "short",      "static",  "strictfp",
        "super",   "switch",    "synchronized", "this",     "throw",      "throws",  "transient",
        "true",    "try",       "void",         "volatile", "while"};
    return words.count(name) > 0;
}

}  // namespace

std::string integerError(const std::string& text) {
    return "'" + text + "' is not a valid integer value";
}

std::string rangeError(int low, int high) {
    return "Value must be between " + std::to_string(low) + " and " + std::to_string(high);
}

IntRange fieldRange(RecordField field) {
    return field == Xpos || field == Ypos ? PositionRange : SizeRange;
}

CheckedNumber numberIn(const std::string& text, IntRange range) {
    const std::optional<int> value = strToInt(text);
    if (!value) return {std::nullopt, integerError(text)};
    if (!range.contains(*value)) return {std::nullopt, rangeError(range.low, range.high)};
    return {value, {}};
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

std::string emptyNameError() {
    return "An object needs a Name; use Delete to remove it";
}

std::string capacityError() {
    return "No more than " + std::to_string(ObjectTable::SlotCount) +
           " objects of one kind can be placed";
}

std::optional<std::string> componentNameError(const std::string& newName,
                                              const std::vector<std::string>& takenNames) {
    if (newName.empty()) return std::nullopt;
    if (!isValidIdentifier(newName) || isJavaReservedWord(newName))
        return "''" + newName + "'' is not a valid component name";
    const std::string key = lowered(newName);
    for (const std::string& taken : takenNames)
        if (lowered(taken) == key) return nameTakenError(newName);
    return std::nullopt;
}

int firstFreeNumber(const std::string& prefix, int first,
                    const std::vector<std::string>& takenNames) {
    std::vector<std::string> taken;
    taken.reserve(takenNames.size());
    for (const std::string& name : takenNames) taken.push_back(lowered(name));
    const std::string key = lowered(prefix);
    int number = first;
    while (std::find(taken.begin(), taken.end(), key + std::to_string(number)) != taken.end())
        ++number;
    return number;
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
    return ColourTable[automatic && isColourIndex(colourIndex) ? colourIndex : DefaultColourIndex];
}

KeyEdit keyEditFor(int key, bool shift, bool control, int gridStep) {
    const int step = shift ? gridStep : 1;
    const KeyEdit::Kind arrow = control ? KeyEdit::Kind::Resize : KeyEdit::Kind::Move;
    switch (key) {
        case Qt::Key_Left:
            return {arrow, -step, 0};
        case Qt::Key_Right:
            return {arrow, step, 0};
        case Qt::Key_Up:
            return {arrow, 0, -step};
        case Qt::Key_Down:
            return {arrow, 0, step};
        case Qt::Key_Delete:
        case Qt::Key_Backspace:
            return {KeyEdit::Kind::Delete};
        case Qt::Key_Escape:
            return {KeyEdit::Kind::ClearSelection};
        default:
            return {};
    }
}

}  // namespace tz
