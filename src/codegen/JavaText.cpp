#include "codegen/JavaText.h"

#include "codegen/ByteChunks.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>
#ifdef __SSE2__
#include <immintrin.h>
#endif

namespace tz {

namespace {

// Calls find<Fold, Stops...>() for state: Fold tells whether its blank runs
// fold, Stops are the characters that may end it.
template <typename Find>
[[gnu::always_inline]] inline std::size_t withStopsOf(JavaTextReader::State state, Find find) {
    using State = JavaTextReader::State;
    switch (state) {
        case State::Code:
            break;
        case State::LineComment:
            return find.template operator()<true, '\r', '\n'>();
        case State::BlockComment:
            return find.template operator()<true, '*'>();
        case State::String:
            return find.template operator()<false, '\\', '"', '\r', '\n'>();
        case State::Character:
            return find.template operator()<false, '\\', '\'', '\r', '\n'>();
    }
    return find.template operator()<true, '/', '"', '\''>();
}

// The first position from i on of a character that may end state.
std::size_t nextStop(JavaTextReader::State state, std::string_view text, std::size_t i) {
    return withStopsOf(
        state, [&]<bool, char... Stops>() { return firstOf<Stops...>(text, i); });
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

// Copies size bytes, up to sixteen: pieces this short are spared a call.
void copyShort(char* to, const char* from, std::size_t size) {
    if (size >= 8) {
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

// The number of bits set in each byte: counting instructions are not in
// every x86-64, and a call to count costs more than the look-up.
constexpr std::array<std::uint8_t, 256> BitCounts = [] {
    std::array<std::uint8_t, 256> counts{};
    for (unsigned byte = 0; byte < 256; ++byte) counts[byte] = std::uint8_t(std::popcount(byte));
    return counts;
}();

// The number of bits set in a sixteen-bit mask.
unsigned bitCount16(unsigned mask) {
    return BitCounts[mask & 0xff] + BitCounts[mask >> 8];
}

#ifdef __SSE2__
// For each mask of eight bytes to drop, the indices of the bytes kept.
constexpr std::array<std::uint64_t, 256> KeptIndices = [] {
    std::array<std::uint64_t, 256> table{};
    for (unsigned drops = 0; drops < 256; ++drops) {
        unsigned kept = 0;
        for (unsigned j = 0; j < 8; ++j) {
            if (!(drops >> j & 1)) table[drops] |= std::uint64_t(j) << (8 * kept++);
        }
    }
    return table;
}();
#endif

// Writes the bytes of bytes not in drops, in order, to the sixteen bytes
// at out. Shuffled moves each half by one table look-up, where the machine
// can (SSSE3); else byte by byte, without branches.
template <FoldPath Path>
void keepBytes(Bytes16 bytes, unsigned drops, char* out) {
#ifdef __SSE2__
    if constexpr (Path == FoldPath::Shuffled) {
        constexpr std::uint64_t UpperHalf = 0x0808080808080808;
        const __m128i indices = _mm_set_epi64x(std::int64_t(KeptIndices[drops >> 8] + UpperHalf),
                                               std::int64_t(KeptIndices[drops & 0xff]));
        __m128i shuffled = __m128i(bytes);
        // The instruction alone, so that the rest is built for any x86-64.
        __asm__("pshufb %1, %0" : "+x"(shuffled) : "x"(indices));
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out), shuffled);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out + 8 - BitCounts[drops & 0xff]),
                         _mm_unpackhi_epi64(shuffled, shuffled));
        return;
    }
#endif
    char from[16];
    std::memcpy(from, &bytes, sizeof from);
    std::size_t kept = 0;
    for (unsigned j = 0; j < 16; ++j) {
        out[kept] = from[j];
        kept += !(drops >> j & 1);
    }
}

// The blanks among the first length bytes that follow a blank; afterBlank
// becomes whether the last of them is one.
unsigned blankPairs(Bytes16 bytes, unsigned length, bool& afterBlank) {
    const unsigned blanks = byteMask(bytes == ' ') & ((1u << length) - 1);
    const unsigned pairs = blanks & (blanks << 1 | unsigned(afterBlank));
    if (length > 0) afterBlank = blanks >> (length - 1) & 1;
    return pairs;
}

// A part folded in place, sixteen bytes at a time: what is written never
// reaches the bytes not yet read.
template <FoldPath Path>
class ChunkFold {
  public:
    ChunkFold(char* part, std::size_t size, bool afterBlank)
        : part_(part), size_(size), at_{.afterBlank = afterBlank} {}

