// The plain splitter of comma text: byte by byte, by the rules, for any text.
#include "core/text/commascan.h"
#include "core/text/commatext.h"

#include <algorithm>

namespace grimtally {

using namespace commatext;

namespace {

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

} // namespace

bool commatext::splitRunsPlainly(std::string_view text, std::size_t maxItems, ItemRuns& out)
{
    RunItems items(out);
    return splitItems<true>(text, maxItems, items);
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

} // namespace grimtally
