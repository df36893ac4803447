#include "core/text/commatext.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace grimtally {

namespace {

// NUL included: the program never writes it, and treating it as a blank means a stray NUL
// neither swallows the rest of a line nor stalls the scan.
inline bool isBlank(char c)
{
    return static_cast<unsigned char>(c) <= 0x20;
}

// Bytes that end an unquoted item: blanks (NUL included) and the comma.
constexpr auto endsPlainItem = [] {
    std::array<bool, 256> table{};
    for (int b = 0; b <= 0x20; ++b)
        table[b] = true;
    table[','] = true;
    return table;
}();

#if defined(__SSE2__)
constexpr std::ptrdiff_t kBlock = 16;

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
#if defined(__SSE2__)
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
#if defined(__SSE2__)
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
inline const char* quoteBefore(const char* p, const char* last, const char* textEnd)
{
#if defined(__SSE2__)
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

// Bytes that make an item quoted: those that end a plain item and the double quote.
constexpr auto needsQuoting = [] {
    std::array<unsigned char, 256> table{};
    for (int b = 0; b < 256; ++b)
        table[b] = endsPlainItem[b] || b == '"';
    return table;
}();

// Without an early exit: items are a few bytes long, and a branch per byte costs more in
// mispredictions than it saves.
inline bool needsQuotes(std::string_view item)
{
    unsigned any = 0;
    for (char c : item)
        any |= needsQuoting[static_cast<unsigned char>(c)];
    return any != 0;
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

// Appends the comma text of `items` to `out`, writing through a pointer into room made for
// the longest it can be (every item quoted, every byte a doubled quote).
// `readable`, when not null, is where the memory the items lie in ends: up to there a short
// item is read as a block of sixteen bytes, checked and copied in one step.
template <typename Item>
void appendJoined(std::string& out, std::span<const Item> items, const char* readable = nullptr)
{
    if (items.empty())
        return;
    if (items.size() == 1 && std::string_view(items[0]).empty()) {
        out += "\"\"";
        return;
    }
    // Sixteen bytes to spare for the copy of a short item as a block.
    std::size_t most = out.size() + items.size() * 3 + 16;
    for (const Item& item : items)
        most += 2 * std::string_view(item).size();
    const std::size_t begin = out.size();
    out.resize(most);
    char* const first = out.data() + begin;
    char* o = first;
    bool firstItem = true;
    for (const Item& it : items) {
        const std::string_view item(it);
        if (!firstItem)
            *o++ = ',';
        firstItem = false;
#if defined(__SSE2__)
        if (readable != nullptr && !item.empty() &&
            item.size() <= static_cast<std::size_t>(kBlock) && readable - item.data() >= kBlock) {
            const __m128i block = loadBlock(item.data());
            const unsigned quoting =
                plainEndsIn(block) |
                static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, _mm_set1_epi8('"'))));
            if ((quoting & ((1u << item.size()) - 1)) == 0) {
                _mm_storeu_si128(reinterpret_cast<__m128i*>(o), block);
                o += item.size();
                continue;
            }
        } else
#endif
            if (!needsQuotes(item)) {
            copyBytes(o, item.data(), item.size());
            o += item.size();
            continue;
        }
        *o++ = '"';
        // The runs between quotes copied whole, each quote doubled.
        for (std::string_view rest = item; !rest.empty();) {
            const char* quote = quoteAt(rest.data(), rest.data() + rest.size());
            const auto run = static_cast<std::size_t>(quote - rest.data());
            copyBytes(o, rest.data(), run);
            o += run;
            if (run == rest.size())
                break;
            *o++ = '"';
            *o++ = '"';
            rest.remove_prefix(run + 1);
        }
        *o++ = '"';
    }
    out.resize(begin + static_cast<std::size_t>(o - first));
}

template <typename Item> std::string joinItems(std::span<const Item> items)
{
    std::string out;
    appendJoined(out, items);
    return out;
}

// Where a split puts its items: into strings, or into one run of bytes with their lengths.
class StringItems {
public:
    explicit StringItems(std::vector<std::string>& out) : out_(out) {}
    std::size_t count() const { return count_; }
    // Items already in `out` are overwritten rather than destroyed, so their buffers are
    // reused when the caller splits many lines into the same vector.
    void newItem()
    {
        if (count_ < out_.size())
            out_[count_].clear();
        else
            out_.emplace_back();
        ++count_;
    }
    void append(const char* from, const char* to) { out_[count_ - 1].append(from, to); }
    void finish() { out_.resize(count_); }

private:
    std::vector<std::string>& out_;
    std::size_t count_ = 0;
};

