// Data file reading: any bytes parse without harm, and what was read is written and read
// back as the same records.
#include "core/records/datafile.h"

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace grimtally;
    const ParsedDataFile first =
        parseDataFile(std::string_view(reinterpret_cast<const char*>(data), size));

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
