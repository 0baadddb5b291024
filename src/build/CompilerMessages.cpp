#include "build/CompilerMessages.h"

#include <charconv>

namespace tz {

namespace {

const std::string MarkerStart = "//\\";

std::optional<int> decimal(const std::string& field) {
    int value = 0;
    const char* first = field.data();
    const char* last = first + field.size();
    const auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last || field.empty()) return std::nullopt;
    return value;
}

}  // namespace

bool compileFailed(const std::string& output) {
    return output.size() >= FailedOutputLength;
}

std::variant<ErrorPlace, MarkerFieldError, NoMarker> findErrorPlace(const std::string& output) {
    const auto marker = output.find(MarkerStart);
    if (marker == std::string::npos) return NoMarker{};
    const std::string shown = output.substr(0, marker);
    std::size_t position = marker + MarkerStart.size();
    int numbers[3] = {};
    for (int& number : numbers) {
        const auto comma = output.find(',', position);
        const std::string field = output.substr(
            position, comma == std::string::npos ? std::string::npos : comma - position);
        const auto value = decimal(field);
        if (!value) return MarkerFieldError{shown, field};
        number = *value;
        if (comma == std::string::npos) return MarkerFieldError{shown, ""};
        position = comma + 1;
    }
    return ErrorPlace{shown, numbers[0], numbers[1], numbers[2]};
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
