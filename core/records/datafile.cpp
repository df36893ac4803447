#include "core/records/datafile.h"

#include "core/records/twoparts.h"
#include "core/text/commatext.h"
#include "core/text/contenthash.h"
#include "core/text/lines.h"
#include "core/text/savefile.h"
#include "core/text/textfile.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <new>
#include <span>
#include <stdexcept>

namespace grimtally {

namespace {

constexpr std::size_t kItemsPerLine = 1 + kFieldCount;

// Calls onLine(line, number) for each line, numbered from 1, cut as splitLines cuts them;
// without the list of lines, which for a file of nothing but line breaks would cost 16
// bytes per byte. memchr finds the breaks faster than a loop over the bytes.
template <typename OnLine> void forEachLine(std::string_view text, OnLine&& onLine)
{
    if (text.empty())
        return;
    const char* start = text.data();
    const char* const end = start + text.size();
    auto find = [](const char* from, const char* to, char byte) {
        const void* found = std::memchr(from, byte, static_cast<std::size_t>(to - from));
        return found != nullptr ? static_cast<const char*>(found) : to;
    };
    // The next LF at or after start, or end; kept between lines, so that a file of lone
    // CRs is not searched to its end again for each line.
    const char* lf = find(start, end, '\n');
    std::int64_t number = 0;
    while (start < end) {
        if (lf < start)
            lf = find(start, end, '\n');
        const char* lineEnd = find(start, lf, '\r');
        onLine(std::string_view(start, static_cast<std::size_t>(lineEnd - start)), ++number);
        if (lineEnd == end)
            break;
        start = lineEnd + 1;
        if (*lineEnd == '\r' && start == lf)
            ++start; // CR LF
    }
}

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

void appendRecordLine(std::string& line, std::string_view name, FieldsView fields)
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
    fields.views(views);
    const std::string_view stored = fields.joinedBytes();
    const bool needsCleaning = hasLineBreak(name) || hasLineBreak(stored);

    std::vector<std::string> cleaned;
    const char* readable = stored.data() + stored.size(); // the fields lie in `stored`
    if (needsCleaning) {
        readable = nullptr;
        cleaned.reserve(views.size());
        for (std::string_view& view : views)
            view = cleaned.emplace_back(withoutLineBreaks(view));
        appendQuotedName(line, withoutLineBreaks(name));
    } else {
        appendQuotedName(line, name);
    }
    line += ',';
    appendCommaText(line, std::span<const std::string_view>(views.data(), views.size()), readable);
}

// Puts a split line's record into `room`, the bytes the line took, which are read by now;
// the record is no longer than the line unless the line saved on quotes (an unquoted name,
// say), and then it gets a buffer of its own. True when it used the room.
bool keepRecord(const ItemRuns& items, char* room, std::size_t roomSize, RecordBatch& records)
{
    const std::span<const std::size_t> lengths(items.lengths.data(), items.count);
    // Nearly always every length fits in a byte, and the lengths are written as bytes.
    std::size_t anyBits = 0;
    for (std::size_t length : lengths)
        anyBits |= length;
    const bool compact = anyBits < 0x80;
    std::size_t needed = stored::headerSize(lengths.size()) + items.byteCount + lengths.size();
    if (!compact) {
        needed = stored::headerSize(lengths.size()) + items.byteCount;
        for (std::size_t length : lengths)
            needed += encoded::varintSize(length);
    }
    const bool fits = needed <= roomSize;
    char* out = room;
    if (!fits) {
        std::shared_ptr<char[]> own(new char[needed]);
        out = own.get();
        records.keep(std::move(own));
    }
    records.add({out});
    out = stored::writeHeader(lengths.size(), compact, out);
    if (compact) {
        for (std::size_t i = 0; i < lengths.size(); ++i)
            out[i] = static_cast<char>(lengths[i]);
        out += lengths.size();
    } else {
        for (std::size_t length : lengths)
            out = encoded::writeVarint(length, out);
    }
    std::memcpy(out, items.bytes.data(), items.byteCount);
    return fits;
}

// Files from this size on are read on two threads.
constexpr std::size_t kTwoThreadBytes = std::size_t{2} << 20;

struct LinesRead {
    std::int64_t lines = 0;
    bool recordsKept = false; // some record lies in the bytes it was read from
};

// Reads the lines of `text`, which lies in `base`'s bytes and may be read up to `readable`,
// into `result`, numbering them from 1.
LinesRead parseLines(char* base, std::string_view text, const char* readable,
                     ParsedDataFile& result)
{
    ItemRuns items;
    LinesRead read;
    const auto onLine = [&](std::string_view line, std::int64_t number) {
        read.lines = number;
        if (line.empty())
            return;
        result.hadLines = true;
        // The split stops at the 49th item: a line that long is refused whatever follows.
        if (splitCommaTextAtMost(line, kItemsPerLine, items, readable) &&
            items.count == kItemsPerLine) {
            char* room = base + (line.data() - base);
            read.recordsKept =
                keepRecord(items, room, line.size(), result.records) || read.recordsKept;
        } else if (items.count != 0) {
            ++result.refusedLines;
            if (result.refusedLineNumbers.size() < kRefusedLineNumbersKept)
                result.refusedLineNumbers.push_back(number);
        }
    };
    forEachLine(text, onLine);
    return read;
}

// The file's ContentHash, its chunks shared out between two threads for a large file.
std::uint64_t hashInTwoParts(std::string_view bytes)
{
    const std::size_t chunks = (bytes.size() + ContentHash::kChunk - 1) / ContentHash::kChunk;
    std::vector<std::uint64_t> hashes(chunks);
    const std::size_t firstOfSecond = chunks / 2;
    inTwoParts(bytes.size() >= kTwoThreadBytes, [&](int part) {
        for (std::size_t chunk = part == 0 ? 0 : firstOfSecond;
             chunk < (part == 0 ? firstOfSecond : chunks); ++chunk)
            hashes[chunk] =
                Xxh64::of(bytes.substr(chunk * ContentHash::kChunk, ContentHash::kChunk));
    });
    return ContentHash::ofChunks(hashes, bytes.size());
}

} // namespace

