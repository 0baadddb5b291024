#include "platform/ProfileFile.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <limits>
#include <set>

#include "platform/LineBreaks.h"
#include "platform/SafeFile.h"

namespace tz {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

bool equalsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// "[name]" gives name; other lines give nullopt.
std::optional<std::string_view> sectionName(std::string_view line) {
    line = trimmed(line);
    if (line.size() < 2 || line.front() != '[') return std::nullopt;
    const auto close = line.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    return trimmed(line.substr(1, close - 1));
}

std::string_view unquoted(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

// Case-folded as equalsNoCase compares.
std::string lowered(std::string_view text) {
    std::string result(text);
    for (char& c : result) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return result;
}

}  // namespace

std::optional<int> parseProfileInt(const std::string& text) {
    std::string_view digits = trimmed(text);
    int base = 10;
    if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        digits.remove_prefix(2);
        base = 16;
    }
    if (digits.empty()) return std::nullopt;
    long long value = 0;
    const char* first = digits.data();
    const char* last = first + digits.size();
    if (base == 10 && *first == '+') ++first;
    const auto [end, error] = std::from_chars(first, last, value, base);
    if (error != std::errc() || end != last || first == last) return std::nullopt;
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(value);
}

ProfileFile ProfileFile::load(const std::string& path) {
    if (path.empty()) return ProfileFile{};  // no file at all
    std::string reason;
    return fromBytes(readRegularFile(path, reason).value_or(std::string()));
}

ProfileFile ProfileFile::fromBytes(std::string bytes) {
    ProfileFile profile;
    profile.bytes_ = std::move(bytes);
    profile.indexValues();
    return profile;
}

template <typename LineFound>
void ProfileFile::forEachLine(LineFound&& lineFound) const {
    std::size_t begin = 0;
    while (begin < bytes_.size()) {
        std::size_t end = findLineBreak(bytes_, begin);
        if (end == std::string::npos) end = bytes_.size();
        const std::size_t next = end < bytes_.size() ? afterLineBreak(bytes_, end) : end;
        lineFound(Line{begin, end, next});
        begin = next;
    }
}

std::vector<ProfileFile::Line> ProfileFile::lines() const {
    std::vector<Line> result;
    forEachLine([&](const Line& line) { result.push_back(line); });
    return result;
}

void ProfileFile::indexValues() {
    values_.clear();
    std::set<std::string> sectionsSeen;
    const std::string* section = nullptr;  // null outside the first section of a name
    forEachLine([&](const Line& at) {
        const std::string_view line = std::string_view(bytes_).substr(at.begin, at.end - at.begin);
        if (const auto name = sectionName(line)) {
            const auto [entry, first] = sectionsSeen.insert(lowered(*name));
            section = first ? &*entry : nullptr;
            return;
        }
        if (!section) return;
        const auto equals = line.find('=');
        if (equals == std::string_view::npos) return;
        const std::string_view raw = unquoted(trimmed(line.substr(equals + 1)));
        values_.try_emplace({*section, lowered(trimmed(line.substr(0, equals)))},
                            raw.substr(0, MaxValueLength));
    });
}

std::optional<std::size_t> ProfileFile::findSection(const std::vector<Line>& all,
                                                    const std::string& section) const {
    for (std::size_t i = 0; i < all.size(); ++i) {
        const auto name =
            sectionName(std::string_view(bytes_).substr(all[i].begin, all[i].end - all[i].begin));
        if (name && equalsNoCase(*name, section)) return i;
    }
    return std::nullopt;
}

std::optional<std::size_t> ProfileFile::findKey(const std::vector<Line>& all,
                                                std::size_t sectionLine,
                                                const std::string& key) const {
    for (std::size_t i = sectionLine + 1; i < all.size(); ++i) {
        const std::string_view line =
            std::string_view(bytes_).substr(all[i].begin, all[i].end - all[i].begin);
        if (sectionName(line)) break;
        const auto equals = line.find('=');
        if (equals != std::string_view::npos && equalsNoCase(trimmed(line.substr(0, equals)), key))
            return i;
    }
    return std::nullopt;
}

std::optional<std::string> ProfileFile::value(const std::string& section,
                                              const std::string& key) const {
    const auto found = values_.find({lowered(section), lowered(key)});
    if (found == values_.end()) return std::nullopt;
    return found->second;
}

std::string ProfileFile::readString(const std::string& section, const std::string& key,
                                    const std::string& fallback) const {
    return value(section, key).value_or(fallback);
}

int ProfileFile::readInt(const std::string& section, const std::string& key, int fallback) const {
    const auto text = value(section, key);
    if (!text) return fallback;
    return parseProfileInt(*text).value_or(fallback);
}

void ProfileFile::write(const std::string& section, const std::string& key,
                        const std::string& value) {
    place(section, key, value);
    indexValues();
}

void ProfileFile::place(const std::string& section, const std::string& key,
                        const std::string& value) {
    const std::string entry = key + "=" + value;
    const auto all = lines();
    const auto sectionLine = findSection(all, section);
    if (!sectionLine) {
        if (!bytes_.empty() && bytes_.back() != '\n') bytes_ += "\r\n";
        if (!bytes_.empty()) bytes_ += "\r\n";
        bytes_ += "[" + section + "]\r\n" + entry + "\r\n";
        return;
    }
    if (const auto keyLine = findKey(all, *sectionLine, key)) {
        const Line& line = all[*keyLine];
        bytes_.replace(line.begin, line.end - line.begin, entry);
        return;
    }
    // After the section's last non-blank line.
    std::size_t last = *sectionLine;
    for (std::size_t i = *sectionLine + 1; i < all.size(); ++i) {
        const std::string_view line =
            std::string_view(bytes_).substr(all[i].begin, all[i].end - all[i].begin);
        if (sectionName(line)) break;
        if (!trimmed(line).empty()) last = i;
    }
    const Line& anchor = all[last];
    if (anchor.next == anchor.end) {  // the file's last line has no line break
        bytes_.insert(anchor.end, "\r\n" + entry);
    } else {
        bytes_.insert(anchor.next, entry + "\r\n");
    }
}

void ProfileFile::writeInt(const std::string& section, const std::string& key, int value) {
    write(section, key, std::to_string(value));
}

bool ProfileFile::save(const std::string& path) const {
    return !saveFileBytes(path, bytes_);
}

}  // namespace tz
