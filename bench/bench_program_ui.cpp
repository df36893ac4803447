// The whole program at 10,000, 100,000 and 1,000,000 generated enemies, each size in a
// process of its own running the main window: start to list filled (Files > Open), the
// program's peak memory with the file loaded, a header click from a scrambled order and
// Save as with the flush to disk. Beside them, in the same run, the in-memory parse and a
// plain memchr line count of the same file (the speed limit). Prints a Markdown table.
//
//   bench_program_ui [folder]      files and the saved copies go to folder (default /tmp)
#include "core/records/datafile.h"
#include "generated_collection.h"
#include "ui/app/tform1.h"
#include "ui/toolkit/dialogs.h"

#include <QApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

using namespace grimtally;
using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// steady_clock is CLOCK_MONOTONIC, the same in every process, so the child's "list filled"
// can be set against the moment the parent started it.
double monotonicNow()
{
    return std::chrono::duration<double>(Clock::now().time_since_epoch()).count();
}

// The process's peak resident memory. Not getrusage: its peak survives exec, so a child
// spawned by a large parent would report the parent's.
double peakResidentBytes()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with("VmHWM:"))
            return std::stod(line.substr(6)) * 1024.0;
    }
    return 0;
}

// Answers the file dialogs with the files of the run and every question with Yes or OK.
class RunDialogs : public ui::Dialogs {
public:
    RunDialogs(QString open, QString save) : open_(std::move(open)), save_(std::move(save)) {}
    ui::Answer ask(QWidget*, const QString&, ui::MessageIcon, ui::MessageButtons buttons,
                   const QString&) override
    {
        return buttons == ui::MessageButtons::YesNoCancel ? ui::Answer::Yes : ui::Answer::Ok;
    }
    std::optional<QString> openFileName(QWidget*, const QString&, const QString&) override
    {
        return open_;
    }
    std::optional<QString> saveFileName(QWidget*, const QString&, const QString&,
                                        const QString&) override
    {
        return save_;
    }

private:
    QString open_;
    QString save_;
};

// The child: the main window, its Open, a click, its Save as. One line of figures on stdout.
int runProgram(int argc, char** argv, const char* file, const char* saved)
{
    QApplication app(argc, argv);
    RunDialogs dialogs(QString::fromLocal8Bit(file), QString::fromLocal8Bit(saved));
    ui::Dialogs::install(&dialogs);
    ui::TForm1 form;
    form.show();
    QApplication::processEvents();
    const double shown = monotonicNow();
    form.Menu_OpenClick();
    const double opened = monotonicNow(); // read, parsed, in the store, the model reset
    QApplication::processEvents();        // the list lays out and paints its first rows
    const double filled = monotonicNow();
    const double peakBytes = peakResidentBytes();

    // Names are random, so sorting by name scrambles the level column's order.
    form.ListView1ColumnClick(0);
    QApplication::processEvents();
    auto start = Clock::now();
    form.ListView1ColumnClick(2);
    QApplication::processEvents();
    const double sortSeconds = secondsSince(start);

    start = Clock::now();
    const bool written = form.SaveAs() == ui::TForm1::SaveResult::Written;
    const double saveSeconds = secondsSince(start);
    ui::Dialogs::install(nullptr);
    std::printf("%.6f %.6f %.6f %.0f %.0f %.6f %.6f %d\n", shown, opened, filled, peakBytes,
                peakResidentBytes(), sortSeconds, saveSeconds,
                written ? form.store().recordCount() : -1);
    return written ? 0 : 1;
}

// Best of three: the least disturbed by the other work on the machine.
template <typename Run> double bestOf3(Run run)
{
    double best = 1e9;
    for (int i = 0; i < 3; ++i) {
        const auto start = Clock::now();
        run();
        best = std::min(best, secondsSince(start));
    }
    return best;
}

std::size_t memchrLineCount(const std::string& file)
{
    std::FILE* in = std::fopen(file.c_str(), "rb");
    std::vector<char> buffer(1 << 20);
    std::size_t lines = 0;
    for (std::size_t n; (n = std::fread(buffer.data(), 1, buffer.size(), in)) > 0;) {
        for (const char *p = buffer.data(), *end = p + n;
             (p = static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(end - p))));
             ++p)
            ++lines;
    }
    std::fclose(in);
    return lines;
}

struct Figures {
    double shown = 0, opened = 0, filled = 0, peak = 0, peakAtEnd = 0, sort = 0, save = 0;
    int records = 0;
};

