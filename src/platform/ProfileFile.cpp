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

void ProfileFile::indexValues() const {
    values_.clear();
    indexed_ = true;
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

std::optional<std::string> ProfileFile::value(const std::string& section,
                                              const std::string& key) const {
    if (!indexed_) indexValues();
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
    write({{section, key, value}});
}

namespace {

// What a write does to one section: its keys in the order first written,
// each with its last line and where the file's first section of that name
// holds it.
struct SectionWrite {
    std::string name;
    std::map<std::string, std::size_t> keyIndex;  // lower-case key -> index below
    std::vector<std::string> entries;             // "key=value"
    std::vector<std::optional<std::pair<std::size_t, std::size_t>>> found;  // begin, end
    bool present = false;
    // The section's last non-blank line (its header when there is none):
    // its end, and the start of the line after it.
    std::size_t anchorEnd = 0;
    std::size_t anchorNext = 0;
};

struct SectionWrites {
    std::vector<SectionWrite> sections;
    std::map<std::string, std::size_t> index;  // lower-case name -> section
};

SectionWrites planWrites(const std::vector<ProfileEntry>& entries) {
    SectionWrites plan;
    for (const ProfileEntry& entry : entries) {
        const auto [at, added] =
            plan.index.try_emplace(lowered(entry.section), plan.sections.size());
        if (added) plan.sections.emplace_back().name = entry.section;
        SectionWrite& target = plan.sections[at->second];
        const auto [key, newKey] =
            target.keyIndex.try_emplace(lowered(entry.key), target.entries.size());
        const std::string line = entry.key + "=" + entry.value;
        if (newKey) {
            target.entries.push_back(line);
            target.found.emplace_back();
        } else {
            target.entries[key->second] = line;  // a later write of a key wins
        }
    }
    return plan;
}

struct Edit {
    std::size_t begin;
    std::size_t end;
    std::string text;
};

// The bytes with every planned key replaced or added, in one copy.
std::string applyWrites(const std::string& bytes, const SectionWrites& plan) {
    std::vector<Edit> edits;
    std::vector<std::string> newSections;
    for (const SectionWrite& section : plan.sections) {
        std::string added;
        for (std::size_t i = 0; i < section.entries.size(); ++i) {
            if (section.found[i])
                edits.push_back(
                    {section.found[i]->first, section.found[i]->second, section.entries[i]});
            else
                added += section.entries[i] + "\r\n";
        }
        if (!section.present) {
            newSections.push_back("[" + section.name + "]\r\n" + added);
        } else if (!added.empty() && section.anchorNext == section.anchorEnd) {
            // The file's last line has no line break.
            added.resize(added.size() - 2);
            edits.push_back({section.anchorEnd, section.anchorEnd, "\r\n" + added});
        } else if (!added.empty()) {
            edits.push_back({section.anchorNext, section.anchorNext, added});
        }
    }
    std::sort(edits.begin(), edits.end(),
              [](const Edit& a, const Edit& b) { return a.begin < b.begin; });
    std::string written;
    written.reserve(bytes.size());
    std::size_t copied = 0;
    for (const Edit& edit : edits) {
        written.append(bytes, copied, edit.begin - copied);
        written += edit.text;
        copied = edit.end;
    }
    written.append(bytes, copied);
    // A new section goes at the end, after a blank line.
    for (const std::string& section : newSections) {
        if (!written.empty() && written.back() != '\n') written += "\r\n";
        if (!written.empty()) written += "\r\n";
        written += section;
    }
    return written;
}

}  // namespace

void ProfileFile::write(const std::vector<ProfileEntry>& entries) {
    SectionWrites plan = planWrites(entries);
    SectionWrite* current = nullptr;
    forEachLine([&](const Line& at) {
        const std::string_view line = std::string_view(bytes_).substr(at.begin, at.end - at.begin);
        const auto name = sectionName(line);
        if (name) {
            // Only the first section of a name is written to.
            const auto found = plan.index.find(lowered(*name));
            current = found == plan.index.end() || plan.sections[found->second].present
                          ? nullptr
                          : &plan.sections[found->second];
            if (current) current->present = true;
        }
        if (!current) return;
        if (!trimmed(line).empty()) {
            current->anchorEnd = at.end;
            current->anchorNext = at.next;
        }
        const auto equals = line.find('=');
        if (name || equals == std::string_view::npos) return;
        const auto key = current->keyIndex.find(lowered(trimmed(line.substr(0, equals))));
        if (key != current->keyIndex.end() && !current->found[key->second])
            current->found[key->second] = std::pair{at.begin, at.end};
    });
    bytes_ = applyWrites(bytes_, plan);
    indexed_ = false;
}

void ProfileFile::writeInt(const std::string& section, const std::string& key, int value) {
    write(section, key, std::to_string(value));
}

bool ProfileFile::save(const std::string& path) const {
    return !saveFileBytes(path, bytes_);
}

}  // namespace tz
