#include "core/check/filecheck.h"

#include "core/exchange/captions.h"
#include "core/generate/enemyplan.h"
#include "core/generate/settings.h"
#include "core/records/datafile.h"
#include "core/records/fieldtable.h"
#include "core/rules/choicetables.h"
#include "core/rules/combat.h"
#include "core/text/commatext.h"
#include "core/text/inifile.h"
#include "core/text/lines.h"
#include "core/text/sjis.h"
#include "core/text/textfile.h"
#include "core/words/languagefile.h"
#include "core/words/vocabulary.h"

#include <algorithm>
#include <array>
#include <optional>

namespace grimtally {

namespace {

// Quoted for a message: UTF-8, cut when long.
std::string shown(std::string_view bytes)
{
    constexpr std::size_t kShown = 40;
    std::string text = displayText(cp932Prefix(bytes, kShown));
    if (bytes.size() > kShown)
        text += "...";
    return "\"" + text + "\"";
}

std::string fieldName(const Captions& captions, int field)
{
    return captions.field(field) + " (" + std::string(fieldKey(field)) + ")";
}

void checkFields(std::size_t line, const std::vector<std::string>& items, const Captions& captions,
                 std::vector<FileProblem>& problems)
{
    const auto field = [&](int index) -> const std::string& {
        return items[static_cast<std::size_t>(index) + 1];
    };
    const auto add = [&](int index, std::string message) {
        problems.push_back({line, fieldName(captions, index), std::move(message)});
    };
    // A choice without a none word loads an empty field as the first entry of its list.
    for (const FieldInfo& info : kFieldTable) {
        if (info.kind == FieldKind::Choice && !info.optional && field(info.field).empty())
            add(info.field, "empty: the editor shows the first entry of its list and stores that");
    }
    const auto offRow = [&](int row) { return row != kNoRow && field(row).empty(); };
    const auto dropped = [&](const FieldInfo& info) {
        add(info.field, shown(field(info.field)) + " is set, but " + fieldName(captions, info.row) +
                            " is empty: the editor drops it when the enemy is stored");
    };
    for (const FieldInfo& info : kFieldTable) {
        if (info.kind != FieldKind::Number)
            continue;
        const std::string& text = field(info.field);
        if (offRow(info.row)) {
            if (!text.empty())
                dropped(info);
            continue;
        }
        if (text.empty()) {
            add(info.field, "empty: the editor fills it in when its box is left");
            continue;
        }
        const std::optional<int> number = readInteger(text);
        if (!number)
            add(info.field, shown(text) + " is not a whole number: the editor reads it as 0");
        else if (*number < info.minimum || *number > info.maximum)
            add(info.field, shown(text) + " is outside " + std::to_string(info.minimum) + " to " +
                                std::to_string(info.maximum) + ": the editor brings it to " +
                                std::to_string(std::clamp(*number, info.minimum, info.maximum)) +
                                " when its box is left");
    }
    for (const FieldInfo& info : kFieldTable) {
        if (info.kind == FieldKind::Text && offRow(info.row) && !field(info.field).empty())
            dropped(info);
    }
}

// "[section] key". Appended piece by piece: GCC 12 warns wrongly about "[" + string at -O3.
std::string sectionKey(std::string_view section, std::string_view key)
{
    std::string text = "[";
    text += section;
    text += "] ";
    text += key;
    return text;
}

void byLine(std::vector<FileProblem>& problems)
{
    std::stable_sort(problems.begin(), problems.end(),
                     [](const FileProblem& a, const FileProblem& b) { return a.line < b.line; });
}

// Adds the lines an INI reader passes over, and puts every problem in line order.
std::vector<FileProblem> withUnreadLines(const IniFile& ini, std::vector<FileProblem> problems)
{
    for (std::size_t line : ini.unreadLines())
        problems.push_back({line, "",
                            "neither a [section], a key=value line in a section nor a "
                            "comment: the program passes over it"});
    byLine(problems);
    return problems;
}

} // namespace

FileKind guessFileKind(std::string_view bytes)
{
    // A UTF-16 file (a language file saved by a Windows editor, say) is read for its sections
    // as the language file reader reads it.
    const bool utf16 = bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF");
    const IniFile ini = utf16 ? LanguageFile::fromBytes("", bytes).ini() : IniFile::parse(bytes);
    if (ini.hasSection(kGenerationSection))
        return FileKind::Settings;
    for (const char* section : {"common", "list", "editor"}) {
        if (ini.hasSection(section))
            return FileKind::Language;
    }
    for (const char* section :
         {"classify", "celebrity", "count", "frequency", "reaction", "intelligence", "sense",
          "sense-sub", "movement", "size", "hardness", "hit", "damage", "critical", "attack",
          "magic", "ability"}) {
        if (ini.hasSection(section))
            return FileKind::Choices;
    }
    return FileKind::Data;
}

std::string_view fileKindName(FileKind kind)
{
    switch (kind) {
    case FileKind::Data:
        return "data";
    case FileKind::Choices:
        return "choices";
    case FileKind::Language:
        return "language";
    case FileKind::Settings:
        return "settings";
    }
    return "data";
}

std::vector<FileProblem> checkDataFile(std::string_view bytes)
{
    std::vector<FileProblem> problems;
    if (const std::string_view unicode = unicodeByteOrderMark(bytes); !unicode.empty()) {
        problems.push_back({1, "",
                            "the file is " + std::string(unicode) +
                                " text, not Shift-JIS: the program refuses it whole"});
        return problems;
    }
    const Captions captions = Captions::defaults();
    const std::vector<std::string_view> lines = splitLines(bytes);
    std::vector<std::string> items;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].empty())
            continue;
        const bool fits = splitCommaTextAtMost(lines[i], kFieldCount + 1, items);
        if (fits && items.empty()) {
            // Blanks only are passed over quietly; NUL bytes are what a crash leaves where
            // the file's last writes never reached the disk.
            if (lines[i].find('\0') != std::string_view::npos)
                problems.push_back({i + 1, "",
                                    "damaged: only NUL bytes and blanks, as a crash leaves a "
                                    "file; the program passes the line over"});
            continue;
        }
        if (!fits || items.size() != kFieldCount + 1) {
            const std::string count = fits ? std::to_string(items.size())
                                           : "more than " + std::to_string(kFieldCount + 1);
            problems.push_back({i + 1, "",
                                "splits into " + count +
                                    " items, not 48 (a name and 47 fields): the "
                                    "program refuses the file"});
            continue;
        }
        checkFields(i + 1, items, captions, problems);
    }
    return problems;
}

