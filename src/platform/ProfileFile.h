#pragma once
// Sectioned key=value files ("profile files"): the first section of a name
// wins, section and key names compare without regard to case, values are
// read as at most 1023 characters, and a write replaces a key in place or
// adds it, creating the section and the file when needed.
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tz {

struct ProfileEntry {
    std::string section;
    std::string key;
    std::string value;
};

class ProfileFile {
  public:
    static constexpr std::size_t MaxValueLength = 1023;

    // Reads the file; a missing or unreadable file is an empty profile.
    static ProfileFile load(const std::string& path);
    static ProfileFile fromBytes(std::string bytes);

    std::optional<std::string> value(const std::string& section, const std::string& key) const;
    std::string readString(const std::string& section, const std::string& key,
                           const std::string& fallback) const;
    // Decimal, or hexadecimal after "0x"; anything else gives the fallback.
    int readInt(const std::string& section, const std::string& key, int fallback) const;

    void write(const std::string& section, const std::string& key, const std::string& value);
    void writeInt(const std::string& section, const std::string& key, int value);
    // The same as writing each entry in turn, in one pass over the file
    // however large it is.
    void write(const std::vector<ProfileEntry>& entries);

    const std::string& bytes() const { return bytes_; }
    // Replaces the file's content safely; false when the file cannot be written.
    bool save(const std::string& path) const;

  private:
    struct Line {
        std::size_t begin;  // offset of the line's first byte
        std::size_t end;    // offset just past the line's text, before CR/LF
        std::size_t next;   // offset of the following line
    };
    template <typename LineFound>
    void forEachLine(LineFound&& lineFound) const;
    // Every value a lookup can find, gathered in one pass over the bytes at
    // the first lookup, so that a lookup does not search a large file again
    // and a file only written to is never indexed.
    void indexValues() const;

    std::string bytes_;
    // Keyed by section and key name in lower case.
    mutable std::map<std::pair<std::string, std::string>, std::string> values_;
    mutable bool indexed_ = false;
};

// Integer text as profile files read it; nullopt when it is not an integer.
std::optional<int> parseProfileInt(const std::string& text);

}  // namespace tz
