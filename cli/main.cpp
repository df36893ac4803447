// grimtally-cli: checks, exports, imports, counts and generates Grimtally files without the
// windows. Each command is one function of commands.h; this file only reads the command line.
#include "cli/commands.h"
#include "core/text/textfile.h"
#include "core/version.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <climits>
#include <exception>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#endif

using namespace grimtally;
using namespace grimtally::cli;

namespace {

constexpr const char* kOverview =
    "Checks, exports, imports, counts and generates Grimtally files without the windows.\n"
    "\n"
    "Usage: grimtally-cli COMMAND [OPTIONS] [FILE...]\n"
    "\n"
    "Commands (\"grimtally-cli COMMAND --help\" tells more):\n"
    "  check FILE...                  lists every problem of data, choice, language or\n"
    "                                 settings files, with its line and field\n"
    "  export --format F FILE         writes a data file as json, csv, md or html\n"
    "  import FILE.json -o FILE.txt   writes the enemies of a JSON file as a data file\n"
    "  stats FILE                     counts the enemies of a data file by classify and level\n"
    "  generate --count N --choices Choices.txt -o FILE.txt\n"
    "                                 rolls N random enemies as the editor's Generate does\n"
    "\n"
    "Options:\n"
    "  -h, --help                     shows this help\n"
    "  -v, --version                  shows the version\n"
    "\n"
    "Exit status: 0 done; 1 problems found (check), or lines of a data file left out;\n"
    "2 wrong command line; 3 a file could not be read, written or understood.\n";

int usageError(const std::string& message)
{
    std::cerr << "grimtally-cli: " << message << "\nTry \"grimtally-cli --help\".\n";
    return kExitUsage;
}

// Descriptions are printed as they are: wrapped here at the width of the option lists.
std::string wrapped(const std::string& text)
{
    constexpr std::size_t kWidth = 79;
    std::istringstream words(text);
    std::string out;
    std::size_t lineLength = 0;
    for (std::string word; words >> word;) {
        if (lineLength > 0 && lineLength + 1 + word.size() > kWidth) {
            out += '\n';
            lineLength = 0;
        } else if (lineLength > 0) {
            out += ' ';
            ++lineLength;
        }
        out += word;
        lineLength += word.size();
    }
    return out;
}

// The parser of one command, named "grimtally-cli COMMAND" in its help.
struct CommandLine {
    CLI::App app;

    CommandLine(const std::string& command, const std::string& description)
        : app(wrapped(description) + "\n", "grimtally-cli " + command)
    {
        app.set_help_flag("-h,--help", "Shows this help.");
        // "/data/Foes.txt" is a file, never a Windows-style option.
        app.allow_windows_style_options(false);
    }