std::vector<FileProblem> checkChoiceFile(std::string_view bytes)
{
    std::vector<FileProblem> problems;
    const IniFile ini = IniFile::parse(bytes);
    std::vector<ChoiceFileError> errors;
    const ChoiceTables tables = readChoiceTables(ini, "Choices.txt", &errors);
    std::vector<std::size_t> badAttackRows;
    for (const ChoiceFileError& error : errors) {
        const std::vector<std::size_t> lines = ini.sectionRowLines(error.section());
        const auto row = static_cast<std::size_t>(error.row());
        problems.push_back(
            {row <= lines.size() ? lines[row - 1] : 0,
             "[" + error.section() + "] row " + std::to_string(row),
             std::string(error.problemText()) + " The program loads none of the file."});
        if (error.section() == "attack")
            badAttackRows.push_back(row);
    }
    // The editor meets a missing key only when that attack is chosen; say so now.
    const std::vector<std::size_t> attackLines = ini.sectionRowLines("attack");
    std::size_t row = 0;
    for (std::size_t attack = 0; attack < tables.attacks.size(); ++attack) {
        do
            ++row;
        while (std::ranges::count(badAttackRows, row) > 0);
        try {
            attackValues(tables, static_cast<int>(attack), 1, 1);
        } catch (const RuleError& error) {
            problems.push_back({row <= attackLines.size() ? attackLines[row - 1] : 0,
                                "[attack] row " + std::to_string(row),
                                std::string(error.what()) +
                                    " The editor shows this error when the attack is chosen."});
        }
    }
    byLine(problems);
    return problems;
}

