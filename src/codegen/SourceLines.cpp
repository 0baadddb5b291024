#include "codegen/SourceLines.h"

#include <charconv>
#include <cstdint>
#include <cstring>

namespace tz {

namespace {

constexpr std::string_view MarkerStart = "//\\";

bool endsLine(std::string_view text, std::size_t i) {
    return text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'));
}

bool mayEndLine(char c) {
    return static_cast<unsigned char>(c) <= '\r';
}

// The first position from i on, before end, of a byte that may end a line
// (one up to CR), else end. Skips eight bytes at a time where it can.
std::size_t nextLineEndCandidate(std::string_view text, std::size_t i, std::size_t end) {
    constexpr std::uint64_t Ones = 0x0101010101010101;
    constexpr std::uint64_t HighBits = 0x8080808080808080;
    for (; i + 8 <= end; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, text.data() + i, 8);
        // Nonzero when some byte is below 14, that is up to CR.
        if ((word - Ones * 14) & ~word & HighBits) break;
    }
    while (i < end && !mayEndLine(text[i])) ++i;
    return i;
}

}  // namespace

SourceLineMap::SourceLineMap(std::string_view source, const std::vector<SourceSpan>& spans) {
    std::vector<bool> byProject;
    std::size_t line = 0;
    auto claim = [&](const SourceSpan& span) {
        if (line == lines_.size()) {
            lines_.push_back(span.place);
            byProject.push_back(span.fromProject);
        } else if (span.fromProject) {
            lines_[line] = span.place;
            byProject[line] = true;
        }
    };
    for (std::size_t s = 0; s < spans.size(); ++s) {
        const SourceSpan& span = spans[s];
        const std::size_t end = s + 1 < spans.size() ? spans[s + 1].offset : source.size();
        if (span.offset >= end) continue;
        claim(span);
        for (std::size_t i = nextLineEndCandidate(source, span.offset, end); i < end;
             i = nextLineEndCandidate(source, i + 1, end)) {
            if (!endsLine(source, i)) continue;
            ++line;
            if (i + 1 < end) claim(span);
        }
    }
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