    // Parses the arguments after the command; returns an exit status when the command is
    // done here (its help, or a wrong command line).
    std::optional<int> parse(const std::vector<std::string>& arguments)
    {
        std::vector<std::string> reversed(arguments.rbegin(), arguments.rend());
        try {
            app.parse(reversed);
        } catch (const CLI::CallForHelp&) {
            std::cout << app.help();
            return kExitOk;
        } catch (const CLI::ParseError& error) {
            return usageError(error.what());
        }
        return std::nullopt;
    }
};

int runCheck(const std::vector<std::string>& arguments)
{
    CommandLine line("check", "Lists every problem of each FILE, with its line and field, as "
                              "the windows would refuse or mend it. The kind of file is told by "
                              "the sections it has unless --kind says it. Exit status 1 when "
                              "any problem is found.");
    std::string kindName;
    std::vector<std::string> operands;
    const CLI::Option* kindOption =
        line.app.add_option("--kind", kindName, "data, choices, language or settings.")
            ->type_name("KIND");
    line.app.add_option("FILE", operands, "Files to check.")->type_name("");
    if (const std::optional<int> done = line.parse(arguments))
        return *done;
    std::optional<FileKind> kind;
    if (kindOption->count() > 0) {
        for (FileKind k :
             {FileKind::Data, FileKind::Choices, FileKind::Language, FileKind::Settings}) {
            if (kindName == fileKindName(k))
                kind = k;
        }
        if (!kind)
            return usageError("unknown kind of file: " + kindName);
    }
    if (operands.empty())
        return usageError("check needs at least one file");
    std::vector<std::filesystem::path> files;
    for (const std::string& file : operands)
        files.push_back(pathFromUtf8(file));
    Context context{std::cout, std::cerr};
    return check(context, files, kind);
}

int runExport(const std::vector<std::string>& arguments)
{
    CommandLine line("export", "Writes the enemies of a data file for other tools: json "
                               "(lossless, import reads it back), csv (a header row of the "
                               "program's captions), md or html (stat blocks). UTF-8, to "
                               "standard output unless -o is given.");
    std::string format, output, language, perPage = "0", operand;
    bool bom = false;
    line.app.add_option("--format", format, "json, csv, md or html.")->type_name("FORMAT");
    const CLI::Option* outputOption =
        line.app.add_option("-o,--output", output, "The file to write.")->type_name("FILE");
    const CLI::Option* languageOption =
        line.app
            .add_option("--language", language,
                        "The Language.txt whose words caption csv, md and html (default: the "
                        "program's English words).")
            ->type_name("FILE");
    line.app
        .add_option("--per-page", perPage,
                    "html: enemies to a printed page, 1 or 2 (default 0: no page breaks).")
        ->type_name("N");
    line.app.add_flag("--bom", bom, "csv: begins with a byte order mark.");
    line.app.add_option("FILE", operand, "The data file.")->type_name("");
    if (const std::optional<int> done = line.parse(arguments))
        return *done;
    if (operand.empty())
        return usageError("export takes one data file");

    ExportOptions options;
    if (format == "json")
        options.format = Format::Json;
    else if (format == "csv")
        options.format = Format::Csv;
    else if (format == "md" || format == "markdown")
        options.format = Format::Markdown;
    else if (format == "html")
        options.format = Format::Html;
    else
        return usageError("--format must be json, csv, md or html");
    if (perPage != "0" && perPage != "1" && perPage != "2")
        return usageError("--per-page must be 0, 1 or 2");
    options.perPage = perPage[0] - '0';
    options.byteOrderMark = bom;
    if (languageOption->count() > 0)
        options.languageFile = pathFromUtf8(language);
    Output target;
    if (outputOption->count() > 0)
        target.file = pathFromUtf8(output);
    Context context{std::cout, std::cerr};
    return exportFile(context, pathFromUtf8(operand), target, options);
}

int runImport(const std::vector<std::string>& arguments)
{
    CommandLine line("import", "Writes the enemies of a JSON file (as export writes it) as a "
                               "Shift-JIS data file, byte for byte as they were exported. A file "
                               "with any error writes nothing.");
    std::string output, operand;
    bool merge = false;
    const CLI::Option* outputOption =
        line.app.add_option("-o,--output", output, "The data file to write.")->type_name("FILE");
    line.app.add_flag("--merge", merge,
                      "Keeps the records the output file holds and puts the imported ones "
                      "after them, as the Merge command does.");
    line.app.add_option("FILE.json", operand, "The JSON file.")->type_name("");
    if (const std::optional<int> done = line.parse(arguments))
        return *done;
    if (operand.empty())
        return usageError("import takes one JSON file");
    if (outputOption->count() == 0)
        return usageError("import needs -o FILE.txt");
    Context context{std::cout, std::cerr};
    return importFile(context, pathFromUtf8(operand), pathFromUtf8(output), merge);
}

int runStats(const std::vector<std::string>& arguments)
{
    CommandLine line("stats", "Counts the enemies of a data file by classify and by level, "
                              "gives the level range and the refused lines.");
    std::string operand;
    line.app.add_option("FILE", operand, "The data file.")->type_name("");
    if (const std::optional<int> done = line.parse(arguments))
        return *done;
    if (operand.empty())
        return usageError("stats takes one data file");
    Context context{std::cout, std::cerr};
    return stats(context, pathFromUtf8(operand));
}

// A whole number of the command line, all of it digits.
std::optional<unsigned long long> wholeNumber(const std::string& text)
{
    if (text.empty() || text.size() > 19 || text.find_first_not_of("0123456789") != text.npos)
        return std::nullopt;
    return std::stoull(text);
}

int runGenerate(const std::vector<std::string>& arguments)
{
    CommandLine line("generate", "Rolls N random enemies as the editor's Generate button does "
                                 "(each from a new record, with the values the editor derives) "
                                 "and writes them as a data file.");
    std::string count, choices, settings, output, seed, language, name;
    std::vector<std::string> operands;
    line.app.add_option("--count", count, "How many enemies.")->type_name("N");
    const CLI::Option* choicesOption =
        line.app.add_option("--choices", choices, "The choice file (Choices.txt).")
            ->type_name("FILE");
    const CLI::Option* settingsOption =
        line.app
            .add_option("--settings", settings,
                        "A settings file saved by the Generate dialog (default: the dialog's "
                        "own defaults).")
            ->type_name("FILE");
    const CLI::Option* outputOption =
        line.app.add_option("-o,--output", output, "The data file to write.")->type_name("FILE");
    const CLI::Option* seedOption =
        line.app
            .add_option("--seed", seed,
                        "Seed of the dice, for repeatable output (default: the clock).")
            ->type_name("S");
    const CLI::Option* languageOption =
        line.app
            .add_option("--language", language,
                        "The Language.txt whose none word the optional lists begin with "
                        "(default \"----\").")
            ->type_name("FILE");
    line.app
        .add_option("--name", name,
                    "Names the enemies \"TEXT 1\", \"TEXT 2\", ... (default: no name, as the "
                    "editor leaves it).")
        ->type_name("TEXT");
    line.app.add_option("FILE", operands)->group(""); // only to say that none is taken
    if (const std::optional<int> done = line.parse(arguments))
        return *done;
    if (!operands.empty())
        return usageError("generate takes no file operands; use -o");
    GenerateOptions options;
    const std::optional<unsigned long long> n = wholeNumber(count);
    if (!n || *n > static_cast<unsigned long long>(LLONG_MAX))
        return usageError("--count must be a whole number of 0 or more");
    options.count = static_cast<long long>(*n);
    if (choicesOption->count() == 0 || outputOption->count() == 0)
        return usageError("generate needs --choices and -o");
    options.choices = pathFromUtf8(choices);
    if (settingsOption->count() > 0)
        options.settings = pathFromUtf8(settings);
    if (languageOption->count() > 0)
        options.languageFile = pathFromUtf8(language);
    options.name = name;
    if (seedOption->count() > 0) {
        const std::optional<unsigned long long> number = wholeNumber(seed);
        if (!number)
            return usageError("--seed must be a whole number");
        options.seed = *number;
    }
    Context context{std::cout, std::cerr};
    return generate(context, options, pathFromUtf8(output));
}

int run(const std::vector<std::string>& arguments)
{
    if (arguments.empty())
        return usageError("no command given");
    const std::string& command = arguments.front();
    const std::vector<std::string> rest(arguments.begin() + 1, arguments.end());
    if (command == "-h" || command == "--help") {
        std::cout << kOverview;
        return kExitOk;
    }
    if (command == "-v" || command == "--version") {
        std::cout << "grimtally-cli " << kVersion << '\n';
        return kExitOk;
    }
    if (command.starts_with('-'))
        return usageError("unknown option: " + command);
    try {
        if (command == "check")
            return runCheck(rest);
        if (command == "export")
            return runExport(rest);
        if (command == "import")
            return runImport(rest);
        if (command == "stats")
            return runStats(rest);
        if (command == "generate")
            return runGenerate(rest);
    } catch (const std::exception& error) {
        // A file that cannot be read or written, a choice file that cannot be loaded.
        std::cerr << "grimtally-cli: " << error.what() << '\n';
        return kExitFailure;
    }
    return usageError("unknown command: " + command);
}

} // namespace

#ifdef _WIN32
// The command line arrives as UTF-16 and is passed on as the UTF-8 the core's paths take;
// the C runtime expands wildcards in file names first, as a shell does elsewhere.
extern "C" {
int _dowildcard = -1;
}

int wmain(int argc, wchar_t** argv)
{
    ::SetConsoleOutputCP(CP_UTF8);
    // Exports to standard output are bytes: no line break may become CR LF on the way.
    ::_setmode(::_fileno(stdout), _O_BINARY);
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) {
        const int size =
            ::WideCharToMultiByte(CP_UTF8, 0, argv[i], -1, nullptr, 0, nullptr, nullptr);
        std::string argument(static_cast<std::size_t>(std::max(size, 1)), '\0');
        ::WideCharToMultiByte(CP_UTF8, 0, argv[i], -1, argument.data(), size, nullptr, nullptr);
        argument.resize(argument.size() - 1);
        arguments.push_back(std::move(argument));
    }
    return run(arguments);
}
#else
int main(int argc, char** argv)
{
    return run(std::vector<std::string>(argv + 1, argv + argc));
}
#endif
