#include "project/ProjectFileLines.h"

namespace tz {
namespace {

// Whether the line, its leading backslashes aside, reads as a marker.
bool posesAsMarker(std::string_view rest, LineRole role) {
    switch (role) {
        case LineRole::Body:
            return rest == "[]";
        case LineRole::Imports:
            return !rest.empty() && rest.front() == '[';
        case LineRole::Parameter: {
            const std::size_t bracket = rest.find_first_not_of(" \t");
            return bracket != std::string_view::npos && rest[bracket] == '[';
        }
    }
    return false;
}

std::size_t leadingBackslashes(std::string_view line) {
    const std::size_t count = line.find_first_not_of('\\');
    return count == std::string_view::npos ? line.size() : count;
}

}  // namespace

bool needsEscape(std::string_view line, LineRole role) {
    return posesAsMarker(line.substr(leadingBackslashes(line)), role);
}

std::string_view unescapedLine(std::string_view line, LineRole role) {
    const std::size_t backslashes = leadingBackslashes(line);
    if (backslashes > 0 && posesAsMarker(line.substr(backslashes), role)) return line.substr(1);
    return line;
}

bool LineStream::skipPast(std::string_view marker) {
    while (const auto line = next()) {
        if (*line == marker) return true;
    }
    return false;
}

}  // namespace tz
