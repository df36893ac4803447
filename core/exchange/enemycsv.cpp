#include "core/exchange/enemycsv.h"

#include "core/exchange/chunkedout.h"
#include "core/records/record.h"
#include "core/text/commatext.h"

namespace grimtally {

namespace {

void appendCell(std::string& out, std::string_view text)
{
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        out += text;
        return;
    }
    out += '"';
    for (char c : text) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

} // namespace

void writeEnemiesCsv(std::ostream& stream, const RecordStore& store, std::span<const int> slots,
                     const Captions& captions, bool byteOrderMark)
{
    ChunkedOut chunks(stream);
    std::string& out = chunks.text;
    if (byteOrderMark)
        out += "\xEF\xBB\xBF";
    for (int field = kNameField; field < kFieldCount; ++field) {
        if (field != kNameField)
            out += ',';
        appendCell(out, captions.field(field));
    }
    out += "\r\n";
    for (const int slot : slots) {
        appendCell(out, displayText(store.name(slot)));
        const FieldsView fields = store.fields(slot);
        for (int field = 0; field < kFieldCount; ++field) {
            out += ',';
            const std::string_view bytes = field < fields.size() ? fields[field] : "";
            if (!isListField(field)) {
                appendCell(out, displayText(bytes));
                continue;
            }
            // A list field shows its items a line each, as the editor's memo does, rather
            // than as comma text a spreadsheet user would have to unpick.
            std::string lines;
            for (const std::string& item : splitCommaText(bytes)) {
                if (!lines.empty())
                    lines += '\n';
                lines += displayText(item);
            }
            appendCell(out, lines);
        }
        out += "\r\n";
        chunks.pieceDone();
    }
    chunks.flush();
}

} // namespace grimtally
