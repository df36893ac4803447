#include "core/exchange/statblock.h"

#include "core/exchange/chunkedout.h"
#include "core/records/fieldtable.h"
#include "core/rules/combat.h"
#include "core/text/commatext.h"

namespace grimtally {

namespace {

// Stands for the missing half of a pair ("— / 3"), so that what is shown keeps its place.
constexpr std::string_view kMissing = "\u2014";

bool isAscii(char c)
{
    return static_cast<unsigned char>(c) < 0x80;
}

// Two words side by side: a blank between Latin words, none between Japanese ones
// ("Hunters know without fail", "狩人は必ず知っている").
std::string besideEachOther(const std::string& first, const std::string& second)
{
    if (first.empty() || second.empty())
        return first + second;
    if (isAscii(first.back()) && isAscii(second.front()) && first.back() != ' ' &&
        second.front() != ' ')
        return first + ' ' + second;
    return first + second;
}

// "8 (2D6+1)": the value with the dice form the editor shows beside it.
std::string withDiceBase(std::string_view bytes)
{
    std::string text = displayText(bytes);
    if (const std::optional<int> value = readInteger(bytes)) {
        const std::int64_t base = diceBase(*value);
        text += base < 0 ? " (2D6" : " (2D6+";
        text += std::to_string(base);
        text += ')';
    }
    return text;
}

std::string orMissing(std::string text)
{
    return text.empty() ? std::string(kMissing) : text;
}

// "a / b", or nothing when both are empty.
std::string pair(const std::string& first, const std::string& second, const std::string& slash)
{
    if (first.empty() && second.empty())
        return {};
    return orMissing(first) + ' ' + slash + ' ' + orMissing(second);
}

std::vector<std::string> commaItems(std::string_view bytes)
{
    std::vector<std::string> items;
    for (const std::string& item : splitCommaText(bytes)) {
        if (!item.empty())
            items.push_back(displayText(item));
    }
    return items;
}

std::string joined(const std::vector<std::string>& items, std::string_view separator)
{
    std::string out;
    for (const std::string& item : items) {
        if (!out.empty())
            out += separator;
        out += item;
    }
    return out;
}

void addRow(std::vector<StatBlock::Row>& rows, const std::string& caption, std::string value)
{
    if (!value.empty())
        rows.push_back({caption, {std::move(value)}});
}

void appendEscaped(std::string& out, std::string_view text, bool markdown)
{
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            out += ' '; // a line break inside a value would end the row
            continue;
        }
        if (!markdown) {
            switch (c) {
            case '&':
                out += "&amp;";
                continue;
            case '<':
                out += "&lt;";
                continue;
            case '>':
                out += "&gt;";
                continue;
            case '"':
                out += "&quot;";
                continue;
            default:
                break;
            }
        } else {
            switch (c) {
            case '\\':
            case '`':
            case '*':
            case '_':
            case '[':
            case ']':
            case '<':
            case '>':
            case '|':
            case '#':
            case '~':
                out += '\\';
                break;
            case '&':
                out += "&amp;";
                continue;
            default:
                break;
            }
        }
        out += c;
    }
}

void appendHtmlRow(std::string& out, const StatBlock::Row& row)
{
    out += "<tr><td style=\"font-weight: bold; white-space: nowrap;\">";
    appendHtmlEscaped(out, row.caption);
    out += "</td><td colspan=\"3\">";
    for (std::size_t i = 0; i < row.lines.size(); ++i) {
        if (i > 0)
            out += "<br />";
        appendHtmlEscaped(out, row.lines[i]);
    }
    out += "</td></tr>\n";
}

void appendMarkdownRow(std::string& out, const StatBlock::Row& row)
{
    out += "- **";
    appendMarkdownEscaped(out, row.caption);
    out += "**:";
    if (row.lines.size() == 1) {
        out += ' ';
        appendMarkdownEscaped(out, row.lines.front());
        out += '\n';
        return;
    }
    out += '\n';
    for (const std::string& line : row.lines) {
        out += "  - ";
        appendMarkdownEscaped(out, line);
        out += '\n';
    }
}

} // namespace

void appendHtmlEscaped(std::string& out, std::string_view utf8)
{
    appendEscaped(out, utf8, false);
}

void appendMarkdownEscaped(std::string& out, std::string_view utf8)
{
    appendEscaped(out, utf8, true);
}

