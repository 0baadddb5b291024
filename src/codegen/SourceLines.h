#pragma once
// Where each line of a generated source came from: the line map kept with
// the source, and the location marker the generator ends a line with.
#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

namespace tz {

// A place in the project: class, slot and body line from 0, or -1 for a
// declaration line and for code the generator wrote for the class.
struct SourcePlace {
    int classIndex = 0;
    int slot = 0;
    int bodyLine = -1;
    bool operator==(const SourcePlace&) const = default;
};

// Text of the source from offset on (up to the next span) came from place;
// fromProject is false for the generator's own code.
struct SourceSpan {
    std::size_t offset = 0;
    SourcePlace place;
    bool fromProject = false;
};

class SourceLineMap {
  public:
    SourceLineMap() = default;
    // spans in the order of their offsets, the first at 0. A line that holds
    // project text takes the last project text on it, else the generator's.
    SourceLineMap(std::string_view source, const std::vector<SourceSpan>& spans);

    // Line n of the source, from 1, with CR LF, CR and LF each ending a line
    // as the compiler counts them; nullopt past the last line.
    std::optional<SourcePlace> place(long line) const;
    std::size_t lineCount() const { return lines_.size(); }

  private:
    std::vector<SourcePlace> lines_;
};

// The marker the generator put at the end of line: its last "//\" followed
// by three whole numbers, each ended by a comma, and nothing after them but
// a CR. Position of the "//\" and the place it names.
struct LineMarker {
    std::size_t position;
    SourcePlace place;
};
std::optional<LineMarker> trailingMarker(std::string_view line);

// The marker of the first line of text that ends in one, with its position
// in text.
std::optional<LineMarker> firstLineMarker(std::string_view text);

}  // namespace tz
