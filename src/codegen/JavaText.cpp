#include "codegen/JavaText.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace tz {

namespace {
bool startsWith(std::string_view text, std::size_t i, char first, char second) {
    return i + 1 < text.size() && text[i] == first && text[i + 1] == second;
}
bool isLineEnd(char c) {
    return c == '\r' || c == '\n';
}

constexpr std::uint64_t Ones = 0x0101010101010101;
constexpr std::uint64_t Low7 = 0x7f7f7f7f7f7f7f7f;

// A character in every byte of a word.
constexpr std::uint64_t broadcast(char c) {
    return Ones * static_cast<unsigned char>(c);
}

// Per state: the characters that may end it, repeated to fill, also as
// words. Outside literals a blank that a blank follows stops the fold too.
struct StateStops {
    constexpr StateStops(std::array<char, 4> stopCharacters, bool stopBlankPairs)
        : characters(stopCharacters), blankPairs(stopBlankPairs) {
        for (std::size_t k = 0; k < characters.size(); ++k) words[k] = broadcast(characters[k]);
    }
    std::array<char, 4> characters;
    std::array<std::uint64_t, 4> words{};
    bool blankPairs;
};
constexpr std::array<StateStops, 5> Stops = {
    StateStops({'/', '"', '\'', '/'}, true), StateStops({'\n', '\n', '\n', '\n'}, true),
    StateStops({'*', '*', '*', '*'}, true), StateStops({'\\', '"', '\r', '\n'}, false),
    StateStops({'\\', '\'', '\r', '\n'}, false)};

bool isStateStop(const StateStops& stops, char c) {
    return c == stops.characters[0] || c == stops.characters[1] || c == stops.characters[2] ||
           c == stops.characters[3];
}

bool isBlankPair(std::string_view text, std::size_t i) {
    return text[i] == ' ' && i + 1 < text.size() && text[i + 1] == ' ';
}

std::uint64_t loadWord(const char* bytes) {
    std::uint64_t word;
    std::memcpy(&word, bytes, sizeof word);
    return word;
}

// The high bit of each byte of word that matches the same byte of pattern,
// and no other bit.
std::uint64_t equalBytes(std::uint64_t word, std::uint64_t pattern) {
    const std::uint64_t x = word ^ pattern;
    return ~(((x & Low7) + Low7) | x | Low7);
}

// The stops among the eight bytes from bytes on; the ninth byte is read to
// find a pair of blanks in the eighth.
std::uint64_t stopBytes(const char* bytes, const StateStops& stops) {
    const std::uint64_t word = loadWord(bytes);
    std::uint64_t hits = equalBytes(word, stops.words[0]) | equalBytes(word, stops.words[1]) |
                         equalBytes(word, stops.words[2]) | equalBytes(word, stops.words[3]);
    if (stops.blankPairs) {
        const std::uint64_t blank = broadcast(' ');
        hits |= equalBytes(word, blank) & equalBytes(loadWord(bytes + 1), blank);
    }
    return hits;
}

// The index of the first byte of a word marked by its high bit.
std::size_t firstMarkedByte(std::uint64_t marks) {
    const int bits = std::endian::native == std::endian::little ? std::countr_zero(marks)
                                                                : std::countl_zero(marks);
    return std::size_t(bits) / 8;
}

// The first position from i on where a blank run ends.
std::size_t skipBlanks(std::string_view text, std::size_t i) {
    while (i < text.size() && text[i] == ' ') ++i;
    return i;
}

// Whether text holds "/*", found by the rarer '*'.
bool hasBlockCommentStart(std::string_view text) {
    for (auto star = text.find('*', 1); star != std::string_view::npos;
         star = text.find('*', star + 1)) {
        if (text[star - 1] == '/') return true;
    }
    return false;
}

}  // namespace

std::size_t JavaTextReader::nextNotable(std::string_view text, std::size_t i) const {
    const StateStops& stops = Stops[static_cast<int>(state_)];
    while (i < text.size() && !isStateStop(stops, text[i])) ++i;
    return i;
}

std::size_t JavaTextReader::read(std::string_view text, std::size_t i) {
    const char c = text[i];
    switch (state_) {
        case State::Code:
            if (startsWith(text, i, '/', '/')) {
                state_ = State::LineComment;
                return 2;
            }
            if (startsWith(text, i, '/', '*')) {
                state_ = State::BlockComment;
                return 2;
            }
            if (c == '"') state_ = State::String;
            if (c == '\'') state_ = State::Character;
            return 1;
        case State::LineComment:
            if (c == '\n') state_ = State::Code;
            return 1;
        case State::BlockComment:
            if (startsWith(text, i, '*', '/')) {
                state_ = State::Code;
                return 2;
            }
            return 1;
        case State::String:
            return readLiteral(text, i, '"');
        case State::Character:
            return readLiteral(text, i, '\'');
    }
    return 1;
}

std::size_t JavaTextReader::readLiteral(std::string_view text, std::size_t i, char quote) {
    const char c = text[i];
    if (c == '\\' && i + 1 < text.size() && !isLineEnd(text[i + 1])) return 2;
    if (c == quote || isLineEnd(c)) state_ = State::Code;
    return 1;
}

// Skips eight bytes at a time where it can: most bytes are plain code.
std::size_t BlankFolder::nextStop(std::string_view text, std::size_t i) const {
    const StateStops& stops = Stops[static_cast<int>(reader_.state())];
    for (; i + 8 < text.size(); i += 8) {
        if (const std::uint64_t hits = stopBytes(text.data() + i, stops))
            return i + firstMarkedByte(hits);
    }
    while (i < text.size() && !isStateStop(stops, text[i]) &&
           !(stops.blankPairs && isBlankPair(text, i)))
        ++i;
    return i;
}

std::size_t BlankFolder::foldInPlace(char* part, std::size_t size) {
    if (size == 0) return 0;
    const std::string_view text(part, size);
    std::size_t kept = 0;      // length of the folded part written so far
    std::size_t copyFrom = 0;  // start of the text not yet moved down
    auto dropUpTo = [&](std::size_t end, std::size_t next) {
        std::memmove(part + kept, part + copyFrom, end - copyFrom);
        kept += end - copyFrom;
        copyFrom = next;
    };
    // A run of blanks may go on from the last part.
    std::size_t i = afterFreeBlank_ ? skipBlanks(text, 0) : 0;
    copyFrom = i;
    for (i = nextStop(text, i); i < size; i = nextStop(text, i)) {
        if (text[i] == ' ') {
            const std::size_t runEnd = skipBlanks(text, i + 1);
            dropUpTo(i + 1, runEnd);
            i = runEnd;
        } else {
            i += reader_.read(text, i);
        }
    }
    afterFreeBlank_ = text.back() == ' ' && !reader_.inLiteral();
    dropUpTo(size, size);
    return kept;
}

std::string foldBlankRuns(std::string_view text) {
    std::string folded(text);
    folded.resize(BlankFolder().foldInPlace(folded.data(), folded.size()));
    return folded;
}

bool endsInLineComment(std::string_view text) {
    // Only a block comment outlasts a line feed: without one, the last line decides.
    if (!hasBlockCommentStart(text)) {
        if (const std::size_t feed = text.rfind('\n'); feed != std::string_view::npos)
            text.remove_prefix(feed + 1);
    }
    JavaTextReader reader;
    for (std::size_t i = reader.nextNotable(text, 0); i < text.size();
         i = reader.nextNotable(text, i)) {
        i += reader.read(text, i);
    }
    return reader.state() == JavaTextReader::State::LineComment;
}

}  // namespace tz
