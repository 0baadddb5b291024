#pragma once
// Where each line of a generated source came from: the line map kept with
// the source, and the location marker the generator ends a line with.
#include <cstddef>
#include <optional>
#include <string_view>
#include <utility>
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

class SourceLineMap {
  public:
    SourceLineMap() = default;
    // The place of each line, the first line first.
    explicit SourceLineMap(std::vector<SourcePlace> lines) : lines_(std::move(lines)) {}

    // Line n of the source, from 1, with CR LF, CR and LF each ending a line
    // as the compiler counts them; nullopt past the last line.
    std::optional<SourcePlace> place(long line) const;
    std::size_t lineCount() const { return lines_.size(); }

  private:
    std::vector<SourcePlace> lines_;
};

// Builds the line map while the source is written, piece by piece. A line
// that holds project text takes the last project text on it, else the
// generator's.
class SourceLineRecorder {
  public:
    // What is added from now on came from place; fromProject is false for
    // the generator's own code.
    void from(const SourcePlace& place, bool fromProject) {
        place_ = place;
        fromProject_ = fromProject;
        claimed_ = false;
    }
    void add(std::string_view piece);
    // Project text from place that holds no line end, then its line end: the
    // same as adding them, without reading them. Inline: most lines come here.
    [[gnu::always_inline]] void addUnbrokenLine(const SourcePlace& place) {
        from(place, true);
        if (std::exchange(crPending_, false)) endLine();
        claimLine();
        endLine();
    }
    void reserve(std::size_t lineCount) { lines_.reserve(lineCount); }
    // The map of what was added; the recorder is left empty.
    SourceLineMap takeMap() { return SourceLineMap(std::exchange(lines_, {})); }

  private:
    void claimLine() {
        if (std::exchange(claimed_, true)) return;
        if (line_ == lines_.size()) {
            lines_.push_back(place_);
        } else if (fromProject_) {
            lines_[line_] = place_;
        }
    }
    void endLine() {
        ++line_;
        claimed_ = false;
    }

    std::vector<SourcePlace> lines_;
    std::size_t line_ = 0;
    SourcePlace place_;
    bool fromProject_ = false;
    bool claimed_ = false;    // the current line holds text from place_
    bool crPending_ = false;  // the last piece ended in a CR, maybe the start of a CR LF
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
