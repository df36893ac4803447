// Data file reading: any bytes parse without harm, into the records and refused lines that
// splitting each line whole gives, and what was read is written and read back as the same
// records.
#include "core/records/datafile.h"
#include "core/text/commatext.h"
#include "core/text/lines.h"

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace grimtally;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const ParsedDataFile first = parseDataFile(input);

    // The same lines as the general line splitter cuts, the same records and refusals as a
    // whole split of each line gives, and the first refused lines named.
    if (first.unicodeEncoding.empty()) {
        std::size_t records = 0;
        std::int64_t refused = 0;
        std::vector<std::int64_t> numbers;
        const std::vector<std::string_view> lines = splitLines(input);
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const std::size_t items = lines[i].empty() ? 0 : splitCommaText(lines[i]).size();
            if (items == 1 + kFieldCount) {
                ++records;
            } else if (items != 0) {
                ++refused;
                if (numbers.size() < kRefusedLineNumbersKept)
                    numbers.push_back(static_cast<std::int64_t>(i) + 1);
            }
        }
        if (records != first.records.size() || refused != first.refusedLines ||
            numbers != first.refusedLineNumbers)
            std::abort();
    } else if (first.hadLines || !first.records.empty()) {
        std::abort();
    }

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
