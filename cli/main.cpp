// grimtally-cli: checks, exports, imports, counts and generates Grimtally files without the
// windows. Each command is one function of commands.h; this file only reads the command line.
#include "cli/commands.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>

#include <exception>
#include <iostream>

using namespace grimtally;
using namespace grimtally::cli;

namespace {

const QString kOverview = QStringLiteral(
    "Checks, exports, imports, counts and generates Grimtally files without the windows.\n"
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
    "Exit status: 0 done; 1 problems found (check), or lines of a data file left out;\n"
    "2 wrong command line; 3 a file could not be read, written or understood.");

std::filesystem::path pathOf(const QString& argument)
{
    return std::filesystem::path(QFile::encodeName(argument).toStdString());
}

int usageError(const QString& message)
{
    std::cerr << "grimtally-cli: " << message.toStdString() << "\nTry \"grimtally-cli --help\".\n";
    return kExitUsage;
}

// The parser prints a description as it is: wrapped here at the width of its option lists.
QString wrapped(const QString& text)
{
    constexpr qsizetype kWidth = 79;
    QString out;
    qsizetype lineLength = 0;
    for (const QString& word : text.split(u' ', Qt::SkipEmptyParts)) {
        if (lineLength > 0 && lineLength + 1 + word.size() > kWidth) {
            out += u'\n';
            lineLength = 0;
        } else if (lineLength > 0) {
            out += u' ';
            ++lineLength;
        }
        out += word;
        lineLength += word.size();
    }
    return out;
}

// A parser for one command: its own options, and the command itself as the first positional.
struct CommandLine {
    QCommandLineParser parser;
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")},
                            QStringLiteral("Shows this help.")};

    CommandLine(const QString& command, const QString& description)
    {
        parser.setApplicationDescription(wrapped(description));
        parser.addOption(help);
        parser.addPositionalArgument(command, QStringLiteral("The command."), command);
    }

    // Parses; returns an exit status when the command is done here (help or an error).
    std::optional<int> parse(const QStringList& arguments)
    {
        if (!parser.parse(arguments))
            return usageError(parser.errorText());
        if (parser.isSet(help)) {
            std::cout << parser.helpText().toStdString();
            return kExitOk;
        }
        return std::nullopt;
    }

    QStringList operands() const { return parser.positionalArguments().mid(1); }
};

int runCheck(const QStringList& arguments)
{
    CommandLine line(QStringLiteral("check"),
                     QStringLiteral("Lists every problem of each FILE, with its line and field, "
                                    "as the windows would refuse or mend it. The kind of file is "
                                    "told by the sections it has unless --kind says it. Exit "
                                    "status 1 when any problem is found."));
    const QCommandLineOption kindOption(QStringLiteral("kind"),
                                        QStringLiteral("data, choices, language or settings."),
                                        QStringLiteral("kind"));
    line.parser.addOption(kindOption);
    line.parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("Files to check."),
                                      QStringLiteral("FILE..."));
    if (const std::optional<int> done = line.parse(arguments))
        return *done;
    std::optional<FileKind> kind;
    if (line.parser.isSet(kindOption)) {
        const QString name = line.parser.value(kindOption);
        for (FileKind k :
             {FileKind::Data, FileKind::Choices, FileKind::Language, FileKind::Settings}) {
            if (name == QString::fromUtf8(fileKindName(k).data(), fileKindName(k).size()))
                kind = k;
        }
        if (!kind)
            return usageError(QStringLiteral("unknown kind of file: ") + name);
    }
    if (line.operands().isEmpty())
        return usageError(QStringLiteral("check needs at least one file"));
    std::vector<std::filesystem::path> files;
    for (const QString& file : line.operands())
        files.push_back(pathOf(file));
    Context context{std::cout, std::cerr};
    return check(context, files, kind);
}