// Reads a quoted item starting just after its opening quote; returns the position after
// the closing quote (or the end of the text when the quote is never closed).
template <typename Items> const char* readQuoted(const char* p, const char* end, Items& items)
{
    for (;;) {
        const char* quote = quoteAt(p, end);
        if (quote == end) {
            items.append(p, end);
            return end;
        }
        if (quote + 1 < end && quote[1] == '"') {
            items.append(p, quote + 1); // one of the doubled quotes
            p = quote + 2;
            continue;
        }
        items.append(p, quote);
        return quote + 1;
    }
}

// Splits into `items`; with Limited, stops once there would be more than maxItems items.
// A template, so that the unlimited split pays nothing for the count.
template <bool Limited, typename Items>
bool splitItems(std::string_view text, std::size_t maxItems, Items& items)
{
    auto full = [&] { return Limited && items.count() == maxItems; };

    const char* p = text.data();
    const char* const end = p + text.size();
    auto skipBlanks = [&] {
        while (p < end && isBlank(*p))
            ++p;
    };

    skipBlanks();
    while (p < end) {
        if (full()) {
            items.finish();
            return false;
        }
        items.newItem();
        if (*p == '"') {
            p = readQuoted(p + 1, end, items);
        } else {
            const char* start = p;
            p = plainItemEnd(p, end);
            items.append(start, p);
        }
        skipBlanks();
        if (p < end && *p == ',') {
            ++p;
            skipBlanks();
            // A comma at the end (blanks after it included) stands for a final empty item.
            if (p == end) {
                if (full()) {
                    items.finish();
                    return false;
                }
                items.newItem();
            }
        }
    }
    items.finish();
    return true;
}

// Splits into runs by the same rules, growing the runs as items need it (and not to the
// text's size at once: a line of a million commas gives up after a few items).
class RunItems {
public:
    explicit RunItems(ItemRuns& out) : out_(out)
    {
        out_.count = 0;
        out_.byteCount = 0;
    }
    std::size_t count() const { return out_.count; }
    void newItem()
    {
        if (out_.count == out_.lengths.size())
            out_.lengths.resize(std::max<std::size_t>(64, out_.lengths.size() * 2));
        out_.lengths[out_.count++] = 0;
    }
    void append(const char* from, const char* to)
    {
        const auto size = static_cast<std::size_t>(to - from);
        if (out_.bytes.size() - out_.byteCount < size)
            out_.bytes.resize(std::max(out_.bytes.size() * 2, out_.byteCount + size));
        std::memcpy(out_.bytes.data() + out_.byteCount, from, size);
        out_.byteCount += size;
        out_.lengths[out_.count - 1] += size;
    }
    void finish() {}

private:
    ItemRuns& out_;
};

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
#if defined(__SSE2__)
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
#if defined(__SSE2__)
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
    const std::size_t readableBytes =
        readable != nullptr ? static_cast<std::size_t>(readable - t) : n;
    auto item = [&](std::size_t start, std::size_t end) {
        const std::size_t size = end - start;
#if defined(__SSE2__)
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

std::string joinCommaText(std::span<const std::string> items)
{
    return joinItems(items);
}

std::string joinCommaText(std::span<const std::string_view> items)
{
    return joinItems(items);
}

void appendCommaText(std::string& out, std::span<const std::string_view> items,
                     const char* readable)
{
    appendJoined(out, items, readable);
}

std::vector<std::string> splitCommaText(std::string_view text)
{
    std::vector<std::string> out;
    // Counting commas is far cheaper than growing the vector item by item.
    out.reserve(static_cast<size_t>(std::count(text.begin(), text.end(), ',')) + 1);
    splitCommaTextInto(text, out);
    return out;
}

void splitCommaTextInto(std::string_view text, std::vector<std::string>& out)
{
    StringItems items(out);
    splitItems<false>(text, 0, items);
}

bool splitCommaTextAtMost(std::string_view text, std::size_t maxItems,
                          std::vector<std::string>& out)
{
    StringItems items(out);
    return splitItems<true>(text, maxItems, items);
}

bool splitCommaTextAtMost(std::string_view text, std::size_t maxItems, ItemRuns& out,
                          const char* readable)
{
    if (splitPlainRuns(text, maxItems, out, readable))
        return true;
    RunItems items(out);
    return splitItems<true>(text, maxItems, items);
}

} // namespace grimtally
