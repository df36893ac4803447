// Export and import of 100,000 generated Shift-JIS enemies: JSON both ways, CSV, Markdown
// and HTML out. "Typical" texts are kana, as a Japanese collection has them; "hostile" ones
// use every code of code page 932, unassigned and second codes too, so that most fields
// carry raw bytes: the slow road.
#include "core/exchange/enemycsv.h"
#include "core/exchange/enemyjson.h"
#include "core/exchange/statblock.h"
#include "core/records/datafile.h"
#include "generated_collection.h"

#include <benchmark/benchmark.h>
#include <numeric>
#include <sstream>

namespace {

using namespace grimtally;
using namespace grimtally::bench;

struct Collection {
    RecordStore store;
    std::vector<int> slots;
    std::string json;
};

// The same file with every double-byte character turned into a hiragana.
std::string kanaOnly(std::string file)
{
    for (std::size_t i = 0; i + 1 < file.size(); ++i) {
        const auto byte = static_cast<unsigned char>(file[i]);
        if ((byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC)) {
            const auto trail = static_cast<unsigned char>(file[i + 1]);
            file[i] = static_cast<char>(0x82);
            file[i + 1] = static_cast<char>(0x9F + trail % 0x53);
            ++i;
        }
    }
    return file;
}

// The writers write to a stream, which a file takes as it comes; here it only counts, so that
// the writers' own time is measured.
class CountingBuffer : public std::streambuf {
public:
    std::size_t bytes = 0;

protected:
    int_type overflow(int_type c) override
    {
        bytes += traits_type::eq_int_type(c, traits_type::eof()) ? 0 : 1;
        return traits_type::not_eof(c);
    }
    std::streamsize xsputn(const char*, std::streamsize n) override
    {
        bytes += static_cast<std::size_t>(n);
        return n;
    }
};

template <typename Write> std::size_t written(const Write& write)
{
    CountingBuffer buffer;
    std::ostream out(&buffer);
    write(out);
    return buffer.bytes;
}

const Collection& collection(bool hostile)
{
    static const auto make = [](bool everyCode) {
        Collection c;
        const std::string file = generatedDataFile(kRecords);
        c.store.replaceFrom(1, parseDataFile(everyCode ? file : kanaOnly(file)).records);
        c.slots.resize(static_cast<std::size_t>(c.store.recordCount()));
        std::iota(c.slots.begin(), c.slots.end(), 1);
        std::ostringstream json;
        writeEnemiesJson(json, c.store, c.slots);
        c.json = std::move(json).str();
        return c;
    };
    static const Collection typical = make(false);
    static const Collection everyCode = make(true);
    return hostile ? everyCode : typical;
}

void BM_ExportJson(benchmark::State& state)
{
    const Collection& c = collection(state.range(0) != 0);
    for (auto _ : state)
        benchmark::DoNotOptimize(
            written([&](std::ostream& out) { writeEnemiesJson(out, c.store, c.slots); }));
    state.counters["MB"] = static_cast<double>(c.json.size()) / 1e6;
}
BENCHMARK(BM_ExportJson)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_ImportJson(benchmark::State& state)
{
    const Collection& c = collection(state.range(0) != 0);
    RecordStore store;
    for (auto _ : state) {
        store.clear();
        mergeEnemies(store, readEnemiesJson(c.json));
    }
    for (int slot = 1; slot < c.store.slotCount(); ++slot) {
        if (store.name(slot) != c.store.name(slot) || !(store.fields(slot) == c.store.fields(slot)))
            state.SkipWithError("an imported record differs from the exported one");
    }
}
BENCHMARK(BM_ImportJson)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_ExportCsv(benchmark::State& state)
{
    const Collection& c = collection(state.range(0) != 0);
    const Captions captions = Captions::defaults();
    for (auto _ : state)
        benchmark::DoNotOptimize(
            written([&](std::ostream& out) { writeEnemiesCsv(out, c.store, c.slots, captions); }));
}
BENCHMARK(BM_ExportCsv)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_ExportMarkdown(benchmark::State& state)
{
    const Collection& c = collection(state.range(0) != 0);
    const Captions captions = Captions::defaults();
    for (auto _ : state)
        benchmark::DoNotOptimize(written(
            [&](std::ostream& out) { writeStatBlocksMarkdown(out, c.store, c.slots, captions); }));
}
BENCHMARK(BM_ExportMarkdown)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_ExportHtml(benchmark::State& state)
{
    const Collection& c = collection(state.range(0) != 0);
    const Captions captions = Captions::defaults();
    for (auto _ : state)
        benchmark::DoNotOptimize(written(
            [&](std::ostream& out) { writeStatBlocksHtml(out, c.store, c.slots, captions, 2); }));
}
BENCHMARK(BM_ExportHtml)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
