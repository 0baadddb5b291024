#pragma once
// Reading the compiler's output back to the place of the first error.
#include <optional>
#include <string>
#include <variant>

namespace tz {

// Output of this many characters or more means the compile failed.
inline constexpr std::size_t FailedOutputLength = 5;
bool compileFailed(const std::string& output);

struct ErrorPlace {
    std::string shownOutput;  // the output up to the first location marker
    int classIndex = 0;
    int slot = 0;
    int bodyLine = 0;  // -1 for a declaration line
};

struct MarkerFieldError {
    std::string shownOutput;  // the output is cut all the same
    std::string field;        // the text that is not a number
};

struct NoMarker {};

// The first location marker "//\class,slot,line," of the output.
std::variant<ErrorPlace, MarkerFieldError, NoMarker> findErrorPlace(const std::string& output);

struct LineRange {
    std::size_t start;
    std::size_t end;  // just past the line's line feed, or the end of the text
};
// Line n (from 0) of a text, nullopt when the text has fewer lines.
std::optional<LineRange> lineRange(const std::string& text, int lineIndex);

}  // namespace tz
