#pragma once
// The project file's line level: reading lines, splitting texts into lines,
// and the leading-backslash escape that keeps a text's line from ending the
// text early or posing as a section when the file is read back.
#include <optional>
#include <string>
#include <string_view>

#include "platform/LineBreaks.h"

namespace tz {

// Where a line stands decides which lines need the escape.
enum class LineRole {
    Body,       // a body ends at a line "[]"
    Imports,    // the imports text ends at a line beginning with "["
    Parameter,  // a run-parameter cell must not look like a section header
};

// Whether the line is written with one more leading backslash, because it
// could be taken for a marker in its role.
bool needsEscape(std::string_view line, LineRole role);
// Undoes the escape: one leading backslash fewer on an escaped line.
std::string_view unescapedLine(std::string_view line, LineRole role);

// Reads a file's lines one by one; CR LF, CR and LF each end a line.
class LineStream {
  public:
    explicit LineStream(std::string_view bytes) : bytes_(bytes) {}

    // The next line without its line break; nullopt at the end of the file.
    std::optional<std::string_view> next() {
        if (position_ >= bytes_.size()) return std::nullopt;
        const std::size_t begin = position_;
        const std::size_t end = findLineBreak(bytes_, begin);
        if (end == std::string_view::npos) {
            position_ = bytes_.size();
            return bytes_.substr(begin);
        }
        position_ = afterLineBreak(bytes_, end);
        return bytes_.substr(begin, end - begin);
    }
    // Skips lines up to and including the one that equals marker; false when
    // the file ends first.
    bool skipPast(std::string_view marker);
    // Offset of the next line.
    std::size_t position() const { return position_; }

  private:
    std::string_view bytes_;
    std::size_t position_ = 0;
};

// Calls lineFound for each line of a text: its pieces between CR LF, CR or LF
// line breaks, so a text of n line breaks has n + 1 lines.
template <typename LineFound>
void forEachLine(std::string_view text, LineFound&& lineFound) {
    std::size_t begin = 0;
    for (;;) {
        const std::size_t end = findLineBreak(text, begin);
        if (end == std::string_view::npos) {
            lineFound(text.substr(begin));
            return;
        }
        lineFound(text.substr(begin, end - begin));
        begin = afterLineBreak(text, end);
    }
}

}  // namespace tz
