// The block splitter of comma text: a line as the program writes it, split 64 bytes at a
// time; any other text goes to the plain splitter.
#include "core/text/commascan.h"
#include "core/text/commatext.h"

#include <algorithm>

namespace grimtally {

using namespace commatext;

namespace {

// a ^ a<<1 ^ a<<2 ^ ...: bit i tells whether an odd number of bits up to i are set.
inline std::uint64_t prefixXor(std::uint64_t bits)
{
    for (int shift = 1; shift < 64; shift *= 2)
        bits ^= bits << shift;
    return bits;
}

// The masks of 64 bytes: where the commas, double quotes and blanks are.
struct BlockMasks {
    std::uint64_t commas = 0;
    std::uint64_t quotes = 0;
    std::uint64_t blanks = 0;
};

BlockMasks masksOf(const char* bytes)
{
    BlockMasks masks;
#if GRIMTALLY_SSE2
    for (int i = 0; i < 64; i += kBlock) {
        const __m128i block = loadBlock(bytes + i);
        auto bitsOf = [](__m128i matches) {
            return static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(matches)));
        };
        masks.commas |= bitsOf(_mm_cmpeq_epi8(block, _mm_set1_epi8(','))) << i;
        masks.quotes |= bitsOf(_mm_cmpeq_epi8(block, _mm_set1_epi8('"'))) << i;
        masks.blanks |= bitsOf(_mm_cmpeq_epi8(_mm_min_epu8(block, _mm_set1_epi8(0x20)), block))
                        << i;
    }
#else
    for (int i = 0; i < 64; ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        masks.commas |= std::uint64_t{byte == ','} << i;
        masks.quotes |= std::uint64_t{byte == '"'} << i;
        masks.blanks |= std::uint64_t{byte <= 0x20} << i;
    }
#endif
    return masks;
}

// Copies a well-formed item from start to end of `text` to `out`, a quoted one without its
// quotes and with each doubled quote once; returns the end of the copy.
char* copyItem(std::string_view text, std::size_t start, std::size_t end, char* out)
{
    const char* const t = text.data();
    const std::size_t n = text.size();
    auto copy = [&](std::size_t from, std::size_t to) {
        const std::size_t size = to - from;
#if GRIMTALLY_SSE2
        if (size <= static_cast<std::size_t>(kBlock) &&
            n - from >= static_cast<std::size_t>(kBlock))
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out), loadBlock(t + from));
        else
#endif
            copyBytes(out, t + from, size);
        out += size;
    };
    if (end == start || t[start] != '"') {
        copy(start, end);
        return out;
    }
    std::size_t from = start + 1;
    const std::size_t last = end - 1;
    for (;;) {
        const auto at = static_cast<std::size_t>(quoteBefore(t + from, t + last, t + n) - t);
        if (at == last) {
            copy(from, last);
            return out;
        }
        copy(from, at + 1);
        from = at + 2;
    }
}

// The split of a text as the program writes it, found 64 bytes at a time without going from
// byte to byte: no blank outside quotes, every quoted item quoted whole, quotes inside it
// doubled. Then the commas outside quotes are the items' ends, and splitItems would give the
// same items. Returns false for any other text, for an empty or very long one and for one
// of more than maxItems items, and splitItems then splits it (up to where it stops); what
// this one wrote into `out` by then is overwritten.
bool splitPlainRuns(std::string_view text, std::size_t maxItems, ItemRuns& out,
                    const char* readable)
{
    const char* const t = text.data();
    const std::size_t n = text.size();
    // A line far longer than a record is left to splitItems, which takes memory only as
    // items need it: this one makes room for the whole text at once.
    constexpr std::size_t kLongestLine = std::size_t{1} << 16;
    if (n == 0 || maxItems == 0 || n > kLongestLine)
        return false;
    if (out.lengths.size() < maxItems)
        out.lengths.resize(std::min<std::size_t>(maxItems, 4096));
    if (out.bytes.size() < n + kBlock)
        out.bytes.resize(n + kBlock); // as the items are no longer than the text
    // Held apart from `out`, which the copies through char pointers may alias.
    std::size_t* const lengths = out.lengths.data();
    const std::size_t room = std::min(maxItems, out.lengths.size());
    char* const bytes = out.bytes.data();
    char* o = bytes;
    std::size_t count = 0;

    // The item from `start` to `end`, known to be well formed by then: mostly a plain item
    // of a few bytes, copied as one block.
    // How many bytes from the text's start on may be read as blocks.
    [[maybe_unused]] const std::size_t readableBytes =
        readable != nullptr ? static_cast<std::size_t>(readable - t) : n;
    auto item = [&](std::size_t start, std::size_t end) {
#if GRIMTALLY_SSE2
        const std::size_t size = end - start;
        constexpr auto kBlockBytes = static_cast<std::size_t>(kBlock);
        if (size <= kBlockBytes && readableBytes - start >= kBlockBytes && t[start] != '"') {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(o), loadBlock(t + start));
            o += size;
            lengths[count++] = size;
            return;
        }
        // A short quoted item without quotes inside (a name, mostly), likewise.
        if (size >= 2 && size - 2 <= kBlockBytes && readableBytes - start - 1 >= kBlockBytes &&
            t[start] == '"') {
            const __m128i block = loadBlock(t + start + 1);
            const auto quotes =
                static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, _mm_set1_epi8('"'))));
            if ((quotes & ((1u << (size - 2)) - 1)) == 0) {
                _mm_storeu_si128(reinterpret_cast<__m128i*>(o), block);
                o += size - 2;
                lengths[count++] = size - 2;
                return;
            }
        }
