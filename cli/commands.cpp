#include "cli/commands.h"

#include "core/editor/enemyform.h"
#include "core/exchange/enemycsv.h"
#include "core/exchange/enemyjson.h"
#include "core/exchange/statblock.h"
#include "core/generate/settings.h"
#include "core/records/datafile.h"
#include "core/rules/combat.h"
#include "core/text/savefile.h"
#include "core/text/sjis.h"
#include "core/text/textfile.h"
#include "core/words/languagefile.h"
#include "core/words/vocabulary.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <map>

namespace grimtally::cli {

namespace {

std::string shownPath(const std::filesystem::path& file)
{
    return pathToUtf8(file);
}

// Every file a command reads goes through here. A file named on the command line must be
// there (only the windows' own optional files count as empty when missing), and one that an
// interrupted save left in doubt is not read as if nothing had happened.
void refuseInterruptedSave(const std::filesystem::path& file)
{
    if (const std::optional<std::filesystem::path> copy = interruptedSaveCopy(file)) {
        throw FileError(file, "an earlier save of this file was interrupted, and its content "
                              "from before that save is kept in " +
                                  shownPath(*copy) +
                                  ". Open the file in Grimtally to put that content back, or "
                                  "remove the copy to keep the file as it is");
    }
}

std::string readInput(const std::filesystem::path& file)
{
    refuseInterruptedSave(file);
    return readWholeFile(file);
}

IniFile readIniInput(const std::filesystem::path& file)
{
    return IniFile::parse(readInput(file));
}

// The words of a Language.txt, read as the windows read it (a UTF-16 file as far as it can be).
IniFile readLanguageInput(const std::filesystem::path& file)
{
    return LanguageFile::fromBytes(file, readInput(file)).ini();
}

// An output that is one of the command's own inputs, by any path or link, would destroy that
// input: refused before anything is written. Returns the exit status when refused.
std::optional<int> refuseOutputOverInput(
    Context& context, const std::filesystem::path& output,
    std::initializer_list<std::pair<std::string_view, std::filesystem::path>> inputs)
{
    for (const auto& [role, input] : inputs) {
        std::error_code error;
        if (input.empty() || output.empty() || !std::filesystem::equivalent(output, input, error))
            continue;
        context.log << "grimtally-cli: the output " << shownPath(output)
                    << " is the same file as the " << role << ' ' << shownPath(input)
                    << "; nothing was written\n";
        return kExitUsage;
    }
    return std::nullopt;
}

void writeOutput(Context& context, const Output& output,
                 const std::function<void(std::ostream&)>& writer)
{
    if (output.file.empty()) {
        writer(context.out);
        context.out.flush();
        if (!context.out)
            throw FileError("standard output", "cannot be written");
        return;
    }
    writeFileAtomically(output.file, writer);
}

// Reads a data file into a store; refused lines are reported and make the status 1, as a
// Unicode file does, which is refused whole. `refusedLines` is their count.
int readCollection(Context& context, const std::filesystem::path& file, RecordStore& store,
                   std::int64_t* refusedLines = nullptr)
{
    refuseInterruptedSave(file);
    ParsedDataFile parsed = readDataFile(file);
    if (refusedLines)
        *refusedLines = parsed.refusedLines;
    if (!parsed.unicodeEncoding.empty()) {
        context.log << shownPath(file) << ": " << parsed.unicodeEncoding
                    << " text, not a Shift-JIS data file\n";
        return kExitFailure;
    }
    const std::int64_t refused = parsed.refusedLines;
    int status = kExitOk;
    if (refused > 0) {
        context.log << shownPath(file) << ": " << refused
                    << " line(s) are no enemy record and are left out (lines";
        for (std::int64_t line : parsed.refusedLineNumbers)
            context.log << ' ' << line;
        if (static_cast<std::size_t>(refused) > parsed.refusedLineNumbers.size())
            context.log << " ...";
        context.log << "); \"check\" lists them\n";
        status = kExitProblems;
    }
    store.replaceFrom(1, std::move(parsed.records));
    return status;
}

double secondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

int check(Context& context, const std::vector<std::filesystem::path>& files,
          std::optional<FileKind> kind)
{
    std::size_t total = 0;
    int status = kExitOk;
    for (const std::filesystem::path& file : files) {
        std::string bytes;
        try {
            bytes = readInput(file);
        } catch (const FileError& error) {
            context.log << error.what() << '\n';
            status = kExitFailure;
            continue;
        }
        const FileKind fileKind = kind.value_or(guessFileKind(bytes));
        const std::vector<FileProblem> problems = checkFile(fileKind, bytes);
        for (const FileProblem& problem : problems) {
            context.out << shownPath(file);
            if (problem.line > 0)
                context.out << ':' << problem.line;
            context.out << ": ";
            if (!problem.where.empty())
                context.out << problem.where << ": ";
            context.out << problem.message << '\n';
        }
        context.log << shownPath(file) << ": " << fileKindName(fileKind) << " file, "
                    << problems.size() << (problems.size() == 1 ? " problem\n" : " problems\n");
        total += problems.size();
    }
    if (status == kExitOk && total > 0)
        status = kExitProblems;
    return status;
}

int exportFile(Context& context, const std::filesystem::path& file, const Output& output,
               const ExportOptions& options)
{
    const auto start = std::chrono::steady_clock::now();
    if (const std::optional<int> refused = refuseOutputOverInput(
            context, output.file, {{"data file", file}, {"language file", options.languageFile}}))
        return *refused;
    RecordStore store;
    const int status = readCollection(context, file, store);
    if (status == kExitFailure)
        return status;
    const Captions captions = options.languageFile.empty()
                                  ? Captions::defaults()
                                  : Captions::fromLanguage(readLanguageInput(options.languageFile));
    const std::vector<int> slots = store.recordSlots();
    writeOutput(context, output, [&](std::ostream& out) {
        switch (options.format) {
        case Format::Json:
            writeEnemiesJson(out, store, slots);
            break;
        case Format::Csv:
            writeEnemiesCsv(out, store, slots, captions, options.byteOrderMark);
            break;
        case Format::Markdown:
            writeStatBlocksMarkdown(out, store, slots, captions);
            break;
        case Format::Html:
            writeStatBlocksHtml(out, store, slots, captions, options.perPage);
            break;
        }
    });
    context.log << "exported " << slots.size() << " enemies from " << shownPath(file) << " in "
                << secondsSince(start) << " s\n";
    return status;
}

int importFile(Context& context, const std::filesystem::path& json,
               const std::filesystem::path& output, bool merge)
{
    const auto start = std::chrono::steady_clock::now();
    if (const std::optional<int> refused =
            refuseOutputOverInput(context, output, {{"JSON file", json}}))
        return *refused;
    RecordStore store;
    if (merge && std::filesystem::exists(output)) {
        if (readCollection(context, output, store) != kExitOk) {
            context.log << shownPath(output)
                        << ": not merged into, as saving would lose the lines left out\n";
            return kExitFailure;
        }
    }
    const std::string text = readInput(json);
    std::vector<EnemyRecord> records;
    try {
        records = readEnemiesJson(text, [&](long long enemies) {
            context.log << "\r" << enemies << " enemies read" << std::flush;
        });
    } catch (const ExchangeError& error) {
        context.log << (records.empty() ? "" : "\n") << shownPath(json) << ": " << error.what()
                    << '\n';
        return kExitFailure;
    }
    if (records.size() >= 10000)
        context.log << '\n';
    const int before = store.recordCount();
    mergeEnemies(store, records);
    saveDataFile(output, store);
    context.log << "imported " << records.size() << " enemies into " << shownPath(output);
    if (before > 0)
        context.log << " after its " << before;
    context.log << " in " << secondsSince(start) << " s\n";
    return kExitOk;
}

int stats(Context& context, const std::filesystem::path& file)
{
    RecordStore store;
    std::int64_t refused = 0;
    const int status = readCollection(context, file, store, &refused);
    if (status == kExitFailure)
        return status; // a Unicode file: nothing to count

    // Levels count in number order, any level that is no number after them in text order.
    struct LevelOrder {
        bool operator()(const std::string& a, const std::string& b) const
        {
            const std::optional<int> x = readInteger(a);
            const std::optional<int> y = readInteger(b);
            if (x && y)
                return *x != *y ? *x < *y : a < b;
            if (x || y)
                return x.has_value();
            return a < b;
        }
    };
    std::map<std::string, long long> byClassify;
    std::map<std::string, long long, LevelOrder> byLevel;
    std::optional<int> lowest, highest;
    for (int slot = 1; slot < store.slotCount(); ++slot) {
        const FieldsView fields = store.fields(slot);
        ++byClassify[displayText(fields[FieldClassify])];
        const std::string_view level = fields[FieldLevel];
        ++byLevel[displayText(level)];
        if (const std::optional<int> number = readInteger(level)) {
            lowest = std::min(lowest.value_or(*number), *number);
            highest = std::max(highest.value_or(*number), *number);
        }
    }

    std::ostream& out = context.out;
    out << "enemies: " << store.recordCount() << '\n';
    out << "refused lines: " << refused << '\n';
    out << "level range: ";
    if (lowest)
        out << *lowest << " to " << *highest << '\n';
    else
        out << "none\n";
    out << "by classify:\n";
    for (const auto& [classify, count] : byClassify)
        out << "  " << (classify.empty() ? "(empty)" : classify) << ": " << count << '\n';
    out << "by level:\n";
    for (const auto& [level, count] : byLevel)
        out << "  " << (level.empty() ? "(empty)" : level) << ": " << count << '\n';
    return status;
}

int generate(Context& context, const GenerateOptions& options, const std::filesystem::path& output)
{
    const auto start = std::chrono::steady_clock::now();
    if (const std::optional<int> refused =
            refuseOutputOverInput(context, output,
                                  {{"choice file", options.choices},
                                   {"settings file", options.settings},
                                   {"language file", options.languageFile}}))
        return *refused;
    // The editor's none word, from the given words or the built-in ones.
    const std::string noneWord =
        readEditorWords(options.languageFile.empty() ? IniFile()
                                                     : readLanguageInput(options.languageFile))
            .at(EdNone);
    std::string namePrefix;
    if (!options.name.empty()) {
        const std::optional<std::string> bytes = utf8ToCp932(options.name);
        if (!bytes) {
            context.log << "--name holds a character that Shift-JIS cannot hold\n";
            return kExitUsage;
        }
        namePrefix = *bytes;
    }
    const ChoiceTables tables =
        readChoiceTables(readIniInput(options.choices), shownPath(options.choices));
    GenerationSettings settings;
    if (!options.settings.empty())
        settings = readGenerationSettings(readIniInput(options.settings), settings);
    RandomSource random =
        options.seed ? RandomSource(*options.seed) : RandomSource::seededFromClock();
    // Each enemy is rolled into a fresh editor's new record, as the editor's Generate does.
    EnemyForm editor(noneWord);
    editor.setChoices(tables);
    editor.putNoneWords();
    const ListSizes lists = editor.listSizes();
    // The editor shows a flaw of the choice file and keeps the old hit and damage, which a
    // batch of enemies should not: the first flaw ends the command.
    const auto failOnRuleError = [](const FormChanges& changes) {
        if (!changes.errors.empty())
            throw changes.errors.front();
    };

    std::vector<EnemyRecord> enemies;
    enemies.reserve(static_cast<std::size_t>(options.count));
    for (long long n = 1; n <= options.count; ++n) {
        EnemyForm form = editor;
        failOnRuleError(form.newRecord());
        failOnRuleError(form.applyPlan(planEnemy(settings, lists, random)));
        EnemyRecord enemy = form.record();
        enemy.name = namePrefix.empty() ? std::string() : namePrefix + ' ' + std::to_string(n);
        enemies.push_back(std::move(enemy));
        if (n % 10000 == 0)
            context.log << "\r" << n << " / " << options.count << " enemies" << std::flush;
    }
    if (options.count >= 10000)
        context.log << '\n';
    RecordStore store;
    store.replaceFrom(1, enemies);
    saveDataFile(output, store);
    context.log << "generated " << options.count << " enemies into " << shownPath(output) << " in "
                << secondsSince(start) << " s\n";
    return kExitOk;
}

} // namespace grimtally::cli
