#include "codegen/SourceLines.h"

#include "codegen/ByteChunks.h"

#include <charconv>
#include <utility>

namespace tz {

namespace {

constexpr std::string_view MarkerStart = "//\\";

}  // namespace

void SourceLineRecorder::add(std::string_view piece) {
    if (piece.empty()) return;
    if (std::exchange(crPending_, false) && piece.front() != '\n') endLine();
    claimLine();
    forEachOf<'\r', '\n'>(piece, [&](std::size_t i) {
        if (piece[i] == '\r') {
            if (i + 1 == piece.size()) {
                crPending_ = true;
                return;
            }
            if (piece[i + 1] == '\n') return;  // the line feed ends the line
        }
        endLine();
        if (i + 1 < piece.size()) claimLine();
    });
}

std::optional<SourcePlace> SourceLineMap::place(long line) const {
    if (line < 1 || std::size_t(line) > lines_.size()) return std::nullopt;
    return lines_[std::size_t(line) - 1];
}

std::optional<LineMarker> trailingMarker(std::string_view line) {
    if (line.ends_with('\r')) line.remove_suffix(1);
    const std::size_t start = line.rfind(MarkerStart);
    if (start == std::string_view::npos) return std::nullopt;
    std::size_t position = start + MarkerStart.size();
    int numbers[3] = {};
    for (int& number : numbers) {
        const std::size_t comma = line.find(',', position);
        if (comma == std::string_view::npos || comma == position) return std::nullopt;
        const char* first = line.data() + position;
        const char* last = line.data() + comma;
        const auto [end, error] = std::from_chars(first, last, number);
        if (error != std::errc() || end != last) return std::nullopt;
        position = comma + 1;
    }
    if (position != line.size()) return std::nullopt;
    return LineMarker{start, {numbers[0], numbers[1], numbers[2]}};
}

std::optional<LineMarker> firstLineMarker(std::string_view text) {
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t feed = text.find('\n', start);
        const std::size_t end = feed == std::string_view::npos ? text.size() : feed;
        if (auto marker = trailingMarker(text.substr(start, end - start))) {
            marker->position += start;
            return marker;
        }
        start = end + 1;
    }
    return std::nullopt;
}

}  // namespace tz
