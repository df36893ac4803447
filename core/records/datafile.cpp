#include "core/records/datafile.h"

#include "core/text/commatext.h"
#include "core/text/textfile.h"

#include <algorithm>
#include <array>
#include <span>

namespace grimtally {

namespace {

constexpr std::size_t kItemsPerLine = 1 + kFieldCount;

bool hasLineBreak(std::string_view text)
{
    return text.find('\n') != std::string_view::npos || text.find('\r') != std::string_view::npos;
}

// A line break inside a name or field would cut the record in two when the file is read
// again, and both halves would be refused; a blank keeps the record whole.
std::string withoutLineBreaks(std::string_view text)
{
    std::string result(text);
    std::replace(result.begin(), result.end(), '\r', ' ');
    std::replace(result.begin(), result.end(), '\n', ' ');
    return result;
}

void appendQuotedName(std::string& line, std::string_view name)
{
    line += '"';
    for (char byte : name) {
        if (byte == '"')
            line += '"';
        line += byte;
    }
    line += '"';
}

void appendRecordLine(std::string& line, std::string_view name, const FieldList& fields)
{
    // A record always goes out with all its fields, so that the line reads back as one;
    // missing trailing fields are written empty.
    const std::size_t count = static_cast<std::size_t>(std::max(fields.size(), kFieldCount));
    std::array<std::string_view, kFieldCount> fixed;
    std::vector<std::string_view> overflow;
    std::span<std::string_view> views(fixed);
    if (count > fixed.size()) {
        overflow.resize(count);
        views = overflow;
    }
    for (int i = 0; i < fields.size(); ++i)
        views[static_cast<std::size_t>(i)] = fields[i];
    const bool needsCleaning = hasLineBreak(name) || hasLineBreak(fields.joinedBytes());

    std::vector<std::string> cleaned;
    if (needsCleaning) {
        cleaned.reserve(views.size());
        for (std::string_view& view : views)
            view = cleaned.emplace_back(withoutLineBreaks(view));
        appendQuotedName(line, withoutLineBreaks(name));
    } else {
        appendQuotedName(line, name);
    }
    line += ',';
    line += joinCommaText(std::span<const std::string_view>(views.data(), views.size()));
}

} // namespace

ParsedDataFile parseDataFile(std::string_view bytes)
{
    ParsedDataFile result;
    std::vector<std::string> items;
    items.reserve(kItemsPerLine + 1);
    for (std::string_view line : splitLines(bytes)) {
        if (line.empty())
            continue;
        result.hadLines = true;
        splitCommaTextInto(line, items);
        if (items.size() == kItemsPerLine) {
            EnemyRecord& record = result.records.emplace_back();
            record.name = std::move(items.front());
            record.fields = FieldList(std::span<const std::string>(items).subspan(1));
        } else if (!items.empty()) {
            ++result.refusedLines;
        }
    }
    return result;
}

std::string formatRecordLine(std::string_view name, const FieldList& fields)
{
    std::string line;
    appendRecordLine(line, name, fields);
    return line;
}

void writeDataFile(std::ostream& out, const RecordStore& store)
{
    std::string line; // its capacity serves every line
    for (int slot = 1; slot < store.slotCount(); ++slot) {
        line.clear();
        appendRecordLine(line, store.name(slot), store.fields(slot));
        line += "\r\n";
        out.write(line.data(), static_cast<std::streamsize>(line.size()));
    }
}

void saveDataFile(const std::filesystem::path& file, const RecordStore& store)
{
    writeFileAtomically(file, [&store](std::ostream& out) { writeDataFile(out, store); });
}

} // namespace grimtally