Figures runChild(const char* self, const std::string& file, const std::string& saved,
                 double& started)
{
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    std::string open = "--open", save = "--save";
    std::vector<char*> args = {const_cast<char*>(self),          open.data(),
                               const_cast<char*>(file.c_str()),  save.data(),
                               const_cast<char*>(saved.c_str()), nullptr};
    pid_t pid = 0;
    started = monotonicNow();
    const int spawned = posix_spawn(&pid, self, &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    std::string out;
    char chunk[256];
    for (ssize_t n; (n = read(pipeEnds[0], chunk, sizeof chunk)) > 0;)
        out.append(chunk, static_cast<std::size_t>(n));
    close(pipeEnds[0]);
    int status = 0;
    if (spawned == 0)
        waitpid(pid, &status, 0);
    Figures f;
    if (std::sscanf(out.c_str(), "%lf %lf %lf %lf %lf %lf %lf %d", &f.shown, &f.opened, &f.filled,
                    &f.peak, &f.peakAtEnd, &f.sort, &f.save, &f.records) != 8)
        f.records = -1;
    return f;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 5 && std::strcmp(argv[1], "--open") == 0)
        return runProgram(argc, argv, argv[2], argv[4]);

    const std::filesystem::path folder = argc > 1 ? argv[1] : "/tmp";
    // The main window reads and writes Language.txt in its working folder.
    const std::filesystem::path work = folder / "grimtally-bench-program";
    std::filesystem::create_directories(work);
    std::filesystem::current_path(work);
    const std::string self = std::filesystem::canonical("/proc/self/exe").string();

    std::printf("| records (file) | memchr line count | parse in memory | read and parse | start "
                "to list filled (window up, Open, painted) | header click from scrambled | Save "
                "as with flush | program peak, file loaded |\n|---|---|---|---|---|---|---|---|\n");
    for (int records : {10000, 100000, 1000000}) {
        const std::string file =
            (work / ("collection-" + std::to_string(records) + ".txt")).string();
        const std::string saved = (work / "saved.txt").string();
        if (!std::filesystem::exists(file)) {
            const std::string bytes = bench::generatedDataFile(records);
            std::ofstream(file, std::ios::binary)
                .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        }
        const double mb = static_cast<double>(std::filesystem::file_size(file)) / 1e6;
        std::size_t lines = 0;
        const double count = bestOf3([&] { lines = memchrLineCount(file); });
        std::string bytes;
        {
            std::ifstream in(file, std::ios::binary);
            bytes.assign(std::istreambuf_iterator<char>(in), {});
        }
        const double parse = bestOf3([&] {
            const ParsedDataFile parsed = parseDataFile(bytes);
            if (parsed.records.size() != lines)
                std::fprintf(stderr, "parsed %zu records of %zu lines\n", parsed.records.size(),
                             lines);
        });
        bytes = std::string();
        const double read = bestOf3([&] { readDataFile(file); });

        Figures best;
        double bestOpen = 1e9;
        for (int run = 0; run < 3; ++run) {
            std::filesystem::remove(saved);
            double started = 0;
            const Figures f = runChild(self.c_str(), file, saved, started);
            if (f.records != records) {
                std::fprintf(stderr, "the program run failed at %d records\n", records);
                return 1;
            }
            if (f.filled - started < bestOpen) {
                bestOpen = f.filled - started;
                best = f;
                best.shown = f.shown - started; // start until the window is up, empty
                best.opened = f.opened - f.shown;
                best.filled = f.filled - f.opened;
            }
        }
        std::filesystem::remove(saved);
        auto cell = [&](double seconds) {
            char text[96];
            std::snprintf(text, sizeof text, "%.0f ms (%.0f MB/s, %.1fx)", seconds * 1e3,
                          mb / seconds, seconds / count);
            return std::string(text);
        };
        std::printf("| %d (%.1f MB) | %.1f ms (%.0f MB/s) | %s | %s | %s (%.0f + %.0f + %.0f ms) "
                    "| %.0f ms | %s | %.0f MB, %.2fx the file (%.2fx after the click and save) |\n",
                    records, mb, count * 1e3, mb / count, cell(parse).c_str(), cell(read).c_str(),
                    cell(bestOpen).c_str(), best.shown * 1e3, best.opened * 1e3, best.filled * 1e3,
                    best.sort * 1e3, cell(best.save).c_str(), best.peak / 1e6,
                    best.peak / (mb * 1e6), best.peakAtEnd / (mb * 1e6));
        std::fflush(stdout);
    }
    return 0;
}
