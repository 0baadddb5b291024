#pragma once
// Sixteen bytes of text looked at all at once, where the machine can: most
// bytes of a generated source are plain code, and finding the few that
// matter byte by byte costs more than the rest of the work.
#include <bit>
#include <cstddef>
#include <cstring>
#include <string_view>
#ifdef __SSE2__
#include <immintrin.h>
#endif

namespace tz {

using Bytes16 = char __attribute__((vector_size(16)));

inline Bytes16 loadBytes16(const char* bytes) {
    Bytes16 loaded;
    std::memcpy(&loaded, bytes, sizeof loaded);
    return loaded;
}

// Up to sixteen bytes, the rest zero.
inline Bytes16 loadUpTo16(const char* bytes, std::size_t size) {
    if (size >= 16) return loadBytes16(bytes);
    Bytes16 loaded = {};
    std::memcpy(&loaded, bytes, size);
    return loaded;
}

// Bit j is set where byte j is nonzero.
inline unsigned byteMask(Bytes16 hits) {
#ifdef __SSE2__
    return unsigned(_mm_movemask_epi8(__m128i(hits)));
#else
    char bytes[16];
    std::memcpy(bytes, &hits, sizeof bytes);
    unsigned mask = 0;
    for (unsigned j = 0; j < 16; ++j) mask |= unsigned(bytes[j] != 0) << j;
    return mask;
#endif
}

// The first position from i on of one of Bytes, else the size of text.
template <char... Bytes>
std::size_t firstOf(std::string_view text, std::size_t i) {
    static_assert(((Bytes != 0) && ...), "the bytes past the end read as zero");
    for (; i < text.size(); i += 16) {
        const Bytes16 bytes = loadUpTo16(text.data() + i, text.size() - i);
        if (const unsigned hits = byteMask(((bytes == Bytes) | ...)))
            return i + std::size_t(std::countr_zero(hits));
    }
    return text.size();
}

// Calls visit with the position of each of Bytes in text, in order.
template <char... Bytes, typename Visit>
void forEachOf(std::string_view text, Visit visit) {
    static_assert(((Bytes != 0) && ...), "the bytes past the end read as zero");
    for (std::size_t i = 0; i < text.size(); i += 16) {
        const Bytes16 bytes = loadUpTo16(text.data() + i, text.size() - i);
        for (unsigned hits = byteMask(((bytes == Bytes) | ...)); hits != 0; hits &= hits - 1)
            visit(i + std::size_t(std::countr_zero(hits)));
    }
}

}  // namespace tz
