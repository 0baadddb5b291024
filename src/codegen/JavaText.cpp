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

// The index of the first nonzero byte of a word, in memory order.
std::size_t firstMarkedByte(std::uint64_t marks) {
    const int bits = std::endian::native == std::endian::little ? std::countr_zero(marks)
                                                                : std::countl_zero(marks);
    return std::size_t(bits) / 8;
}

// Sixteen bytes, compared all at once where the machine can.
using Bytes16 = char __attribute__((vector_size(16)));

Bytes16 loadBytes16(const char* bytes) {
    Bytes16 loaded;
    std::memcpy(&loaded, bytes, sizeof loaded);
    return loaded;
}

// The first position from i on of one of Stops or, with BlankPairs, of a
// blank that a blank follows. Looks at sixteen bytes at a time where it
// can: most bytes are plain code.
template <bool BlankPairs, char... Stops>
std::size_t find(std::string_view text, std::size_t i) {
    const char* const data = text.data();
    for (; i + 16 < text.size(); i += 16) {
        const Bytes16 bytes = loadBytes16(data + i);
        auto hits = ((bytes == Stops) | ...);
        if constexpr (BlankPairs) hits |= (bytes == ' ') & (loadBytes16(data + i + 1) == ' ');
        std::array<std::uint64_t, 2> halves;
        std::memcpy(halves.data(), &hits, sizeof halves);
        if (halves[0]) return i + firstMarkedByte(halves[0]);
        if (halves[1]) return i + 8 + firstMarkedByte(halves[1]);
    }
    for (; i < text.size(); ++i) {
        if (((data[i] == Stops) || ...)) break;
        if (BlankPairs && data[i] == ' ' && i + 1 < text.size() && data[i + 1] == ' ') break;
    }
    return i;
}

// The first position from i on of a character that may end state.
std::size_t nextStop(JavaTextReader::State state, std::string_view text, std::size_t i) {
    using State = JavaTextReader::State;
    switch (state) {
        case State::Code:
            return find<false, '/', '"', '\''>(text, i);
        case State::LineComment:
            return find<false, '\n'>(text, i);
        case State::BlockComment:
            return find<false, '*'>(text, i);
        case State::String:
            return find<false, '\\', '"', '\r', '\n'>(text, i);
        case State::Character:
            return find<false, '\\', '\'', '\r', '\n'>(text, i);
    }
    return text.size();
}

// The first position from i on where a blank run ends.
std::size_t skipBlanks(std::string_view text, std::size_t i) {
    while (i < text.size() && text[i] == ' ') ++i;
    return i;
}

// Moves size bytes, from sizeof(Word) to twice as many, as two words that
// may overlap, both read before either is written.
template <typename Word>
void moveAsTwoWords(char* to, const char* from, std::size_t size) {
    Word head;
    Word tail;
    std::memcpy(&head, from, sizeof head);
    std::memcpy(&tail, from + size - sizeof tail, sizeof tail);
    std::memcpy(to, &head, sizeof head);
    std::memcpy(to + size - sizeof tail, &tail, sizeof tail);
}

// Moves size bytes down from from to to, which may overlap. The pieces
// between blank runs are short: moved by hand they are spared a call.
void moveDown(char* to, const char* from, std::size_t size) {
    if (size > 16) {
        std::memmove(to, from, size);
    } else if (size >= 8) {
        moveAsTwoWords<std::uint64_t>(to, from, size);
    } else if (size >= 4) {
        moveAsTwoWords<std::uint32_t>(to, from, size);
    } else if (size > 0) {
        const char first = from[0];
        const char middle = from[size / 2];
        const char last = from[size - 1];
        to[0] = first;
        to[size / 2] = middle;
        to[size - 1] = last;
    }
}

// The folded part, written over the part's own bytes.
class Compaction {
  public:
    explicit Compaction(char* part) : part_(part) {}
    // The text before end stays, the text from end up to next goes.
    void drop(std::size_t end, std::size_t next) {
        moveDown(part_ + kept_, part_ + copyFrom_, end - copyFrom_);
        kept_ += end - copyFrom_;
        copyFrom_ = next;
    }
    std::size_t kept() const { return kept_; }

  private:
    char* part_;
    std::size_t kept_ = 0;      // length of the folded part written so far
    std::size_t copyFrom_ = 0;  // start of the text not yet moved down
};

// Folds the blank runs from i on up to the first of Stops, and returns its
// position.
template <char... Stops>
std::size_t foldUpTo(std::string_view text, std::size_t i, Compaction& folded) {
    for (i = find<true, Stops...>(text, i); i < text.size() && text[i] == ' ';
         i = find<true, Stops...>(text, i)) {
        const std::size_t runEnd = skipBlanks(text, i + 1);
        folded.drop(i + 1, runEnd);
        i = runEnd;
    }
    return i;
}

// Folds the blank runs from i on, outside literals, up to the first
// character that may end state, and returns its position.
std::size_t foldUpToStateStop(JavaTextReader::State state, std::string_view text, std::size_t i,
                              Compaction& folded) {
    using State = JavaTextReader::State;
    switch (state) {
        case State::Code:
            return foldUpTo<'/', '"', '\''>(text, i, folded);
        case State::LineComment:
            return foldUpTo<'\n'>(text, i, folded);
        case State::BlockComment:
            return foldUpTo<'*'>(text, i, folded);
        case State::String:
        case State::Character:
            return nextStop(state, text, i);
    }
    return text.size();
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
    return nextStop(state_, text, i);
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

std::size_t BlankFolder::foldInPlace(char* part, std::size_t size) {
    if (size == 0) return 0;
    const std::string_view text(part, size);
    Compaction folded(part);
    // A run of blanks may go on from the last part.
    std::size_t i = 0;
    if (afterFreeBlank_) {
        i = skipBlanks(text, 0);
        folded.drop(0, i);
    }
    for (i = foldUpToStateStop(reader_.state(), text, i, folded); i < size;
         i = foldUpToStateStop(reader_.state(), text, i, folded)) {
        i += reader_.read(text, i);
    }
    afterFreeBlank_ = text.back() == ' ' && !reader_.inLiteral();
    folded.drop(size, size);
    return folded.kept();
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