int runExport(const QStringList& arguments)
{
    CommandLine line(QStringLiteral("export"),
                     QStringLiteral("Writes the enemies of a data file for other tools: json "
                                    "(lossless, import reads it back), csv (a header row of the "
                                    "program's captions), md or html (stat blocks). UTF-8, to "
                                    "standard output unless -o is given."));
    const QCommandLineOption format(QStringLiteral("format"),
                                    QStringLiteral("json, csv, md or html."),
                                    QStringLiteral("format"));
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")},
                                    QStringLiteral("The file to write."), QStringLiteral("file"));
    const QCommandLineOption language(
        QStringLiteral("language"),
        QStringLiteral("The Language.txt whose words caption csv, md and html (default: the "
                       "program's English words)."),
        QStringLiteral("file"));
    const QCommandLineOption perPage(
        QStringLiteral("per-page"),
        QStringLiteral("html: enemies to a printed page, 1 or 2 (default 0: no page breaks)."),
        QStringLiteral("n"), QStringLiteral("0"));
    const QCommandLineOption bom(QStringLiteral("bom"),
                                 QStringLiteral("csv: begins with a byte order mark."));
    line.parser.addOptions({format, output, language, perPage, bom});
    line.parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("The data file."));
    if (const std::optional<int> done = line.parse(arguments))
        return *done;
    if (line.operands().size() != 1)
        return usageError(QStringLiteral("export takes one data file"));

    ExportOptions options;
    const QString name = line.parser.value(format);
    if (name == QStringLiteral("json"))
        options.format = Format::Json;
    else if (name == QStringLiteral("csv"))
        options.format = Format::Csv;
    else if (name == QStringLiteral("md") || name == QStringLiteral("markdown"))
        options.format = Format::Markdown;
    else if (name == QStringLiteral("html"))
        options.format = Format::Html;
    else
        return usageError(QStringLiteral("--format must be json, csv, md or html"));
    bool number = false;
    options.perPage = line.parser.value(perPage).toInt(&number);
    if (!number || options.perPage < 0 || options.perPage > 2)
        return usageError(QStringLiteral("--per-page must be 0, 1 or 2"));
    options.byteOrderMark = line.parser.isSet(bom);
    if (line.parser.isSet(language))
        options.languageFile = pathOf(line.parser.value(language));
    Output target;
    if (line.parser.isSet(output))
        target.file = pathOf(line.parser.value(output));
    Context context{std::cout, std::cerr};
    return exportFile(context, pathOf(line.operands().front()), target, options);
}

int runImport(const QStringList& arguments)
{
    CommandLine line(QStringLiteral("import"),
                     QStringLiteral("Writes the enemies of a JSON file (as export writes it) as "
                                    "a Shift-JIS data file, byte for byte as they were exported. "
                                    "A file with any error writes nothing."));
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")},
                                    QStringLiteral("The data file to write."),
                                    QStringLiteral("file"));
    const QCommandLineOption merge(
        QStringLiteral("merge"),
        QStringLiteral("Keeps the records the output file holds and puts the imported ones "
                       "after them, as the Merge command does."));
    line.parser.addOptions({output, merge});
    line.parser.addPositionalArgument(QStringLiteral("FILE.json"),
                                      QStringLiteral("The JSON file."));
    if (const std::optional<int> done = line.parse(arguments))
        return *done;
    if (line.operands().size() != 1)
        return usageError(QStringLiteral("import takes one JSON file"));
    if (!line.parser.isSet(output))
        return usageError(QStringLiteral("import needs -o FILE.txt"));
    Context context{std::cout, std::cerr};
    return importFile(context, pathOf(line.operands().front()), pathOf(line.parser.value(output)),
                      line.parser.isSet(merge));
}

int runStats(const QStringList& arguments)
{
    CommandLine line(QStringLiteral("stats"),
                     QStringLiteral("Counts the enemies of a data file by classify and by "
                                    "level, gives the level range and the refused lines."));
    line.parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("The data file."));
    if (const std::optional<int> done = line.parse(arguments))
        return *done;
    if (line.operands().size() != 1)
        return usageError(QStringLiteral("stats takes one data file"));
    Context context{std::cout, std::cerr};
    return stats(context, pathOf(line.operands().front()));
}

