// Data file reading: any bytes parse without harm, the refused lines it names are the first
// ones, and what was read is written and read back as the same records.
#include "core/records/datafile.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace grimtally;
    const ParsedDataFile first =
        parseDataFile(std::string_view(reinterpret_cast<const char*>(data), size));
    // The refused lines named are the first ones, in file order.
    const std::vector<std::int64_t>& numbers = first.refusedLineNumbers;
    if (static_cast<std::int64_t>(numbers.size()) !=
            std::min<std::int64_t>(first.refusedLines, kRefusedLineNumbersKept) ||
        !std::is_sorted(numbers.begin(), numbers.end()) ||
        std::adjacent_find(numbers.begin(), numbers.end()) != numbers.end() ||
        (!numbers.empty() && numbers.front() < 1))
        std::abort();

    RecordStore store;
    store.replaceFrom(1, first.records);
    std::ostringstream out;
    writeDataFile(out, store);

    const ParsedDataFile second = parseDataFile(out.str());
    if (second.refusedLines != 0 || second.records.size() != first.records.size())
        std::abort();
    for (std::size_t i = 0; i < first.records.size(); ++i) {
        if (second.records[i].name != first.records[i].name ||
            !(second.records[i].fields == first.records[i].fields))
            std::abort();
    }
    return 0;
}
