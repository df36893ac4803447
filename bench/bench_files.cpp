// Files on disk: saving the generated collection of 100,000 enemies the way Save as does, and
// the start-up road of "Language.txt" (read every word, write them back), for a complete file
// and for two 10 MB ones: a single huge value, and a million short lines.
#include "core/records/datafile.h"
#include "core/records/recordstore.h"
#include "core/text/inifile.h"
#include "core/text/savefile.h"
#include "core/text/textfile.h"
#include "core/words/vocabulary.h"
#include "generated_collection.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>

namespace {

using namespace grimtally;
using namespace grimtally::bench;
namespace fs = std::filesystem;

// A scratch folder on the temporary file system, removed at the end.
struct Scratch {
    fs::path folder;
    Scratch()
    {
        std::string pattern = (fs::temp_directory_path() / "grimtally-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()))
            folder = pattern;
    }
    ~Scratch()
    {
        std::error_code ec;
        fs::remove_all(folder, ec);
    }
};

Scratch& scratch()
{
    static Scratch made;
    return made;
}

void BM_SaveDataFileToDisk(benchmark::State& state)
{
    static const std::string file = generatedDataFile(kRecords);
    static const RecordStore store = [] {
        RecordStore s;
        s.replaceFrom(1, parseDataFile(file).records);
        return s;
    }();
    const fs::path target = scratch().folder / "collection.txt";
    for (auto _ : state)
        writeFileAtomically(target, [](std::ostream& out) { writeDataFile(out, store); });
    if (readWholeFile(target) != file)
        state.SkipWithError("written bytes differ from the file");
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(file.size()));
}
BENCHMARK(BM_SaveDataFileToDisk)->Unit(benchmark::kMillisecond)->UseRealTime();

// A complete "Language.txt", as the program leaves it after its first start.
std::string completeLanguageFile()
{
    IniFile ini;
    writeVocabulary(ini, readVocabulary(ini));
    writeEditorWords(ini, readEditorWords(ini));
    return ini.serialize();
}

// What start-up does with the file: both windows read their words and write them back.
void startUpWords(benchmark::State& state, const std::string& bytes)
{
    for (auto _ : state) {
        IniFile ini = IniFile::parse(bytes);
        Vocabulary vocabulary = readVocabulary(ini);
        writeVocabulary(ini, vocabulary);
        std::vector<std::string> editorWords = readEditorWords(ini);
        writeEditorWords(ini, editorWords);
        std::string written = ini.serialize();
        benchmark::DoNotOptimize(written.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(bytes.size()));
}

void BM_LanguageWordsComplete(benchmark::State& state)
{
    startUpWords(state, completeLanguageFile());
}
BENCHMARK(BM_LanguageWordsComplete)->Unit(benchmark::kMicrosecond);

void BM_LanguageWordsHugeValue(benchmark::State& state)
{
    std::string bytes = completeLanguageFile();
    const std::size_t at = bytes.find("name=") + 5;
    bytes.insert(at, std::string(10 * 1024 * 1024, 'x'));
    startUpWords(state, bytes);
}
BENCHMARK(BM_LanguageWordsHugeValue)->Unit(benchmark::kMillisecond);

// 10 MB of short keys of no use to the program in section "common": every word looked up
// among a million lines.
void BM_LanguageWordsManyLines(benchmark::State& state)
{
    std::string bytes = "[common]\r\n";
    for (int i = 0; bytes.size() < 10 * 1024 * 1024; ++i)
        bytes += "key" + std::to_string(i) + "=x\r\n";
    bytes += completeLanguageFile();
    startUpWords(state, bytes);
}
BENCHMARK(BM_LanguageWordsManyLines)->Unit(benchmark::kMillisecond);

// A hundred thousand lines, two thousand keys looked up and added, the file written again:
// in proportion to the file it takes milliseconds, where reading the whole file again for
// every key took seconds.
void BM_IniManyKeysInALargeFile(benchmark::State& state)
{
    std::string text = "[s]\r\n";
    for (int i = 0; i < 100000; ++i)
        text += "k" + std::to_string(i) + "=v" + std::to_string(i) + "\r\n";
    text += "[t]\r\nx=1\r\n";
    for (auto _ : state) {
        IniFile ini = IniFile::parse(text);
        for (int i = 0; i < 100000; i += 50) {
            benchmark::DoNotOptimize(ini.value("S", "K" + std::to_string(i)));
            ini.writeString("s", "new" + std::to_string(i), "n");
        }
        std::string written = ini.serialize();
        benchmark::DoNotOptimize(written.data());
    }
}
BENCHMARK(BM_IniManyKeysInALargeFile)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
