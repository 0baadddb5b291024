#pragma once
// Reading the compiler's output back to the place of the first error.
#include <optional>
#include <string>
#include <string_view>

#include "codegen/SourceLines.h"

namespace tz {

// Output of this many characters or more means the compile failed.
inline constexpr std::size_t FailedOutputLength = 5;
bool compileFailed(const std::string& output);

// What the message memo adds when the compiler's status (the batch
// runner's: 128 + N after signal N) says the compile failed and its output
// does not: a compiler that was killed, or that failed without a word.
// Empty when there is nothing to add.
std::string compilerStatusNote(int status, const std::string& output);

struct ErrorPlace {
    std::string shownOutput;  // the output up to the first location marker
    int classIndex = 0;
    int slot = 0;
    int bodyLine = 0;  // -1 for a declaration line or generated code
};

// The line number of the compiler's first message on the file named
// sourceFileName ("/dir/A.java:37: error: ..." for "A.java").
std::optional<long> firstMessageLine(const std::string& output, std::string_view sourceFileName);

// The place of the first message's line in lines; when that cannot be read,
// the place named by the first location marker. nullopt when the output
// names neither; the output is then shown as it is.
std::optional<ErrorPlace> findErrorPlace(const std::string& output, const SourceLineMap& lines,
                                         std::string_view sourceFileName);

struct LineRange {
    std::size_t start;
    std::size_t end;  // just past the line's line feed, or the end of the text
};
// Line n (from 0) of a text, nullopt when the text has fewer lines.
std::optional<LineRange> lineRange(const std::string& text, int lineIndex);

}  // namespace tz
