// Throughput of the data file and comma text, the cost of a column sort, and the memory a
// loaded collection takes, on 100,000 generated Shift-JIS records.
#include "core/generate/enemyplan.h"
#include "core/records/datafile.h"
#include "core/records/listcells.h"
#include "core/records/recordstore.h"
#include "core/records/roworder.h"
#include "core/text/commatext.h"
#include "core/text/lines.h"
#include "core/text/textfile.h"
#include "generated_collection.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>
#include <malloc.h>
#include <sstream>
#include <streambuf>
#include <unistd.h>

namespace {

using namespace grimtally;
using namespace grimtally::bench;

struct Collection {
    std::string file;
    std::vector<std::string_view> lines;
    RecordStore store;
};

const Collection& collection()
{
    static const Collection made = [] {
        Collection c;
        c.file = generatedDataFile(kRecords);
        c.lines = splitLines(c.file);
        c.store.replaceFrom(1, parseDataFile(c.file).records);
        return c;
    }();
    return made;
}

void BM_SplitCommaText(benchmark::State& state)
{
    const Collection& c = collection();
    std::vector<std::string> items;
    for (auto _ : state) {
        for (std::string_view line : c.lines) {
            splitCommaTextInto(line, items);
            benchmark::DoNotOptimize(items.data());
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(c.file.size()));
}
BENCHMARK(BM_SplitCommaText)->Unit(benchmark::kMillisecond);

void BM_JoinCommaText(benchmark::State& state)
{
    const Collection& c = collection();
    std::vector<std::string_view> views(kFieldCount);
    std::int64_t bytes = 0;
    for (auto _ : state) {
        for (int slot = 1; slot < c.store.slotCount(); ++slot) {
            c.store.fields(slot).views(views);
            const std::string line = joinCommaText(std::span<const std::string_view>(views));
            bytes += static_cast<std::int64_t>(line.size());
            benchmark::DoNotOptimize(line.data());
        }
    }
    state.SetBytesProcessed(bytes);
}
BENCHMARK(BM_JoinCommaText)->Unit(benchmark::kMillisecond);

void BM_ParseDataFile(benchmark::State& state)
{
    const Collection& c = collection();
    for (auto _ : state) {
        ParsedDataFile parsed = parseDataFile(c.file);
        benchmark::DoNotOptimize(parsed.records.size());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(c.file.size()));
}
BENCHMARK(BM_ParseDataFile)->Unit(benchmark::kMillisecond);

// The same over bytes already in a buffer the records may keep, as after reading the file:
// the parse alone, without the copy into fresh memory. The bytes are put back untimed.
void BM_ParseDataFileInPlace(benchmark::State& state)
{
    const Collection& c = collection();
    std::shared_ptr<char[]> buffer = fileBuffer(c.file.size());
    for (auto _ : state) {
        state.PauseTiming();
        std::memcpy(buffer.get(), c.file.data(), c.file.size());
        state.ResumeTiming();
        ParsedDataFile parsed = parseDataFile(buffer, c.file.size());
        benchmark::DoNotOptimize(parsed.records.size());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(c.file.size()));
}
BENCHMARK(BM_ParseDataFileInPlace)->Unit(benchmark::kMillisecond);

// Collects what a stream writes in a string that keeps its capacity, so that the figure is
// the formatting and not the growth of an ostringstream.
class StringSink : public std::streambuf {
public:
    explicit StringSink(std::string& bytes) : bytes_(bytes) {}

protected:
    std::streamsize xsputn(const char* data, std::streamsize count) override
    {
        bytes_.append(data, static_cast<std::size_t>(count));
        return count;
    }
    int_type overflow(int_type byte) override
    {
        if (!traits_type::eq_int_type(byte, traits_type::eof()))
            bytes_.push_back(traits_type::to_char_type(byte));
        return traits_type::not_eof(byte);
    }

private:
    std::string& bytes_;
};

void BM_WriteDataFile(benchmark::State& state)
{
    const Collection& c = collection();
    std::string bytes;
    bytes.reserve(c.file.size());
    for (auto _ : state) {
        bytes.clear();
        StringSink sink(bytes);
        std::ostream out(&sink);
        writeDataFile(out, c.store);
        benchmark::DoNotOptimize(bytes.data());
    }
    if (bytes != c.file)
        state.SkipWithError("written bytes differ from the file");
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(c.file.size()));
}
BENCHMARK(BM_WriteDataFile)->Unit(benchmark::kMillisecond);

// One header click's sort as the list runs it: each row's cell read once into keys, sorted
// by radix.
void BM_SortRows(benchmark::State& state)
{
    const Collection& c = collection();
    const int column = static_cast<int>(state.range(0));
    const CellWords words;
    for (auto _ : state) {
        RowOrder rows;
        rows.reset(c.store.slotCount());
        rows.advanceSort(column);
        rows.sortByCells([&c, &words, column](int slot, std::string& cell) {
            appendListCell(cell, c.store.name(slot), c.store.fields(slot), column, words);
        });
        benchmark::DoNotOptimize(rows.slotOfRow(1));
    }
    state.counters["rows"] = kRecords;
}
BENCHMARK(BM_SortRows)->Arg(2)->Arg(0)->Arg(5)->Arg(16)->Unit(benchmark::kMillisecond);

// What the loaded collection costs in resident memory, malloc's own overhead and the file
// buffer's pages included (a large buffer is mapped outside the heap), as a multiple of the
// file's size.
std::size_t residentBytes()
{
    std::size_t pages = 0, resident = 0;
    if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%zu %zu", &pages, &resident) != 2)
            resident = 0;
        std::fclose(statm);
    }
    return resident * static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
}

void BM_LoadedStoreMemory(benchmark::State& state)
{
    const Collection& c = collection();
    double ratio = 0;
    for (auto _ : state) {
        malloc_trim(0);
        const std::size_t before = residentBytes();
        auto* store = new RecordStore;
        store->replaceFrom(1, parseDataFile(c.file).records);
        const std::size_t after = residentBytes();
        ratio = static_cast<double>(after - before) / static_cast<double>(c.file.size());
        delete store;
    }
    state.counters["file_MB"] = static_cast<double>(c.file.size()) / 1e6;
    state.counters["memory_per_file_byte"] = ratio;
}
BENCHMARK(BM_LoadedStoreMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

// Ten thousand random enemies with every box checked and every count at its most, on lists
// as long as the shipped choice file's.
void BM_PlanTenThousandEnemies(benchmark::State& state)
{
    grimtally::GenerationSettings settings;
    settings.level = "50";
    settings.movements = "2";
    settings.attacks = "3";
    settings.magics = "3";
    settings.abilities = "40";
    settings.subSenses = "6";
    settings.checkAll();
    grimtally::ListSizes lists;
    lists.size = lists.hardness = lists.classify = lists.frequency = 10;
    lists.celebrityText = lists.intelligence = lists.sense = 8;
    lists.count1 = lists.reaction1 = lists.movement1 = 16;
    lists.count2 = lists.reaction2 = lists.movement2 = 17;
    lists.attacks = {15, 16, 16};
    lists.magics = {11, 11, 11};
    lists.abilities = 40;
    lists.subSenses = 6;
    grimtally::RandomSource random(2026);
    for (auto _ : state) {
        for (int enemy = 0; enemy < 10000; ++enemy)
            benchmark::DoNotOptimize(grimtally::planEnemy(settings, lists, random));
    }
}
BENCHMARK(BM_PlanTenThousandEnemies)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
