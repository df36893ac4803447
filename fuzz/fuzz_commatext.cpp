// Fuzzes comma text: any split list must survive a join and a second split, a split that
// stops early must give its beginning, and any list of items must survive a join and a split.
#include "core/text/commatext.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
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
    grimtally::splitCommaTextInto(grimtally::joinCommaText(list), back);
    check(back == list, "join, split");
    return 0;
}
