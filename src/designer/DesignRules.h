#pragma once
// Rules of the design window that need no widgets: cell integers, component
// names, kind tags, label alignment texts and the applet's background colour.
#include <optional>
#include <string>
#include <vector>

#include "designer/DesignObjects.h"
#include "designer/SelectionHandles.h"
#include "settings/ProjectOptions.h"

namespace tz {

// The message that refuses a cell text that is no integer (see strToInt).
std::string integerError(const std::string& text);
// The message that refuses a number outside low to high.
std::string rangeError(int low, int high);

struct IntRange {
    int low;
    int high;
    bool contains(int value) const { return value >= low && value <= high; }
};
// Positions reach one applet size beyond either edge; sizes are at least 1
// and at most an applet's: x + width never leaves int.
inline constexpr IntRange PositionRange{-MaxAppletSize, MaxAppletSize};
inline constexpr IntRange SizeRange{1, MaxAppletSize};
inline constexpr IntRange AppletWidthRange{1, MaxAppletSize};
inline constexpr IntRange AppletHeightRange{AppletCaptionHeight + 1, MaxAppletSize};
// The range of Xpos, Ypos, Width or Height.
IntRange fieldRange(RecordField field);

// A number cell's value, or the message refusing its text: no integer, or
// outside range.
struct CheckedNumber {
    std::optional<int> value;
    std::string error;
};
CheckedNumber numberIn(const std::string& text, IntRange range);

// Names of the design window's own components, which objects may not take.
const std::vector<std::string>& fixedComponentNames();

// The message that refuses newName, or nothing when it is acceptable.
// takenNames are the names of every other component of the design window;
// names compare without regard to case. An empty name is always acceptable.
std::optional<std::string> componentNameError(const std::string& newName,
                                              const std::vector<std::string>& takenNames);
std::string nameTakenError(const std::string& name);
// The message that refuses an empty Name for an object in use: only Delete
// removes an object.
std::string emptyNameError();
// The message that refuses an object of a kind whose slots are all taken.
std::string capacityError();

// The first number from first up for which prefix + number is none of
// takenNames, compared without regard to case.
int firstFreeNumber(const std::string& prefix, int first,
                    const std::vector<std::string>& takenNames);

std::string alignmentText(Alignment alignment);
// Only the exact texts "[LEFT]", "[CENTER]" and "[RIGHT]" name an alignment.
std::optional<Alignment> alignmentOf(const std::string& text);
// "[LEFT]" -> "[CENTER]" -> "[RIGHT]" -> "[LEFT]"; any other text stays.
std::string nextAlignmentText(const std::string& text);

// What a key on the design window does to the selected object: arrows move
// it by 1, with Shift by the grid step; with Ctrl they resize it.
struct KeyEdit {
    enum class Kind { None, Move, Resize, Delete, ClearSelection };
    Kind kind = Kind::None;
    int dx = 0;
    int dy = 0;
};
KeyEdit keyEditFor(int key, bool shift, bool control, int gridStep = GridStep);

// The design window's colour: the chosen colour when the automatic
// background is on, light grey otherwise.
JavaColour appletBackground(bool automatic, int colourIndex);

}  // namespace tz