StatBlock layOutStatBlock(std::string_view name, CellFields f, const Captions& captions)
{
    const auto text = [&](int field) { return displayText(f[field]); };
    // A value the editor shows beside its dice base gets the base here too.
    const auto shownValue = [&](int field) {
        return hasDiceBase(field) ? withDiceBase(f[field]) : text(field);
    };
    const auto voc = [&](int index) -> const std::string& { return captions.vocabulary(index); };
    const auto word = [&](int index) -> const std::string& { return captions.editor(index); };
    const std::string& slash = voc(VocSlash);
    const std::string& hyphen = voc(VocHyphen);

    StatBlock block;
    block.name = displayText(name);
    block.classify = text(FieldClassify);

    auto& rows = block.rows;
    addRow(rows, voc(VocLevel), text(FieldLevel));
    {
        std::string celebrity = text(FieldCelebrity);
        if (const std::string who = text(FieldCelebrityQualifier); !who.empty())
            celebrity =
                orMissing(celebrity) + " (" + besideEachOther(who, word(EdCelebrity2)) + ')';
        addRow(rows, voc(VocCelebrity), celebrity);
    }
    {
        std::string count = text(FieldCountLow);
        if (const std::string high = text(FieldCountHigh); !high.empty())
            count = orMissing(count) + hyphen + high;
        addRow(rows, voc(VocCount), count);
    }
    addRow(rows, voc(VocFrequency), text(FieldFrequency));
    {
        std::string reaction = text(FieldReaction);
        if (const std::string second = text(FieldReaction2); !second.empty())
            reaction = orMissing(reaction) + ' ' + hyphen + ' ' + second;
        addRow(rows, voc(VocReaction), reaction);
    }
    addRow(rows, voc(VocInt), text(FieldInt));
    addRow(rows, voc(VocSense), text(FieldSense));
    addRow(rows, word(EdSubSense), joined(commaItems(f[FieldSubSenses]), ", "));
    {
        std::vector<std::string> ways;
        for (auto [method, speed] : {std::pair{FieldMainMovement, FieldMainSpeed},
                                     std::pair{FieldSubMovement, FieldSubSpeed}}) {
            // A sub speed without its method is one the editor empties on loading.
            if (method == FieldSubMovement && f[method].empty())
                continue;
            std::string way = text(method);
            if (const std::string value = text(speed); !value.empty())
                way += way.empty() ? value : ' ' + value;
            if (!way.empty())
                ways.push_back(std::move(way));
        }
        addRow(rows, word(EdMove), joined(ways, " " + slash + " "));
    }

    block.methodHeading = word(EdWeapon);
    block.hitHeading = voc(VocHit);
    block.damageHeading = voc(VocDamage);
    int number = 1;
    for (int first : {FieldAttack1Method, FieldAttack2Method, FieldAttack3Method}) {
        StatBlock::Attack attack{word(EdAttack) + ' ' + std::to_string(number++), text(first),
                                 shownValue(first + 1), text(first + 2)};
        if (!attack.method.empty() || !attack.hit.empty() || !attack.damage.empty())
            block.attacks.push_back(std::move(attack));
    }

    auto& defences = block.defences;
    addRow(defences, voc(VocDodge) + slash + voc(VocPrevent),
           pair(shownValue(FieldDodge), text(FieldPrevent), slash));
    addRow(defences, voc(VocHP) + slash + voc(VocResist),
           pair(text(FieldHP), shownValue(FieldHPResist), slash));
    addRow(defences, voc(VocSP) + slash + voc(VocResist),
           pair(text(FieldSP), shownValue(FieldSPResist), slash));
    number = 1;
    for (int kind : {FieldMagic1Kind, FieldMagic2Kind, FieldMagic3Kind}) {
        const std::string caption = word(EdMagic) + ' ' + std::to_string(number++);
        if (f[kind].empty() && f[kind + 1].empty() && f[kind + 2].empty())
            continue;
        std::string magic = orMissing(text(kind));
        if (!f[kind + 1].empty())
            magic += " Lv" + text(kind + 1);
        if (!f[kind + 2].empty())
            magic += ' ' + slash + ' ' + shownValue(kind + 2);
        defences.push_back({caption, {std::move(magic)}});
    }
    if (std::vector<std::string> abilities = commaItems(f[FieldAbility]); !abilities.empty())
        defences.push_back({voc(VocAbility), std::move(abilities)});
    addRow(defences, voc(VocHabitat), text(FieldHabitat));
    addRow(defences, voc(VocLanguage), text(FieldLanguage));
    return block;
}

