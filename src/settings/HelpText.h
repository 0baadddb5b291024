#pragma once
// Plain-text help files: which lines are headings. A line starting with
// "#" is a heading of as many levels as it has "#"; a line underlined by a
// line of "=" or "-" is a heading of level 1 or 2, the underline dropped.
#include <string>
#include <vector>

namespace tz {

struct HelpLine {
    std::string text;
    int headingLevel = 0;  // 0 for body text, else 1 to 3
    bool operator==(const HelpLine&) const = default;
};

std::vector<HelpLine> plainHelpLines(const std::string& bytes);

}  // namespace tz
