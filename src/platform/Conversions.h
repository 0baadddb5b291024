#pragma once
// Conversions of cell and name texts shared by the designer and the project file.
#include <optional>
#include <string>

namespace tz {

// Integer text as number cells take it: leading blanks, an optional sign, then
// decimal digits or "$" and hexadecimal digits, and nothing else; nullopt
// when the text is not such an integer or does not fit an int.
std::optional<int> strToInt(const std::string& text);

// A letter or "_" first, then letters, digits or "_" (ASCII only).
bool isValidIdentifier(const std::string& text);

}  // namespace tz
