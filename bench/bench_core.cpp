// Throughput of the data file and comma text, the cost of a column sort, and the memory a
// loaded collection takes, on 100,000 generated Shift-JIS records.
#include "core/records/datafile.h"
#include "core/records/listcells.h"
#include "core/records/recordstore.h"
#include "core/records/roworder.h"
#include "core/text/commatext.h"
#include "core/text/textfile.h"

#include <benchmark/benchmark.h>
#include <malloc.h>
#include <random>
#include <sstream>
#include <streambuf>

namespace {

using namespace grimtally;

constexpr int kRecords = 100000;

class Generator {
public:
    explicit Generator(unsigned seed) : engine_(seed)
    {
        for (int i = 0; i < 300; ++i)
            words_.push_back(kanaWord(2, 5));
    }

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(engine_); }
    bool chance(int percent) { return below(100) < percent; }
    std::string number(int low, int high) { return std::to_string(low + below(high - low + 1)); }
    const std::string& word() { return words_[static_cast<std::size_t>(below(300))]; }

    // Any double-byte character of code page 932: lead 0x81-0x9F or 0xE0-0xFC, trail
    // 0x40-0x7E or 0x80-0xFC. One in eight trail bytes is forced to 0x5C or 0x7C, the bytes
    // that trip up code which scans for a backslash or a bar.
    std::string kanaWord(int minChars, int maxChars)
    {
        std::string text;
        const int chars = minChars + below(maxChars - minChars + 1);
        for (int i = 0; i < chars; ++i) {
            const int lead = below(31 + 29);
            text += static_cast<char>(lead < 31 ? 0x81 + lead : 0xE0 + (lead - 31));
            int trail;
            if (below(8) == 0) {
                trail = below(2) == 0 ? 0x5C : 0x7C;
            } else {
                trail = 0x40 + below(0x3F + 0x7D);
                if (trail >= 0x7F)
                    ++trail; // 0x7F is never a trail byte
            }
            text += static_cast<char>(trail);
        }
        return text;
    }

    std::string commaWords(int max)
    {
        std::vector<std::string> items;
        const int count = below(max + 1);
        for (int i = 0; i < count; ++i)
            items.push_back(below(4) == 0 ? word() + " " + word() : word());
        return count == 0 ? std::string() : joinCommaText(std::span<const std::string>(items));
    }

    // A record as the editor writes one: numbers of one to three digits, words from a
    // small pool, optional parts mostly empty.
    std::vector<std::string> fields()
    {
        std::vector<std::string> f(kFieldCount);
        f[FieldClassify] = word();
        f[FieldLevel] = number(1, 20);
        f[FieldCelebrity] = number(2, 25);
        f[FieldCelebrityQualifier] = chance(30) ? word() : "";
        f[FieldDex] = number(5, 20);
        f[FieldMainSpeed] = number(5, 30);
        f[FieldMainMovement] = word();
        if (chance(30)) {
            f[FieldSubSpeed] = number(3, 20);
            f[FieldSubMovement] = word();
        }
        f[FieldCountLow] = number(1, 5);
        f[FieldCountHigh] = chance(60) ? number(5, 20) : "";
        f[FieldFrequency] = word();
        f[FieldInt] = word();
        f[FieldReaction] = word();
        f[FieldReaction2] = chance(25) ? word() : "";
        for (auto [method, percent] : {std::pair{FieldAttack1Method, 100},
                                       {FieldAttack2Method, 40},
                                       {FieldAttack3Method, 15}}) {
            if (chance(percent)) {
                f[method] = word();
                f[method + 1] = number(5, 18);
                f[method + 2] = number(2, 20);
            }
        }
        f[FieldDodge] = number(5, 18);
        f[FieldPrevent] = number(0, 12);
        f[FieldHP] = number(5, 120);
        f[FieldHPResist] = number(3, 15);
        f[FieldSP] = number(0, 60);
        f[FieldSPResist] = number(3, 15);
        for (auto [kind, percent] :
             {std::pair{FieldMagic1Kind, 30}, {FieldMagic2Kind, 10}, {FieldMagic3Kind, 5}}) {
            if (chance(percent)) {
                f[kind] = word();
                f[kind + 1] = number(1, 10);
                f[kind + 2] = number(5, 25);
            }
        }
        f[FieldAbility] = commaWords(3);
        f[FieldHabitat] = word() + word();
        f[FieldLanguage] = chance(40) ? word() : "";
        f[FieldSense] = word();
        f[FieldSubSenses] = commaWords(2);
        f[FieldStrength] = number(1, 30);
        f[FieldSize] = word();
        f[FieldHardness] = word();
        return f;
    }

private:
    std::mt19937 engine_;
    std::vector<std::string> words_;
};

struct Collection {
    std::string file;
    std::vector<std::string_view> lines;
    RecordStore store;
};

const Collection& collection()
{
    static const Collection made = [] {
        Collection c;
        Generator generate(20240607);
        RecordStore store;
        for (int i = 0; i < kRecords; ++i) {
            std::vector<std::string> fields = generate.fields();
            store.append(
                {generate.kanaWord(2, 8), FieldList(std::span<const std::string>(fields))});
        }
        std::ostringstream out;
        writeDataFile(out, store);
        c.file = out.str();
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
            const FieldList& fields = c.store.fields(slot);
            for (int i = 0; i < kFieldCount; ++i)
                views[static_cast<std::size_t>(i)] = fields[i];
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
        benchmark::DoNotOptimize(parsed.records.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(c.file.size()));
}
BENCHMARK(BM_ParseDataFile)->Unit(benchmark::kMillisecond);

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

// One header click: the column's cells computed once, then a stable sort of the rows
// comparing the cached cells.
void BM_SortRows(benchmark::State& state)
{
    const Collection& c = collection();
    const int column = static_cast<int>(state.range(0));
    const CellWords words;
    for (auto _ : state) {
        std::vector<std::string> cells(static_cast<std::size_t>(c.store.slotCount()));
        for (int slot = 1; slot < c.store.slotCount(); ++slot)
            cells[static_cast<std::size_t>(slot)] =
                listCell(c.store.name(slot), c.store.fields(slot), column, words);
        RowOrder rows;
        rows.reset(c.store.slotCount());
        rows.advanceSort(column);
        const int direction = rows.sortDirection();
        rows.sortRecordRows([&](int a, int b) {
            return compareListCells(cells[static_cast<std::size_t>(a)],
                                    cells[static_cast<std::size_t>(b)], column, direction);
        });
        benchmark::DoNotOptimize(rows.slotOfRow(1));
    }
    state.counters["rows"] = kRecords;
}
BENCHMARK(BM_SortRows)->Arg(2)->Arg(0)->Arg(5)->Unit(benchmark::kMillisecond);

// What the loaded collection costs on the heap, malloc's own overhead included, as a
// multiple of the file's size.
void BM_LoadedStoreMemory(benchmark::State& state)
{
    const Collection& c = collection();
    double ratio = 0;
    for (auto _ : state) {
        malloc_trim(0);
        const std::size_t before = mallinfo2().uordblks;
        auto* store = new RecordStore;
        store->replaceFrom(1, parseDataFile(c.file).records);
        const std::size_t after = mallinfo2().uordblks;
        ratio = static_cast<double>(after - before) / static_cast<double>(c.file.size());
        delete store;
    }
    state.counters["file_MB"] = static_cast<double>(c.file.size()) / 1e6;
    state.counters["memory_per_file_byte"] = ratio;
}
BENCHMARK(BM_LoadedStoreMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
