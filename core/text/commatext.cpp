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

class RunItems {
public:
    explicit RunItems(ItemRuns& out) : out_(out)
    {
        out_.lengths.clear();
        out_.bytes.clear();
    }
    std::size_t count() const { return out_.lengths.size(); }
    void newItem() { out_.lengths.push_back(0); }
    void append(const char* from, const char* to)
    {
        out_.bytes.append(from, to);
        out_.lengths.back() += static_cast<std::size_t>(to - from);
    }
    void finish() {}

private:
    ItemRuns& out_;
};

// Reads a quoted item starting just after its opening quote; returns the position after
// the closing quote (or the end of the text when the quote is never closed).
template <typename Items> const char* readQuoted(const char* p, const char* end, Items& items)
{
    for (;;) {
        const char* quote =
            static_cast<const char*>(std::memchr(p, '"', static_cast<size_t>(end - p)));
        if (quote == nullptr) {
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
            while (p < end && !endsPlainItem[static_cast<unsigned char>(*p)])
                ++p;
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
    StringItems items(out);
    splitItems<false>(text, 0, items);
}

bool splitCommaTextAtMost(std::string_view text, std::size_t maxItems,
                          std::vector<std::string>& out)
{
    StringItems items(out);
    return splitItems<true>(text, maxItems, items);
}

bool splitCommaTextAtMost(std::string_view text, std::size_t maxItems, ItemRuns& out)
{
    RunItems items(out);
    return splitItems<true>(text, maxItems, items);
}

} // namespace grimtally
