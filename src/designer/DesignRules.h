#pragma once
// Rules of the design window that need no widgets: cell integers, component
// names, kind tags, label alignment texts and the applet's background colour.
#include <optional>
#include <string>
#include <vector>

#include "designer/DesignObjects.h"
#include "settings/ProjectOptions.h"

namespace tz {

// Leading blanks, an optional sign, then decimal digits or "$" and hex
// digits; nothing else, and the value must fit an int.
std::optional<int> toInteger(const std::string& text);
std::string integerError(const std::string& text);

// A letter or "_" first, then letters, digits or "_".
bool isIdentifier(const std::string& name);

// Names of the design window's own components, which objects may not take.
const std::vector<std::string>& fixedComponentNames();

// The message that refuses newName, or nothing when it is acceptable.
// takenNames are the names of every other component of the design window;
// names compare without regard to case. An empty name is always acceptable.
std::optional<std::string> componentNameError(const std::string& newName,
                                              const std::vector<std::string>& takenNames);
std::string nameTakenError(const std::string& name);

std::optional<ObjectKind> kindOfCreateTag(const std::string& tag);
std::optional<ObjectKind> kindOfCurrentTag(const std::string& tag);

std::string alignmentText(Alignment alignment);
// Only the exact texts "[LEFT]", "[CENTER]" and "[RIGHT]" name an alignment.
std::optional<Alignment> alignmentOf(const std::string& text);
// "[LEFT]" -> "[CENTER]" -> "[RIGHT]" -> "[LEFT]"; any other text stays.
std::string nextAlignmentText(const std::string& text);

// The design window's colour: the chosen colour when the automatic
// background is on, light grey otherwise.
JavaColour appletBackground(bool automatic, int colourIndex);

}  // namespace tz