#endif
        char* const first = o;
        o = copyItem(text, start, end, o);
        lengths[count++] = static_cast<std::size_t>(o - first);
    };

    std::size_t start = 0;          // where the next item begins
    std::uint64_t inside = 0;       // all ones when the block before ended inside quotes
    std::uint64_t boundaryLast = 1; // the byte before this block ends an item (or none does)
    bool closedLast = false;        // the block before ended in a closing quote
    for (std::size_t at = 0; at < n; at += 64) {
        const std::size_t left = n - at;
        BlockMasks masks;
        std::uint64_t inText = ~std::uint64_t{0};
        if (left >= 64) {
            masks = masksOf(t + at);
        } else {
            alignas(16) char padded[64];
            std::memset(padded, 'a', sizeof padded); // matches nothing
            std::memcpy(padded, t + at, left);
            masks = masksOf(padded);
            inText = (std::uint64_t{1} << left) - 1;
        }
        // Inside: the opening quote and the bytes after it, up to the closing quote.
        const std::uint64_t quoted = prefixXor(masks.quotes) ^ inside;
        inside = static_cast<std::uint64_t>(-static_cast<std::int64_t>(quoted >> 63));
        const std::uint64_t opening = masks.quotes & quoted;
        const std::uint64_t closing = masks.quotes & ~quoted;
        const std::uint64_t commas = masks.commas & ~quoted;
        // An opening quote follows an item's end or a closing quote (a doubled quote); a
        // closing quote comes before an item's end or an opening quote.
        const std::uint64_t after = (commas | closing) << 1 | boundaryLast;
        std::uint64_t before = (commas | opening) >> 1;
        if (left <= 64)
            before |= std::uint64_t{1} << (left - 1); // the text's end
        const bool closedFits = !closedLast || ((commas | opening) & 1) != 0;
        if ((masks.blanks & ~quoted) != 0 || (opening & ~after) != 0 ||
            (closing & ~before & ~(std::uint64_t{1} << 63)) != 0 || !closedFits)
            return false;
        boundaryLast = (commas | closing) >> 63;
        closedLast = (closing >> 63) != 0 && left > 64;
        // The items that end in this block: everything up to their ends is checked by now.
        for (std::uint64_t found = commas & inText; found != 0; found &= found - 1) {
            if (count + 1 == room)
                return false; // one more item follows this comma
            const std::size_t end = at + static_cast<std::size_t>(std::countr_zero(found));
            item(start, end);
            start = end + 1;
        }
    }
    if (inside != 0)
        return false; // a quote never closed
    item(start, n);
    out.count = count;
    out.byteCount = static_cast<std::size_t>(o - bytes);
    return true;
}

} // namespace

bool splitCommaTextAtMost(std::string_view text, std::size_t maxItems, ItemRuns& out,
                          const char* readable)
{
    if (splitPlainRuns(text, maxItems, out, readable))
        return true;
    return splitRunsPlainly(text, maxItems, out);
}

} // namespace grimtally
