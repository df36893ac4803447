// Registering an enemy from the editor at 1,000,000 enemies, as the main window does it:
// the store takes the record, the recovery journal appends it and flushes it to the disk,
// the list is rebuilt and painted. The collection is opened from a file first (its journal
// then holds that file's name and hash, never the records).
//
//   bench_register_ui [folder]      the data file and the journal go to folder (default /tmp)
#include "core/records/recoveryjournal.h"
#include "generated_collection.h"
#include "ui/app/tform1.h"
#include "ui/toolkit/dialogs.h"

#include <QApplication>
#include <QDir>

#include <benchmark/benchmark.h>
#include <filesystem>
#include <fstream>
#include <memory>

namespace {

using namespace grimtally;

constexpr int kMillion = 1000000;

// Opens the generated file; answers every question with its first button.
class BenchDialogs : public ui::Dialogs {
public:
    explicit BenchDialogs(QString open) : open_(std::move(open)) {}
    ui::Answer ask(QWidget*, const QString&, ui::MessageIcon, ui::MessageButtons buttons,
                   const QString&) override
    {
        return buttons == ui::MessageButtons::Ok || buttons == ui::MessageButtons::OkCancel
                   ? ui::Answer::Ok
                   : ui::Answer::Yes;
    }
    std::optional<QString> openFileName(QWidget*, const QString&, const QString&) override
    {
        return open_;
    }
    std::optional<QString> saveFileName(QWidget*, const QString&, const QString&,
                                        const QString&) override
    {
        return std::nullopt;
    }

private:
    QString open_;
};

std::filesystem::path benchFolder;
std::unique_ptr<ui::TForm1> form; // gone before the application

// The main window with a million enemies opened, made once for every benchmark.
ui::TForm1& window()
{
    if (!form) {
        const std::filesystem::path file = benchFolder / "million.txt";
        std::ofstream(file, std::ios::binary) << bench::generatedDataFile(kMillion);
        static BenchDialogs dialogs(QString::fromStdString(file.string()));
        ui::Dialogs::install(&dialogs);
        form = std::make_unique<ui::TForm1>();
        form->show();
        form->Menu_OpenClick();
        QApplication::processEvents();
    }
    return *form;
}

EnemyRecord anEnemy(int number)
{
    std::vector<std::string> fields(kFieldCount, "3");
    fields[FieldClassify] = "Beast";
    return {"Wolf " + std::to_string(number), FieldList(std::span<const std::string>(fields))};
}

// The new-entry row: one more enemy at the end.
void BM_RegisterNewEnemy(benchmark::State& state)
{
    ui::TForm1& shown = window();
    int number = 0;
    for (auto _ : state) {
        state.PauseTiming();
        shown.selectRow(0);
        state.ResumeTiming();
        shown.registerRecord(anEnemy(++number));
        QApplication::processEvents(); // the list is painted again
    }
    state.counters["enemies"] = shown.store().recordCount();
    state.counters["journal_bytes"] = static_cast<double>(
        shown.recoveryJournal() ? std::filesystem::file_size(*shown.recoveryJournal()) : 0);
}
BENCHMARK(BM_RegisterNewEnemy)->Unit(benchmark::kMillisecond)->Iterations(50);

// A row in the middle, edited in place.
void BM_RegisterEditedEnemy(benchmark::State& state)
{
    ui::TForm1& shown = window();
    int number = 0;
    for (auto _ : state) {
        state.PauseTiming();
        shown.selectRow(kMillion / 2);
        state.ResumeTiming();
        shown.registerRecord(anEnemy(++number));
        QApplication::processEvents();
    }
}
BENCHMARK(BM_RegisterEditedEnemy)->Unit(benchmark::kMillisecond)->Iterations(50);

// The journal's part alone: one record appended to the journal and flushed to the disk.
void BM_JournalOneRegistering(benchmark::State& state)
{
    ui::TForm1& shown = window();
    RecordStore& store = shown.store();
    RecoveryJournal journal(benchFolder);
    journal.reset({});
    int number = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const StoreChange change = StoreChange::appending(store);
        store.append(anEnemy(++number));
        state.ResumeTiming();
        journal.note(store, change);
    }
    journal.discard();
}
BENCHMARK(BM_JournalOneRegistering)->Unit(benchmark::kMillisecond)->Iterations(50);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    const std::filesystem::path base = argc > 1 ? argv[1] : "/tmp";
    benchFolder =
        base / ("grimtally-bench-register-" + std::to_string(QApplication::applicationPid()));
    std::filesystem::create_directories(benchFolder);
    // The journal is written in the working folder, as in the program.
    QDir::setCurrent(QString::fromStdString(benchFolder.string()));
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    form.reset();
    ui::Dialogs::install(nullptr);
    std::filesystem::remove_all(benchFolder);
    return 0;
}
