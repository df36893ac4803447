// The exchange JSON: any bytes either read as enemies or fail with an ExchangeError, and
// what was read goes out and back unchanged; any bytes read as a data file go through JSON
// and come back byte for byte.
#include "core/exchange/enemyjson.h"
#include "core/records/datafile.h"

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string_view>

namespace {

using namespace grimtally;

bool sameRecords(const RecordStore& a, const RecordStore& b)
{
    if (a.slotCount() != b.slotCount())
        return false;
    for (int slot = 1; slot < a.slotCount(); ++slot) {
        if (a.name(slot) != b.name(slot) || !(a.fields(slot) == b.fields(slot)))
            return false;
    }
    return true;
}

void roundTrip(const RecordStore& store)
{
    RecordStore back;
    std::ostringstream json;
    writeEnemiesJson(json, store);
    mergeEnemies(back, readEnemiesJson(json.str()));
    if (!sameRecords(store, back))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    try {
        RecordStore read;
        mergeEnemies(read, readEnemiesJson(input));
        roundTrip(read);
    } catch (const ExchangeError&) {
    }
    RecordStore store;
    store.replaceFrom(1, parseDataFile(input).records);
    roundTrip(store);
    return 0;
}
