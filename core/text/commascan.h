// What the comma text's joining and its two splitters share: finding the bytes that end an
// item or a quote, sixteen bytes at a time where the processor can, and copying short items.
#pragma once

#include "core/text/commatext.h"
#include "core/text/vectorcode.h"

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace grimtally::commatext {

// NUL included: the program never writes it, and treating it as a blank means a stray NUL
// neither swallows the rest of a line nor stalls the scan.
inline bool isBlank(char c)
{
    return static_cast<unsigned char>(c) <= 0x20;
}

// Bytes that end an unquoted item: blanks (NUL included) and the comma.
inline constexpr auto endsPlainItem = [] {
    std::array<bool, 256> table{};
    for (int b = 0; b <= 0x20; ++b)
        table[b] = true;
    table[','] = true;
    return table;
}();

// The bytes of one vector step; the block splitter keeps this much room past its output.
inline constexpr std::ptrdiff_t kBlock = 16;

#if GRIMTALLY_SSE2

// Bit i set where p[i] ends a plain item.
inline unsigned plainEndsIn(__m128i block)
{
    const __m128i blank = _mm_cmpeq_epi8(_mm_min_epu8(block, _mm_set1_epi8(0x20)), block);
    const __m128i comma = _mm_cmpeq_epi8(block, _mm_set1_epi8(','));
    return static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(blank, comma)));
}

inline __m128i loadBlock(const char* p)
{
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}
#endif

// The first byte at or after p that ends a plain item, or `end`: sixteen bytes a step, as
// most items are a few bytes long and memchr cannot look for two kinds of byte at once.
inline const char* plainItemEnd(const char* p, const char* end)
{
#if GRIMTALLY_SSE2
    for (; end - p >= kBlock; p += kBlock) {
        if (const unsigned ends = plainEndsIn(loadBlock(p)))
            return p + std::countr_zero(ends);
    }
#endif
    while (p < end && !endsPlainItem[static_cast<unsigned char>(*p)])
        ++p;
    return p;
}

// The first double quote at or after p, or `end`; inline for the short runs inside quotes,
// where a call to memchr costs more than the search.
inline const char* quoteAt(const char* p, const char* end)
{
#if GRIMTALLY_SSE2
    for (; end - p >= kBlock; p += kBlock) {
        const unsigned quotes = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_cmpeq_epi8(loadBlock(p), _mm_set1_epi8('"'))));
        if (quotes != 0)
            return p + std::countr_zero(quotes);
    }
#endif
    while (p < end && *p != '"')
        ++p;
    return p;
}

// The same before `last`, reading whole blocks up to `textEnd` where there is room: the
// quoted items of a line are mostly shorter than a block.
inline const char* quoteBefore(const char* p, const char* last,
                               [[maybe_unused]] const char* textEnd)
{
#if GRIMTALLY_SSE2
    for (; textEnd - p >= kBlock; p += kBlock) {
        auto quotes = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_cmpeq_epi8(loadBlock(p), _mm_set1_epi8('"'))));
        if (last - p < kBlock)
            quotes &= (1u << (last - p)) - 1;
        if (quotes != 0)
            return p + std::countr_zero(quotes);
        if (last - p <= kBlock)
            return last;
    }
#endif
    return quoteAt(p, last);
}

// Copies `size` bytes: the few bytes of most items with fixed-size moves the compiler
// inlines, as a call to memcpy costs more than such a copy.
inline void copyBytes(char* to, const char* from, std::size_t size)
{
    if (size >= 8 && size <= 16) {
        std::uint64_t head, tail;
        std::memcpy(&head, from, 8);
        std::memcpy(&tail, from + size - 8, 8);
        std::memcpy(to, &head, 8);
        std::memcpy(to + size - 8, &tail, 8);
    } else if (size >= 4 && size < 8) {
        std::uint32_t head, tail;
        std::memcpy(&head, from, 4);
        std::memcpy(&tail, from + size - 4, 4);
        std::memcpy(to, &head, 4);
        std::memcpy(to + size - 4, &tail, 4);
    } else if (size < 4) {
        for (std::size_t i = 0; i < size; ++i)
            to[i] = from[i];
    } else {
        std::memcpy(to, from, size);
    }
}

// The split of `text` byte by byte, into runs (the plain splitter): what the block splitter
// hands over every text it does not take.
bool splitRunsPlainly(std::string_view text, std::size_t maxItems, ItemRuns& out);

} // namespace grimtally::commatext
