#include "toolchain/CompilerMessages.h"

#include <charconv>

namespace tz {

namespace {

// The line number of a message line "<folder>/<name>:<digits>: ...".
std::optional<long> messageLine(std::string_view line, std::string_view name) {
    for (std::size_t at = line.find(name); at != std::string_view::npos;
         at = line.find(name, at + 1)) {
        if (at > 0 && line[at - 1] != '/') continue;
        const std::size_t colon = at + name.size();
        if (colon >= line.size() || line[colon] != ':') continue;
        long number = 0;
        const char* first = line.data() + colon + 1;
        const char* last = line.data() + line.size();
        const auto [end, error] = std::from_chars(first, last, number);
        if (error == std::errc() && end != first && last - end >= 2 && end[0] == ':' &&
            end[1] == ' ')
            return number;
    }
    return std::nullopt;
}

}  // namespace

std::string compilerStatusNote(int status, const std::string& output) {
    constexpr int Signalled = 128;
    if (status > Signalled)
        return "The compiler was killed (signal " + std::to_string(status - Signalled) +
               ") before it finished: the compile failed.";
    if (status == 0 || compileFailed(output)) return {};
    return "The compiler ended with exit status " + std::to_string(status) +
           " and no message: the compile failed.";
}

bool compileFailed(const std::string& output) {
    return output.size() >= FailedOutputLength;
}

std::optional<long> firstMessageLine(const std::string& output, std::string_view sourceFileName) {
    if (sourceFileName.empty()) return std::nullopt;
    const std::string_view text = output;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t feed = text.find('\n', start);
        const std::size_t end = feed == std::string_view::npos ? text.size() : feed;
        if (const auto line = messageLine(text.substr(start, end - start), sourceFileName))
            return line;
        start = end + 1;
    }
    return std::nullopt;
}

std::optional<ErrorPlace> findErrorPlace(const std::string& output, const SourceLineMap& lines,
                                         std::string_view sourceFileName) {
    const auto marker = firstLineMarker(output);
    std::optional<SourcePlace> place;
    if (const auto line = firstMessageLine(output, sourceFileName)) place = lines.place(*line);
    if (!place && marker) place = marker->place;
    if (!place) return std::nullopt;
    const std::string shown = marker ? output.substr(0, marker->position) : output;
    return ErrorPlace{shown, place->classIndex, place->slot, place->bodyLine};
}

std::optional<LineRange> lineRange(const std::string& text, int lineIndex) {
    if (lineIndex < 0) return std::nullopt;
    std::size_t start = 0;
    for (int line = 0; line < lineIndex; ++line) {
        const auto feed = text.find('\n', start);
        if (feed == std::string::npos) return std::nullopt;
        start = feed + 1;
    }
    if (start >= text.size() && lineIndex > 0) return std::nullopt;
    const auto feed = text.find('\n', start);
    return LineRange{start, feed == std::string::npos ? text.size() : feed + 1};
}

}  // namespace tz
