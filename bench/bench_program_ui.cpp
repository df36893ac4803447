// The whole program at 10,000, 100,000 and 1,000,000 generated enemies, each size in a
// process of its own running the main window: start to list filled (Files > Open), a header
// click from a scrambled order, a word typed into the find bar key by key (the slowest
// keystroke) and Escape, and Save as with the flush to disk; and the program's peak memory
// in each of these steps. Beside them, in the same run, the in-memory parse and a plain
// memchr line count of the same file (the speed limit). Prints a Markdown table.
//
//   bench_program_ui [folder]      files and the saved copies go to folder (default /tmp)
#include "core/records/datafile.h"
#include "generated_collection.h"
#include "ui/app/findbar.h"
#include "ui/app/tform1.h"
#include "ui/toolkit/cp932text.h"
#include "ui/toolkit/dialogs.h"

#include <QApplication>
#include <QLineEdit>
#include <QTreeView>

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

// Starts the peak afresh from what is resident now, so that the next step's own peak is
// seen.
void restartPeak()
{
    std::ofstream("/proc/self/clear_refs") << "5";
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

// The child: the main window, its Open, a click, a find, its Save as. One line of figures
// on stdout.
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
    const double openPeak = peakResidentBytes();

    // Names are random, so sorting by name scrambles the level column's order.
    restartPeak();
    form.ListView1ColumnClick(0);
    QApplication::processEvents();
    auto start = Clock::now();
    form.ListView1ColumnClick(2);
    QApplication::processEvents();
    const double sortSeconds = secondsSince(start);
    const double sortPeak = peakResidentBytes();

    // A word of the generated texts, a character a keystroke, then Escape.
    restartPeak();
    form.Find1Click();
    const QString word = ui::fromCp932(bench::Generator(20240607).word());
    double findSeconds = 0;
    for (qsizetype typed = 1; typed <= word.size(); ++typed) {
        start = Clock::now();
        form.FindBar1->Find_O->setText(word.left(typed));
        QApplication::processEvents();
        findSeconds = std::max(findSeconds, secondsSince(start));
    }
    const int found = form.ListView1->model()->rowCount() - 1;
    start = Clock::now();
    form.FindBar1->close();
    QApplication::processEvents();
    const double escapeSeconds = secondsSince(start);
    const double findPeak = peakResidentBytes();

    restartPeak();
    start = Clock::now();
    const bool written = form.SaveAs() == ui::TForm1::SaveResult::Written;
    const double saveSeconds = secondsSince(start);
    const double savePeak = peakResidentBytes();
    ui::Dialogs::install(nullptr);
    std::printf("%.6f %.6f %.6f %.0f %.0f %.0f %.0f %.6f %.6f %.6f %.6f %d %d\n", shown, opened,
                filled, openPeak, sortPeak, findPeak, savePeak, sortSeconds, findSeconds,
                escapeSeconds, saveSeconds, found, written ? form.store().recordCount() : -1);
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
    double shown = 0, opened = 0, filled = 0;
    double openPeak = 0, sortPeak = 0, findPeak = 0, savePeak = 0;
    double sort = 0, find = 0, escape = 0, save = 0;
    int found = 0, records = 0;
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
    if (std::sscanf(out.c_str(), "%lf %lf %lf %lf %lf %lf %lf %lf %lf %lf %lf %d %d", &f.shown,
                    &f.opened, &f.filled, &f.openPeak, &f.sortPeak, &f.findPeak, &f.savePeak,
                    &f.sort, &f.find, &f.escape, &f.save, &f.found, &f.records) != 13)
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
                "to list filled (window up, Open, painted) | header click from scrambled | find: "
                "slowest keystroke / Escape | Save as with flush | program peak: open / click / "
                "find / save |\n|---|---|---|---|---|---|---|---|---|\n");
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
            // The times of the quickest start; each step's highest peak of all the runs.
            Figures peaks = best;
            if (f.filled - started < bestOpen) {
                bestOpen = f.filled - started;
                best = f;
                best.shown = f.shown - started; // start until the window is up, empty
                best.opened = f.opened - f.shown;
                best.filled = f.filled - f.opened;
            }
            best.openPeak = std::max(peaks.openPeak, f.openPeak);
            best.sortPeak = std::max(peaks.sortPeak, f.sortPeak);
            best.findPeak = std::max(peaks.findPeak, f.findPeak);
            best.savePeak = std::max(peaks.savePeak, f.savePeak);
        }
        std::filesystem::remove(saved);
        auto cell = [&](double seconds) {
            char text[96];
            std::snprintf(text, sizeof text, "%.0f ms (%.0f MB/s, %.1fx)", seconds * 1e3,
                          mb / seconds, seconds / count);
            return std::string(text);
        };
        const auto times = [&](double bytes) { return bytes / (mb * 1e6); };
        std::printf("| %d (%.1f MB) | %.1f ms (%.0f MB/s) | %s | %s | %s (%.0f + %.0f + %.0f ms) "
                    "| %.0f ms | %.0f / %.0f ms (%d found) | %s | %.0f MB: %.2f / %.2f / %.2f / "
                    "%.2fx the file |\n",
                    records, mb, count * 1e3, mb / count, cell(parse).c_str(), cell(read).c_str(),
                    cell(bestOpen).c_str(), best.shown * 1e3, best.opened * 1e3, best.filled * 1e3,
                    best.sort * 1e3, best.find * 1e3, best.escape * 1e3, best.found,
                    cell(best.save).c_str(),
                    std::max({best.openPeak, best.sortPeak, best.findPeak, best.savePeak}) / 1e6,
                    times(best.openPeak), times(best.sortPeak), times(best.findPeak),
                    times(best.savePeak));
        std::fflush(stdout);
    }
    return 0;
}
