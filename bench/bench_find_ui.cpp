// Keystrokes in the find bar at 10,000, 100,000 and 1,000,000 generated enemies: the list
// narrowed to the rows whose cells hold the words typed so far, timed from the keystroke to
// the view having painted again. Each benchmark times one keystroke of a word, the ones
// before it typed untimed: the first looks at every record, the later ones only at the
// rows still shown.
#include "qt_benchmark_main.h"
#include "shown_list.h"

#include <QApplication>

#include <benchmark/benchmark.h>
#include <chrono>

namespace {

using namespace grimtally;
using Clock = std::chrono::steady_clock;

// What is typed, one keystroke a character: a word of the generated names and habitats
// (double-byte characters, most of them kanji), a number, a letter (whose byte is also the
// second byte of many double-byte characters), and a word and a number as two words.
std::string typedText(int query)
{
    switch (query) {
    case 0:
        return bench::Generator(20240607).word();
    case 1:
        return "12";
    case 2:
        return "a";
    default:
        return bench::Generator(20240607).word() + " 1";
    }
}

// The keystrokes of a text: where each character ends.
std::vector<std::size_t> keystrokes(const std::string& text)
{
    std::vector<std::size_t> ends;
    for (std::size_t at = 0; at < text.size();) {
        const auto byte = static_cast<unsigned char>(text[at]);
        at += (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC) ? 2 : 1;
        ends.push_back(std::min(at, text.size()));
    }
    return ends;
}

void BM_Keystroke(benchmark::State& state)
{
    const int query = static_cast<int>(state.range(0));
    const std::size_t key = static_cast<std::size_t>(state.range(1));
    const int records = static_cast<int>(state.range(2));
    const std::string text = typedText(query);
    const std::vector<std::size_t> ends = keystrokes(text);
    if (key >= ends.size()) {
        state.SkipWithError("the text has fewer keystrokes");
        return;
    }
    bench::ShownList list(bench::storeOf(records));
    double findSeconds = 0;
    for (auto _ : state) {
        list.model.setFindText({});
        for (std::size_t before = 0; before < key; ++before)
            list.model.setFindText(std::string_view(text).substr(0, ends[before]));
        QApplication::processEvents();
        const auto start = Clock::now();
        list.model.setFindText(std::string_view(text).substr(0, ends[key]));
        const auto found = Clock::now();
        QApplication::processEvents();
        const auto painted = Clock::now();
        findSeconds += std::chrono::duration<double>(found - start).count();
        state.SetIterationTime(std::chrono::duration<double>(painted - start).count());
    }
    state.counters["find_ms"] =
        benchmark::Counter(findSeconds * 1e3 / static_cast<double>(state.iterations()));
    state.counters["shown"] = list.model.shownRecordCount();
}

// Escape: every row back.
void BM_EscapeBringsEveryRowBack(benchmark::State& state)
{
    const int records = static_cast<int>(state.range(0));
    bench::ShownList list(bench::storeOf(records));
    for (auto _ : state) {
        list.model.setFindText(typedText(0));
        QApplication::processEvents();
        const auto start = Clock::now();
        list.model.setFindText({});
        QApplication::processEvents();
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    }
    state.counters["shown"] = list.model.shownRecordCount();
}

void queriesAndSizes(benchmark::internal::Benchmark* bench)
{
    for (int records : {10000, 100000, 1000000}) {
        for (int query = 0; query < 4; ++query) {
            const std::size_t keys = keystrokes(typedText(query)).size();
            for (std::size_t key = 0; key < keys; ++key)
                bench->Args({query, static_cast<int>(key), records});
        }
    }
    bench->ArgNames({"query", "key", "records"})->UseManualTime()->Unit(benchmark::kMillisecond);
}
BENCHMARK(BM_Keystroke)->Apply(queriesAndSizes);
BENCHMARK(BM_EscapeBringsEveryRowBack)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->ArgName("records")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace

GRIMTALLY_QT_BENCHMARK_MAIN()
