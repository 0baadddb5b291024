#pragma once
// What the project file gives back for the texts it stores, and a full
// comparison of two class tables.
#include <string>

#include "platform/TextBytes.h"
#include "project/Project.h"

namespace fuzz {

// CR LF, CR and LF each end a line in the file; reading gives CR LF.
inline std::string crLfBreaks(const std::string& text) {
    std::string result;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            result += "\r\n";
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            result += text[i];
        }
    }
    return result;
}

// A stored body or imports text as reading gives it back: an empty first
// line, no white space (codes up to 32) at either end after it.
inline std::string gathered(const std::string& text) {
    std::string result = "\r\n" + tz::withoutLeadingWhite(crLfBreaks(text));
    while (!result.empty() && static_cast<unsigned char>(result.back()) <= 32) result.pop_back();
    return result;
}

// A one-line field as written: its line breaks become blanks.
inline std::string oneLine(std::string text) {
    for (char& c : text)
        if (c == '\r' || c == '\n') c = ' ';
    return text;
}

inline bool sameTables(const tz::Project& a, const tz::Project& b) {
    if (a.classCount() != b.classCount() || a.imports != b.imports) return false;
    for (int k = 0; k <= tz::Project::MaxClasses; ++k) {
        if (a.lastSlot(k) != b.lastSlot(k)) return false;
        for (int s = 0; s <= tz::Project::MaxMethods; ++s) {
            const tz::MethodSlot& x = a.slot(k, s);
            const tz::MethodSlot& y = b.slot(k, s);
            if (x.name != y.name || x.declaration != y.declaration || x.body != y.body)
                return false;
        }
    }
    return true;
}

}  // namespace fuzz