    // Folds the blank runs, outside literals, up to the first character that
    // may end state, and returns its position, or the size at the end.
    [[gnu::always_inline]] std::size_t upToStop(JavaTextReader::State state) {
        return withStopsOf(
            state, [this]<bool Fold, char... Stops>()
                       __attribute__((always_inline)) { return upTo<Fold, Stops...>(); });
    }
    // Keeps the next length characters, none of them a free blank.
    void keepStop(std::size_t length) {
        for (std::size_t j = 0; j < length; ++j) part_[at_.written + j] = part_[at_.read + j];
        at_.written += length;
        at_.read += length;
        at_.afterBlank = false;
    }
    std::size_t kept() const { return at_.written; }
    bool afterBlank() const { return at_.afterBlank; }

  private:
    struct Position {
        std::size_t read = 0;
        std::size_t written = 0;
        bool afterBlank;  // the last byte read is a blank outside literals
    };

    // Each blank that follows a blank goes, with Fold.
    template <bool Fold, char... Stops>
    [[gnu::always_inline]] std::size_t upTo() {
        // Copies, so that they stay in registers: the bytes written might
        // alias the members.
        char* const part = part_;
        const std::size_t size = size_;
        Position at = at_;
        // Whole chunks without a stop, the most of a text, take the short way.
        for (; at.read + 16 <= size; at.read += 16) {
            const Bytes16 bytes = loadBytes16(part + at.read);
            if (byteMask(((bytes == Stops) | ...))) break;
            const unsigned drops = Fold ? blankPairs(bytes, 16, at.afterBlank) : 0;
            keepBytes<Path>(bytes, drops, part + at.written);
            at.written += 16 - bitCount16(drops);
        }
        // The chunk that holds the stop or the end.
        const std::size_t available = std::min<std::size_t>(16, size - at.read);
        const Bytes16 bytes = loadUpTo16(part + at.read, available);
        const unsigned stops = byteMask(((bytes == Stops) | ...)) | 1u << available;
        const unsigned taken = unsigned(std::countr_zero(stops));
        const unsigned drops = Fold ? blankPairs(bytes, taken, at.afterBlank) : 0;
        keep(part, at, bytes, drops, taken);
        at_ = at;
        return at.read;
    }
    // Keeps the first taken bytes but drops. The sixteen bytes written at
    // once must end before the bytes not yet read; else they are staged.
    static void keep(char* part, Position& at, Bytes16 bytes, unsigned drops, std::size_t taken) {
        const std::size_t kept = taken - bitCount16(drops);
        if (at.written + 16 <= at.read + taken) {
            keepBytes<Path>(bytes, drops, part + at.written);
        } else {
            char staged[16];
            keepBytes<Path>(bytes, drops, staged);
            copyShort(part + at.written, staged, kept);
        }
        at.written += kept;
        at.read += taken;
    }

