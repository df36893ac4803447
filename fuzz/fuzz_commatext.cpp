// Fuzzes comma text: any split list must survive a join and a second split, a split that
// stops early must give its beginning, and any list of items must survive a join and a split.
// The block splitter into ItemRuns (and the joiner that reads items as blocks) must give the
// same, reading nothing past the text unless told it may, and taking nothing from there.
#include "core/text/commatext.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace {

void check(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "comma text round trip failed: %s\n", what);
        std::abort();
    }
}

// Bytes past the text that a split allowed to read ahead may see but must not take in.
constexpr std::string_view kAhead = "\",\" a,\"\"\r\n\"0123456789abcdef,,\"\"\"xyz\"\t\x83\\,\"";

// `text` in memory of its own, ending where it ends (or, with `ahead`, where kAhead after it
// ends), so that the address sanitizer catches a read past what the splitter was given.
struct Placed {
    std::unique_ptr<char[]> bytes;
    std::string_view text;
    const char* readable = nullptr;
};

Placed place(std::string_view text, bool ahead)
{
    const std::size_t size = text.size() + (ahead ? kAhead.size() : 0);
    Placed placed{std::make_unique<char[]>(size == 0 ? 1 : size), {}, nullptr};
    if (!text.empty())
        std::memcpy(placed.bytes.get(), text.data(), text.size());
    if (ahead)
        std::memcpy(placed.bytes.get() + text.size(), kAhead.data(), kAhead.size());
    placed.text = std::string_view(placed.bytes.get(), text.size());
    placed.readable = ahead ? placed.bytes.get() + size : nullptr;
    return placed;
}

bool sameItems(const grimtally::ItemRuns& runs, const std::vector<std::string>& items)
{
    if (runs.count != items.size())
        return false;
    std::size_t offset = 0;
    for (std::size_t i = 0; i < runs.count; ++i) {
        if (std::string_view(runs.bytes.data() + offset, runs.lengths[i]) != items[i])
            return false;
        offset += runs.lengths[i];
    }
    return offset == runs.byteCount;
}

// The split into runs, of any text and of a text as the program writes it (where the block
// splitter takes over), against the split into strings.
void checkRuns(std::string_view text)
{
    // Kept from input to input, as a reader keeps them from line to line.
    static grimtally::ItemRuns runs;
    static std::vector<std::string> items;
    static std::vector<std::string> head;
    grimtally::splitCommaTextInto(text, items);
    const Placed exact = place(text, false);
    const Placed ahead = place(text, true);
    for (std::size_t most : {std::size_t{0}, std::size_t{48}, items.size(), items.size() + 1}) {
        const bool whole = grimtally::splitCommaTextAtMost(text, most, head);
        for (const Placed* placed : {&exact, &ahead}) {
            check(grimtally::splitCommaTextAtMost(placed->text, most, runs, placed->readable) ==
                      whole,
                  "runs: whole");
            check(sameItems(runs, head), "runs: items");
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view input(reinterpret_cast<const char*>(data), size);

    std::vector<std::string> items = grimtally::splitCommaText(input);
    std::string joined = grimtally::joinCommaText(items);
    check(grimtally::splitCommaText(joined) == items, "split, join, split");

    // Stopping early gives the beginning of the whole split, and says whether it was all.
    for (size_t most : {size_t{0}, items.size() / 2, items.size(), items.size() + 1}) {
        std::vector<std::string> head;
        const bool whole = grimtally::splitCommaTextAtMost(input, most, head);
        check(whole == (most >= items.size()), "split at most: whole");
        check(std::equal(head.begin(), head.end(), items.begin(),
                         items.begin() + static_cast<std::ptrdiff_t>(std::min(most, items.size()))),
              "split at most: items");
    }

    // The input read as a list of items cut at 0xFE, so that every byte value, blanks and
    // quotes included, turns up inside items.
    std::vector<std::string> list;
    if (!input.empty()) {
        size_t start = 0;
        for (;;) {
            size_t cut = input.find('\xFE', start);
            list.emplace_back(
                input.substr(start, cut == std::string_view::npos ? cut : cut - start));
            if (cut == std::string_view::npos)
                break;
            start = cut + 1;
        }
    }
    std::vector<std::string> back;
    const std::string listJoined = grimtally::joinCommaText(list);
    grimtally::splitCommaTextInto(listJoined, back);
    check(back == list, "join, split");

    checkRuns(input);
    checkRuns(joined);
    checkRuns(listJoined);

    // Joining items that lie in memory readable past their ends, as a record's fields do.
    const Placed placed = place(input, true);
    std::vector<std::string_view> views;
    for (std::size_t start = 0; start <= placed.text.size() && !placed.text.empty();) {
        const std::size_t cut = placed.text.find('\xFE', start);
        const std::size_t end = cut == std::string_view::npos ? placed.text.size() : cut;
        views.push_back(placed.text.substr(start, end - start));
        start = end + 1;
    }
    std::string appended = "x";
    grimtally::appendCommaText(appended, std::span<const std::string_view>(views), placed.readable);
    check(appended == "x" + listJoined, "append with read-ahead");
    return 0;
}