std::string statBlockHtml(const StatBlock& block, bool pageBreakBefore)
{
    std::string out;
    out += "<table width=\"100%\" cellspacing=\"0\" cellpadding=\"3\" style=\"margin-bottom: "
           "18px;";
    if (pageBreakBefore)
        out += " page-break-before: always;";
    out += "\">\n<tr><td colspan=\"4\" style=\"border-bottom: 2px solid #7a1f1f;\">"
           "<span style=\"font-size: 15pt; font-weight: bold; color: #7a1f1f;\">";
    appendHtmlEscaped(out, block.name);
    out += "</span>";
    if (!block.classify.empty()) {
        out += "<br /><i>";
        appendHtmlEscaped(out, block.classify);
        out += "</i>";
    }
    out += "</td></tr>\n";
    for (const StatBlock::Row& row : block.rows)
        appendHtmlRow(out, row);
    if (!block.attacks.empty()) {
        out += "<tr><td></td>";
        for (const std::string* heading :
             {&block.methodHeading, &block.hitHeading, &block.damageHeading}) {
            out += "<td style=\"font-weight: bold; border-bottom: 1px solid #7a1f1f;\">";
            appendHtmlEscaped(out, *heading);
            out += "</td>";
        }
        out += "</tr>\n";
        for (const StatBlock::Attack& attack : block.attacks) {
            out += "<tr><td style=\"font-weight: bold; white-space: nowrap;\">";
            appendHtmlEscaped(out, attack.caption);
            for (const std::string* cell : {&attack.method, &attack.hit, &attack.damage}) {
                out += "</td><td>";
                appendHtmlEscaped(out, *cell);
            }
            out += "</td></tr>\n";
        }
    }
    for (const StatBlock::Row& row : block.defences)
        appendHtmlRow(out, row);
    out += "</table>\n";
    return out;
}

std::string statBlockMarkdown(const StatBlock& block)
{
    std::string out = "## ";
    appendMarkdownEscaped(out, block.name);
    out += "\n\n";
    if (!block.classify.empty()) {
        out += '*';
        appendMarkdownEscaped(out, block.classify);
        out += "*\n\n";
    }
    for (const StatBlock::Row& row : block.rows)
        appendMarkdownRow(out, row);
    if (!block.rows.empty())
        out += '\n';
    if (!block.attacks.empty()) {
        out += "| |";
        for (const std::string* heading :
             {&block.methodHeading, &block.hitHeading, &block.damageHeading}) {
            out += ' ';
            appendMarkdownEscaped(out, *heading);
            out += " |";
        }
        out += "\n|---|---|---|---|\n";
        for (const StatBlock::Attack& attack : block.attacks) {
            out += "| **";
            appendMarkdownEscaped(out, attack.caption);
            out += "** |";
            for (const std::string* cell : {&attack.method, &attack.hit, &attack.damage}) {
                out += ' ';
                appendMarkdownEscaped(out, *cell);
                out += " |";
            }
            out += '\n';
        }
        out += '\n';
    }
    for (const StatBlock::Row& row : block.defences)
        appendMarkdownRow(out, row);
    if (!block.defences.empty())
        out += '\n';
    return out;
}

void writeStatBlocksHtml(std::ostream& out, const RecordStore& store, std::span<const int> slots,
                         const Captions& captions, int perPage)
{
    ChunkedOut chunks(out);
    chunks.text = "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\" />\n"
                  "<title>Grimtally</title>\n</head>\n<body>\n";
    for (std::size_t i = 0; i < slots.size(); ++i) {
        const int slot = slots[i];
        const bool newPage = perPage > 0 && i > 0 && i % static_cast<std::size_t>(perPage) == 0;
        chunks.text +=
            statBlockHtml(layOutStatBlock(store.name(slot), store.fields(slot), captions), newPage);
        chunks.pieceDone();
    }
    chunks.text += "</body>\n</html>\n";
    chunks.flush();
}

void writeStatBlocksMarkdown(std::ostream& out, const RecordStore& store,
                             std::span<const int> slots, const Captions& captions)
{
    ChunkedOut chunks(out);
    for (const int slot : slots) {
        chunks.text +=
            statBlockMarkdown(layOutStatBlock(store.name(slot), store.fields(slot), captions));
        chunks.pieceDone();
    }
    chunks.flush();
}

} // namespace grimtally
