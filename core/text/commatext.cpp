#include "core/text/commatext.h"

#include <algorithm>
#include <array>
#include <cstring>

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

inline bool needsQuotes(std::string_view item)
{
    for (char c : item) {
        if (isBlank(c) || c == '"' || c == ',')
            return true;
    }
    return false;
}

template <typename Item> std::string joinItems(std::span<const Item> items)
{
    if (items.empty())
        return {};
    if (items.size() == 1 && std::string_view(items[0]).empty())
        return "\"\"";

    size_t size = items.size();
    for (const Item& item : items)
        size += std::string_view(item).size() + 2;
    std::string out;
    out.reserve(size);

    bool first = true;
    for (const Item& it : items) {
        std::string_view item(it);
        if (!first)
            out += ',';
        first = false;
        if (!needsQuotes(item)) {
            out += item;
            continue;
        }
        out += '"';
        // Copy the runs between quotes whole, doubling each quote.
        size_t pos = 0;
        while (pos < item.size()) {
            size_t quote = item.find('"', pos);
            if (quote == std::string_view::npos) {
                out.append(item.substr(pos));
                break;
            }
            out.append(item.substr(pos, quote + 1 - pos));
            out += '"';
            pos = quote + 1;
        }
        out += '"';
    }
    return out;
}

// Reads a quoted item starting just after its opening quote; returns the position after
// the closing quote (or the end of the text when the quote is never closed).
const char* readQuoted(const char* p, const char* end, std::string& item)
{
    for (;;) {
        const char* quote =
            static_cast<const char*>(std::memchr(p, '"', static_cast<size_t>(end - p)));
        if (quote == nullptr) {
            item.append(p, end);
            return end;
        }
        item.append(p, quote);
        if (quote + 1 < end && quote[1] == '"') {
            item += '"';
            p = quote + 2;
            continue;
        }
        return quote + 1;
    }
}

// Splits into `out`; with Limited, stops once there would be more than maxItems items.
// A template, so that the unlimited split pays nothing for the count.
template <bool Limited>
bool splitItems(std::string_view text, std::size_t maxItems, std::vector<std::string>& out)
{
    // Items already in `out` are overwritten rather than destroyed, so their buffers are
    // reused when the caller splits many lines into the same vector.
    size_t count = 0;
    auto nextItem = [&]() -> std::string& {
        if (count < out.size()) {
            std::string& item = out[count++];
            item.clear();
            return item;
        }
        ++count;
        return out.emplace_back();
    };
    auto full = [&] { return Limited && count == maxItems; };

    const char* p = text.data();
    const char* const end = p + text.size();
    auto skipBlanks = [&] {
        while (p < end && isBlank(*p))
            ++p;
    };

    skipBlanks();
    while (p < end) {
        if (full()) {
            out.resize(count);
            return false;
        }
        if (*p == '"') {
            std::string& item = nextItem();
            p = readQuoted(p + 1, end, item);
        } else {
            const char* start = p;
            while (p < end && !endsPlainItem[static_cast<unsigned char>(*p)])
                ++p;
            nextItem().assign(start, p);
        }
        skipBlanks();
        if (p < end && *p == ',') {
            ++p;
            skipBlanks();
            // A comma at the end (blanks after it included) stands for a final empty item.
            if (p == end) {
                if (full()) {
                    out.resize(count);
                    return false;
                }
                nextItem();
            }
        }
    }
    out.resize(count);
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
    splitItems<false>(text, 0, out);
}

bool splitCommaTextAtMost(std::string_view text, std::size_t maxItems,
                          std::vector<std::string>& out)
{
    return splitItems<true>(text, maxItems, out);
}

} // namespace grimtally
