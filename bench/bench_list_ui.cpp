// Opening a collection of 100,000 enemies into the main list: parsing the file, filling the
// store and rebuilding the list model with a view attached, as the Open command does.
#include "core/records/datafile.h"
#include "core/words/vocabulary.h"
#include "generated_collection.h"
#include "qt_benchmark_main.h"
#include "ui/app/enemylistmodel.h"
#include "ui/toolkit/listview.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

using namespace grimtally;

void BM_OpenAndRebuild(benchmark::State& state)
{
    static const std::string file = bench::generatedDataFile(bench::kRecords);
    const Vocabulary words = readVocabulary(IniFile());
    RecordStore store;
    ui::EnemyListModel model(store, words, nullptr);
    ui::ListView view;
    view.setModel(&model);
    view.resize(696, 480);
    view.show();
    for (auto _ : state) {
        store.replaceFrom(1, parseDataFile(file).records);
        model.renew();
        QApplication::processEvents(); // the view lays out and paints its visible rows
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(file.size()));
}
BENCHMARK(BM_OpenAndRebuild)->Unit(benchmark::kMillisecond);

void BM_HeaderClickSort(benchmark::State& state)
{
    static const std::string file = bench::generatedDataFile(bench::kRecords);
    const Vocabulary words = readVocabulary(IniFile());
    RecordStore store;
    store.replaceFrom(1, parseDataFile(file).records);
    ui::EnemyListModel model(store, words, nullptr);
    const int column = static_cast<int>(state.range(0));
    for (auto _ : state) {
        // Each click advances the cycle; count the sorting ones.
        model.sortByHeaderClick(column);
        if (model.order().sortDirection() == 0)
            model.sortByHeaderClick(column);
    }
}
BENCHMARK(BM_HeaderClickSort)->Arg(2)->Arg(0)->Unit(benchmark::kMillisecond);

} // namespace

GRIMTALLY_QT_BENCHMARK_MAIN()
