#pragma once
// Finding line breaks in large texts: CR LF, CR and LF each end a line.
// Inline: reading a file calls them once per line.
#include <bit>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace tz {

namespace detail {

// Bit 7 of each byte of word that equals c; above the lowest such byte a
// bit may be set wrongly, so only the lowest one counts.
inline std::uint64_t bytesEqual(std::uint64_t word, char c) {
    constexpr std::uint64_t Ones = 0x0101010101010101;
    constexpr std::uint64_t Highs = 0x8080808080808080;
    const std::uint64_t x = word ^ (Ones * static_cast<unsigned char>(c));
    return (x - Ones) & ~x & Highs;
}

}  // namespace detail

// Offset of the first CR or LF at or after from; npos when there is none.
inline std::size_t findLineBreak(std::string_view text, std::size_t from) {
    std::size_t at = from;
    // Eight bytes at a time: a byte loop is the larger part of reading a file.
    if constexpr (std::endian::native == std::endian::little) {
        for (; at + 8 <= text.size(); at += 8) {
            std::uint64_t word;
            std::memcpy(&word, text.data() + at, sizeof word);
            const std::uint64_t found =
                detail::bytesEqual(word, '\r') | detail::bytesEqual(word, '\n');
            if (found) return at + static_cast<std::size_t>(std::countr_zero(found)) / 8;
        }
    }
    for (; at < text.size(); ++at) {
        if (text[at] == '\r' || text[at] == '\n') return at;
    }
    return std::string_view::npos;
}

// Offset just past the line break at at (CR LF counts as one).
inline std::size_t afterLineBreak(std::string_view text, std::size_t at) {
    return at + (text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n' ? 2 : 1);
}

}  // namespace tz
