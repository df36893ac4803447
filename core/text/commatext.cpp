// Joining a list of strings into comma text.
#include "core/text/commatext.h"

#include "core/text/commascan.h"

namespace grimtally {

using namespace commatext;

namespace {

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

// Appends the comma text of `items` to `out`, writing through a pointer into room made for
// the longest it can be (every item quoted, every byte a doubled quote).
// `readable`, when not null, is where the memory the items lie in ends: up to there a short
// item is read as a block of sixteen bytes, checked and copied in one step.
template <typename Item>
void appendJoined(std::string& out, std::span<const Item> items,
                  [[maybe_unused]] const char* readable = nullptr)
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
#if GRIMTALLY_SSE2
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

} // namespace grimtally