std::string_view unicodeByteOrderMark(std::string_view bytes)
{
    if (bytes.starts_with("\xEF\xBB\xBF"))
        return "UTF-8";
    if (bytes.starts_with(std::string_view("\xFF\xFE\0\0", 4)) ||
        bytes.starts_with(std::string_view("\0\0\xFE\xFF", 4)))
        return "UTF-32";
    if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF"))
        return "UTF-16";
    return {};
}

ParsedDataFile parseDataFile(std::string_view bytes)
{
    std::shared_ptr<char[]> copy = fileBuffer(bytes.size());
    std::copy(bytes.begin(), bytes.end(), copy.get());
    return parseDataFile(std::move(copy), bytes.size());
}

ParsedDataFile parseDataFile(std::shared_ptr<char[]> bytes, std::size_t size)
{
    ParsedDataFile result;
    const std::string_view text(bytes.get(), size);
    result.unicodeEncoding = unicodeByteOrderMark(text);
    if (!result.unicodeEncoding.empty())
        return result;
    // A large file is read in two halves at once, cut after the first line break past the
    // middle: every LF ends a line, so each half holds whole lines. Each half writes its
    // records only into its own bytes, and the first reads no further than its end.
    const std::size_t lf = size >= kTwoThreadBytes ? text.find('\n', size / 2) : text.npos;
    const std::size_t cut = lf == text.npos ? size : lf + 1;
    ParsedDataFile second;
    std::array<LinesRead, 2> read{};
    inTwoParts(cut < size, [&](int part) {
        const std::string_view lines = part == 0 ? text.substr(0, cut) : text.substr(cut);
        ParsedDataFile& into = part == 0 ? result : second;
        read[static_cast<std::size_t>(part)] =
            parseLines(bytes.get(), lines, bytes.get() + (part == 0 ? cut : size), into);
    });
    if (cut < size) {
        // The second half counted its lines from its own start.
        result.hadLines = result.hadLines || second.hadLines;
        result.refusedLines += second.refusedLines;
        for (std::int64_t number : second.refusedLineNumbers) {
            if (result.refusedLineNumbers.size() < kRefusedLineNumbersKept)
                result.refusedLineNumbers.push_back(read[0].lines + number);
        }
        result.records.append(std::move(second.records));
    }
    if (read[0].recordsKept || read[1].recordsKept)
        result.records.keep(std::move(bytes));
    return result;
}

ParsedDataFile readDataFile(const std::filesystem::path& file)
{
    try {
        FileBytes bytes = readWholeFileShared(file);
        // Hashed before the parse, which decodes the records into these bytes.
        const std::uint64_t hash = hashInTwoParts({bytes.data.get(), bytes.size});
        const std::size_t size = bytes.size;
        ParsedDataFile parsed = parseDataFile(std::move(bytes.data), size);
        parsed.fingerprint = fingerprintAfter(file, size, hash);
        return parsed;
    } catch (const std::bad_alloc&) {
    } catch (const std::length_error&) {
    }
    // The bytes and the records read so far are freed by now, so there is room to say so.
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    throw FileError(file, error ? std::string("Not enough memory to read this file")
                                : "Not enough memory to read this file of " +
                                      std::to_string(size / 1000000) + " MB");
}

std::string formatRecordLine(std::string_view name, FieldsView fields)
{
    std::string line;
    appendRecordLine(line, name, fields);
    return line;
}

WrittenBytes writeDataFile(std::ostream& out, const RecordStore& store)
{
    ContentHash hash;
    std::uint64_t size = 0;
    std::string line; // its capacity serves every line
    for (int slot = 1; slot < store.slotCount(); ++slot) {
        line.clear();
        appendRecordLine(line, store.name(slot), store.fields(slot));
        line += "\r\n";
        out.write(line.data(), static_cast<std::streamsize>(line.size()));
        hash.add(line);
        size += line.size();
    }
    return {size, hash.value()};
}

FileFingerprint saveDataFile(const std::filesystem::path& file, const RecordStore& store)
{
    WrittenBytes written;
    writeFileAtomically(file, [&](std::ostream& out) { written = writeDataFile(out, store); });
    return fingerprintAfter(file, written.size, written.hash);
}

} // namespace grimtally