std::vector<FileProblem> checkLanguageFile(std::string_view bytes)
{
    std::vector<FileProblem> problems;
    // Named by no file, the reader's problem begins with ": ".
    const LanguageFile language = LanguageFile::fromBytes("", bytes);
    const char* const partlyRead = ". The words that can be read are used, and the default "
                                   "words for the rest; the file is not written back.";
    switch (language.problem()) {
    case LanguageFile::Problem::None:
    case LanguageFile::Problem::Unreadable: // bytes in hand are always readable
        break;
    case LanguageFile::Problem::Utf16:
        problems.push_back({0, "", std::string("not Shift-JIS text but UTF-16") + partlyRead});
        break;
    case LanguageFile::Problem::NulBytes:
        problems.push_back(
            {0, "", std::string("not Shift-JIS text, it holds NUL bytes") + partlyRead});
        break;
    }
    const IniFile& ini = language.ini();
    for (const WordKey& key : languageKeys()) {
        const std::string where = sectionKey(key.section, key.key);
        const std::optional<std::string> value = ini.value(key.section, key.key);
        if (!value) {
            problems.push_back({ini.lineOfSection(key.section).value_or(0), where,
                                language.writable()
                                    ? "missing: the program adds it with its default word"
                                    : "missing: the program uses its default word"});
        } else if (value->size() > kMaxWordBytes) {
            problems.push_back({ini.lineOfKey(key.section, key.key).value_or(0), where,
                                "longer than " + std::to_string(kMaxWordBytes) +
                                    " bytes: the windows show the first " +
                                    std::to_string(kMaxWordBytes)});
        }
    }
    return withUnreadLines(ini, std::move(problems));
}

std::vector<FileProblem> checkSettingsFile(std::string_view bytes)
{
    std::vector<FileProblem> problems;
    const IniFile ini = IniFile::parse(bytes);
    const std::string section(kGenerationSection);
    if (!ini.hasSection(section)) {
        problems.push_back({0, "[" + section + "]",
                            "missing: loading the file unchecks every box and sets 0 dice"});
        return problems;
    }
    const std::size_t sectionLine = ini.lineOfSection(section).value_or(0);
    const GenerationSettings loaded = readGenerationSettings(ini, GenerationSettings{});
    const auto where = [&](std::string_view key) { return sectionKey(section, key); };
    const auto lineOf = [&](std::string_view key) {
        return ini.lineOfKey(section, key).value_or(0);
    };

    for (const SettingsKeyName& key : generationSettingsKeys()) {
        const std::optional<std::string> value = ini.value(section, key.name);
        if (!value) {
            problems.push_back({sectionLine, where(key.name),
                                key.flag
                                    ? "missing: loading the file unchecks its box"
                                    : "missing: loading the file keeps what the dialog shows"});
            continue;
        }
        if (key.flag) {
            if (!value->empty() && !equalsIgnoringAsciiCase(*value, "Checked"))
                problems.push_back({lineOf(key.name), where(key.name),
                                    shown(*value) +
                                        " is neither \"Checked\" nor empty: loading the file "
                                        "unchecks its box"});
            continue;
        }
        int maximum = kMaxLevelBound;
        if (key.name == "Move")
            maximum = kMaxMovements;
        else if (key.name == "Attack")
            maximum = kMaxAttacks;
        else if (key.name == "Magic")
            maximum = kMaxMagics;
        const std::optional<int> number = readInteger(*value);
        const int used = countValue(*value, 0, maximum);
        if (!number || *number != used)
            problems.push_back({lineOf(key.name), where(key.name),
                                shown(*value) + " is not a whole number from 0 to " +
                                    std::to_string(maximum) + ": generation takes " +
                                    std::to_string(used)});
    }
    const std::optional<std::string> magnify = ini.value(section, kMagnifyKey);
    const int dice = diceCount(loaded);
    if (!magnify) {
        problems.push_back({sectionLine, where(kMagnifyKey),
                            "missing: loading the file sets " + std::to_string(dice) + " dice"});
    } else if (readInteger(*magnify) != dice) {
        problems.push_back({lineOf(kMagnifyKey), where(kMagnifyKey),
                            shown(*magnify) + " is not a dice count from 0 to " +
                                std::to_string(GenerationSettings::kMaxCustomDice) +
                                ": loading the file sets " + std::to_string(dice) + " dice"});
    }
    return withUnreadLines(ini, std::move(problems));
}

std::vector<FileProblem> checkFile(FileKind kind, std::string_view bytes)
{
    switch (kind) {
    case FileKind::Data:
        return checkDataFile(bytes);
    case FileKind::Choices:
        return checkChoiceFile(bytes);
    case FileKind::Language:
        return checkLanguageFile(bytes);
    case FileKind::Settings:
        return checkSettingsFile(bytes);
    }
    return {};
}

} // namespace grimtally
