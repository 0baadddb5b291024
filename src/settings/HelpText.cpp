#include "settings/HelpText.h"

#include <algorithm>

namespace tz {

namespace {

constexpr int DeepestHeading = 3;

std::vector<std::string> splitLines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t begin = 0;
    while (begin < bytes.size()) {
        std::size_t end = bytes.find('\n', begin);
        if (end == std::string::npos) end = bytes.size();
        std::size_t textEnd = end;
        if (textEnd > begin && bytes[textEnd - 1] == '\r') --textEnd;
        lines.push_back(bytes.substr(begin, textEnd - begin));
        begin = end + 1;
    }
    return lines;
}

std::string trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return std::string();
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// 1 for "===", 2 for "---" (three or more), else 0.
int underlineLevel(const std::string& line) {
    const std::string mark = trimmed(line);
    if (mark.size() < 3) return 0;
    for (const auto& [symbol, level] : {std::pair{'=', 1}, std::pair{'-', 2}}) {
        if (mark.find_first_not_of(symbol) == std::string::npos) return level;
    }
    return 0;
}

int hashLevel(const std::string& line) {
    const std::size_t hashes = line.find_first_not_of('#');
    if (hashes == 0 || hashes == std::string::npos) return 0;
    if (line[hashes] != ' ') return 0;
    return std::min(int(hashes), DeepestHeading);
}

}  // namespace

std::vector<HelpLine> plainHelpLines(const std::string& bytes) {
    const std::vector<std::string> lines = splitLines(bytes);
    std::vector<HelpLine> result;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (const int level = hashLevel(line)) {
            result.push_back({trimmed(line.substr(line.find_first_not_of('#'))), level});
            continue;
        }
        const bool underlined =
            i + 1 < lines.size() && !trimmed(line).empty() && underlineLevel(lines[i + 1]) > 0;
        if (underlined) {
            result.push_back({trimmed(line), underlineLevel(lines[i + 1])});
            ++i;
            continue;
        }
        result.push_back({line, 0});
    }
    return result;
}

}  // namespace tz