int runGenerate(const QStringList& arguments)
{
    CommandLine line(QStringLiteral("generate"),
                     QStringLiteral("Rolls N random enemies as the editor's Generate button does "
                                    "(each from a new record, with the values the editor "
                                    "derives) and writes them as a data file."));
    const QCommandLineOption count(QStringLiteral("count"), QStringLiteral("How many enemies."),
                                   QStringLiteral("n"));
    const QCommandLineOption choices(QStringLiteral("choices"),
                                     QStringLiteral("The choice file (Choices.txt)."),
                                     QStringLiteral("file"));
    const QCommandLineOption settings(
        QStringLiteral("settings"),
        QStringLiteral("A settings file saved by the Generate dialog (default: the dialog's "
                       "own defaults)."),
        QStringLiteral("file"));
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")},
                                    QStringLiteral("The data file to write."),
                                    QStringLiteral("file"));
    const QCommandLineOption seed(QStringLiteral("seed"),
                                  QStringLiteral("Seed of the dice, for repeatable output "
                                                 "(default: the clock)."),
                                  QStringLiteral("s"));
    const QCommandLineOption language(
        QStringLiteral("language"),
        QStringLiteral("The Language.txt whose none word the optional lists begin with "
                       "(default \"----\")."),
        QStringLiteral("file"));
    const QCommandLineOption name(QStringLiteral("name"),
                                  QStringLiteral("Names the enemies \"TEXT 1\", \"TEXT 2\", ... "
                                                 "(default: no name, as the editor leaves it)."),
                                  QStringLiteral("text"));
    line.parser.addOptions({count, choices, settings, output, seed, language, name});
    if (const std::optional<int> done = line.parse(arguments))
        return *done;
    if (!line.operands().isEmpty())
        return usageError(QStringLiteral("generate takes no file operands; use -o"));
    GenerateOptions options;
    bool number = false;
    options.count = line.parser.value(count).toLongLong(&number);
    if (!number || options.count < 0)
        return usageError(QStringLiteral("--count must be a whole number of 0 or more"));
    if (!line.parser.isSet(choices) || !line.parser.isSet(output))
        return usageError(QStringLiteral("generate needs --choices and -o"));
    options.choices = pathOf(line.parser.value(choices));
    if (line.parser.isSet(settings))
        options.settings = pathOf(line.parser.value(settings));
    if (line.parser.isSet(language))
        options.languageFile = pathOf(line.parser.value(language));
    options.name = line.parser.value(name).toStdString();
    if (line.parser.isSet(seed)) {
        options.seed = line.parser.value(seed).toULongLong(&number);
        if (!number)
            return usageError(QStringLiteral("--seed must be a whole number"));
    }
    Context context{std::cout, std::cerr};
    return generate(context, options, pathOf(line.parser.value(output)));
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("grimtally-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral("0.1"));
    const QStringList arguments = QCoreApplication::arguments();

    QCommandLineParser top;
    top.setApplicationDescription(kOverview);
    const QCommandLineOption help = top.addHelpOption();
    const QCommandLineOption version = top.addVersionOption();
    top.addPositionalArgument(QStringLiteral("command"),
                              QStringLiteral("check, export, import, stats or generate."));
    top.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    if (!top.parse(arguments))
        return usageError(top.errorText());
    if (top.positionalArguments().isEmpty()) {
        if (top.isSet(version)) {
            std::cout << "grimtally-cli 0.1\n";
            return kExitOk;
        }
        if (top.isSet(help)) {
            std::cout << top.helpText().toStdString();
            return kExitOk;
        }
        return usageError(QStringLiteral("no command given"));
    }

    const QString command = top.positionalArguments().front();
    try {
        if (command == QStringLiteral("check"))
            return runCheck(arguments);
        if (command == QStringLiteral("export"))
            return runExport(arguments);
        if (command == QStringLiteral("import"))
            return runImport(arguments);
        if (command == QStringLiteral("stats"))
            return runStats(arguments);
        if (command == QStringLiteral("generate"))
            return runGenerate(arguments);
    } catch (const std::exception& error) {
        // A file that cannot be read or written, a choice file that cannot be loaded.
        std::cerr << "grimtally-cli: " << error.what() << '\n';
        return kExitFailure;
    }
    return usageError(QStringLiteral("unknown command: ") + command);
}
