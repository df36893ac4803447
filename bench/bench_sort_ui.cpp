// One header click on the main list at 10,000, 100,000 and 1,000,000 generated enemies:
// the first click from slot order, and a click from the scrambled order another column's
// sort left behind. Timed from the click to the view having painted again.
#include "qt_benchmark_main.h"
#include "shown_list.h"

#include <QApplication>

#include <benchmark/benchmark.h>
#include <chrono>

namespace {

using namespace grimtally;
using Clock = std::chrono::steady_clock;

// The list as the main window has it.
struct ShownList : bench::ShownList {
    using bench::ShownList::ShownList;

    // Back to slot order with no direction, so that the next click sorts ascending.
    void restart()
    {
        while (model.order().sortDirection() != 0)
            model.sortByHeaderClick(0);
        model.renew();
        QApplication::processEvents();
    }
};

void timeClick(benchmark::State& state, bool scrambled)
{
    const int column = static_cast<int>(state.range(0));
    const int records = static_cast<int>(state.range(1));
    ShownList list(bench::storeOf(records));
    double sortSeconds = 0;
    for (auto _ : state) {
        list.restart();
        if (scrambled) {
            // Names are random, so their order scrambles every other column; and the
            // other way round for the name column.
            list.model.sortByHeaderClick(column == 0 ? 2 : 0);
            QApplication::processEvents();
        }
        const auto start = Clock::now();
        list.model.sortByHeaderClick(column);
        const auto sorted = Clock::now();
        QApplication::processEvents();
        const auto painted = Clock::now();
        sortSeconds += std::chrono::duration<double>(sorted - start).count();
        state.SetIterationTime(std::chrono::duration<double>(painted - start).count());
    }
    state.counters["sort_ms"] =
        benchmark::Counter(sortSeconds * 1e3 / static_cast<double>(state.iterations()));
    state.counters["rows"] = records;
}

void BM_FirstClick(benchmark::State& state)
{
    timeClick(state, false);
}

void BM_ClickFromScrambledOrder(benchmark::State& state)
{
    timeClick(state, true);
}

// Level (a number), name (text only), speed (a joined cell) and abilities (comma text).
void sizesAndColumns(benchmark::internal::Benchmark* bench)
{
    for (int records : {10000, 100000, 1000000}) {
        for (int column : {2, 0, 5, 16})
            bench->Args({column, records});
    }
    bench->ArgNames({"column", "records"})->UseManualTime()->Unit(benchmark::kMillisecond);
}
BENCHMARK(BM_FirstClick)->Apply(sizesAndColumns);
BENCHMARK(BM_ClickFromScrambledOrder)->Apply(sizesAndColumns);

} // namespace

GRIMTALLY_QT_BENCHMARK_MAIN()