    char* part_;
    std::size_t size_;
    Position at_;
};

template <FoldPath Path>
std::size_t foldInPlace(JavaTextReader& readerState, bool& afterFreeBlank, char* part,
                        std::size_t size) {
    const std::string_view text(part, size);
    // A copy, whose state stays in a register through the loop.
    JavaTextReader reader = readerState;
    ChunkFold<Path> folded(part, size, afterFreeBlank);
    for (std::size_t i = folded.upToStop(reader.state()); i < size;
         i = folded.upToStop(reader.state())) {
        folded.keepStop(reader.read(text, i));
    }
    afterFreeBlank = folded.afterBlank() && !reader.inLiteral();
    readerState = reader;
    return folded.kept();
}

// In code, what opens a literal or a block comment before the first "//" is
// found by bit masks, sixteen bytes at a time; the blanks all fold, as they
// do in code and in line comments alike.
template <FoldPath Path>
std::optional<BlankFolder::FoldedLine> foldCommentedLine(std::string_view text, std::size_t start,
                                                         char* out, bool afterBlank) {
    std::size_t read = start;
    std::size_t written = 0;
    bool commented = false;
    unsigned slashBefore = 0;  // the byte before the chunk is a '/'
    for (;;) {
        const std::size_t available = text.size() - read;
        const bool whole = available >= 16;
        const Bytes16 bytes = loadUpTo16(text.data() + read, available);
        const unsigned ends =
            byteMask((bytes == '\r') | (bytes == '\n')) | (whole ? 0 : 1u << available);
        const unsigned taken = ends ? unsigned(std::countr_zero(ends)) : 16;
        if (!commented) {
            const unsigned inLine = (1u << taken) - 1;
            const unsigned slashes = byteMask(bytes == '/');
            const unsigned afterSlash = slashes << 1 | slashBefore;
            const unsigned comments = slashes & afterSlash & inLine;
            const unsigned opens = (byteMask((bytes == '"') | (bytes == '\'')) |
                                    (byteMask(bytes == '*') & afterSlash)) &
                                   inLine;
            if (opens & ((comments & -comments) - 1)) return std::nullopt;
            commented = comments != 0;
            slashBefore = slashes >> 15;
        }
        const unsigned drops = blankPairs(bytes, taken, afterBlank);
        keepBytes<Path>(bytes, drops, out + written);
        written += taken - bitCount16(drops);
        read += taken;
        if (taken < 16) break;
    }
    if (read + 1 >= text.size() || text[read] != '\r' || text[read + 1] != '\n')
        return std::nullopt;
    return BlankFolder::FoldedLine{read, written};
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

FoldPath fastestFoldPath() {
#ifdef __SSE2__
    static const FoldPath fastest =
        __builtin_cpu_supports("ssse3") ? FoldPath::Shuffled : FoldPath::Portable;
    return fastest;
#else
    return FoldPath::Portable;
#endif
}

std::size_t BlankFolder::foldInPlace(char* part, std::size_t size) {
    return path_ == FoldPath::Shuffled
               ? tz::foldInPlace<FoldPath::Shuffled>(reader_, afterFreeBlank_, part, size)
               : tz::foldInPlace<FoldPath::Portable>(reader_, afterFreeBlank_, part, size);
}

std::optional<BlankFolder::FoldedLine> BlankFolder::foldCommentedLine(std::string_view text,
                                                                      std::size_t start,
                                                                      char* out) {
    if (reader_.state() != JavaTextReader::State::Code) return std::nullopt;
    auto line = path_ == FoldPath::Shuffled
                    ? tz::foldCommentedLine<FoldPath::Shuffled>(text, start, out, afterFreeBlank_)
                    : tz::foldCommentedLine<FoldPath::Portable>(text, start, out, afterFreeBlank_);
    // The line comment and its line feed leave code after a non-blank.
    if (line) afterFreeBlank_ = false;
    return line;
}

std::string foldBlankRuns(std::string_view text, FoldPath path) {
    std::string folded(text);
    folded.resize(BlankFolder(path).foldInPlace(folded.data(), folded.size()));
    return folded;
}

bool endsInLineComment(std::string_view text) {
    // Only a block comment outlasts a line end: without one, the last line decides.
    if (!hasBlockCommentStart(text)) {
        if (const std::size_t end = text.find_last_of("\r\n"); end != std::string_view::npos)
            text.remove_prefix(end + 1);
    }
    JavaTextReader reader;
    for (std::size_t i = reader.nextNotable(text, 0); i < text.size();
         i = reader.nextNotable(text, i)) {
        i += reader.read(text, i);
    }
    return reader.state() == JavaTextReader::State::LineComment;
}

}  // namespace tz
