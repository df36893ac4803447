#include "core/text/inifile.h"

#include "core/text/lines.h"
#include "core/text/savefile.h"
#include "core/text/sjis.h"
#include "core/text/textfile.h"

#include <algorithm>
#include <stdexcept>

namespace grimtally {

namespace {

inline bool isIniBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view leftTrimmed(std::string_view text)
{
    size_t first = 0;
    while (first < text.size() && isIniBlank(text[first]))
        ++first;
    return text.substr(first);
}

std::string_view trimmed(std::string_view text)
{
    size_t first = 0;
    while (first < text.size() && isIniBlank(text[first]))
        ++first;
    size_t last = text.size();
    while (last > first && isIniBlank(text[last - 1]))
        --last;
    return text.substr(first, last - first);
}

// A file saved by an editor as UTF-8 may begin with a byte order mark; it must not hide
// the first section header.
std::string_view withoutByteOrderMark(std::string_view line)
{
    if (line.starts_with("\xEF\xBB\xBF"))
        line.remove_prefix(3);
    return line;
}

struct ParsedLine {
    enum class Kind { Other, Header, Key };
    Kind kind = Kind::Other;
    std::string_view name; // section name for a header, key for a key line
    std::string_view value;
};

ParsedLine parseLine(std::string_view line)
{
    ParsedLine parsed;
    std::string_view text = trimmed(line);
    if (text.empty() || text.front() == ';')
        return parsed;
    if (text.front() == '[') {
        // The second byte of a double-byte character may be ']' (0x5D): step over pairs.
        for (size_t i = 1; i < text.size(); ++i) {
            unsigned char c = static_cast<unsigned char>(text[i]);
            if (c == ']') {
                parsed.kind = ParsedLine::Kind::Header;
                parsed.name = trimmed(text.substr(1, i - 1));
                return parsed;
            }
            if (isCp932LeadByte(c))
                ++i;
        }
    }
    // '=' never occurs inside a double-byte character, so it can be searched for directly.
    size_t equals = text.find('=');
    if (equals == std::string_view::npos)
        return parsed;
    parsed.kind = ParsedLine::Kind::Key;
    parsed.name = trimmed(text.substr(0, equals));
    // Trailing blanks of a value are kept: some words end in a blank on purpose ("Random ").
    const std::string_view fromKey = leftTrimmed(line);
    parsed.value = leftTrimmed(fromKey.substr(fromKey.find('=') + 1));
    return parsed;
}

// A line break inside a value would split the line and could turn the rest into a header
// or a key of its own; a blank keeps the file's structure.
std::string singleLine(std::string_view text)
{
    std::string out(text);
    for (char& c : out) {
        if (c == '\r' || c == '\n')
            c = ' ';
    }
    return out;
}

std::string keyLine(std::string_view key, std::string_view value)
{
    std::string line = singleLine(key);
    line += '=';
    line += singleLine(value);
    return line;
}

// FNV-1a over the name with ASCII letters folded outside double-byte characters, so that
// names equal by equalsIgnoringAsciiCase hash alike.
std::uint64_t foldedHash(std::string_view name, std::uint64_t hash)
{
    for (size_t i = 0; i < name.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(name[i]);
        if (isCp932LeadByte(c) && i + 1 < name.size()) {
            hash = (hash ^ c) * 0x100000001B3ull;
            c = static_cast<unsigned char>(name[++i]);
        } else if (c >= 'A' && c <= 'Z') {
            c = static_cast<unsigned char>(c - 'A' + 'a');
        }
        hash = (hash ^ c) * 0x100000001B3ull;
    }
    return hash;
}

constexpr std::uint64_t kHeaderSeed = 0xCBF29CE484222325ull;

std::uint64_t headerHash(std::string_view section)
{
    return foldedHash(section, kHeaderSeed);
}

std::uint64_t keyHash(std::uint64_t sectionHash, std::string_view key)
{
    // Another start than a header's, so a key never meets a header of the same name.
    return foldedHash(key, (sectionHash ^ 0x9E3779B97F4A7C15ull) * 0x100000001B3ull);
}

} // namespace

IniFile IniFile::load(const std::filesystem::path& file)
{
    return parse(readWholeFileIfExists(file));
}

IniFile IniFile::parse(std::string_view bytes)
{
    IniFile ini;
    const std::vector<std::string_view> lines = splitLines(bytes);
    if (lines.size() >= kNone)
        throw std::length_error("too many lines in an INI file");
    ini.lines_.reserve(lines.size());
    for (std::string_view text : lines) {
        Line& line = ini.lines_.emplace_back();
        line.text = text;
        line.next = static_cast<std::uint32_t>(ini.lines_.size());
    }
    if (!ini.lines_.empty()) {
        ini.lines_.back().next = kNone;
        ini.head_ = 0;
        ini.tail_ = static_cast<std::uint32_t>(ini.lines_.size() - 1);
    }
    ini.reindex();
    return ini;
}

void IniFile::reindex()
{
    index_.clear();
    added_.clear();
    constexpr size_t noHeader = static_cast<size_t>(-1);
    size_t currentHeader = noHeader; // the index entry of the header the lines belong to
    std::uint64_t sectionHash = 0;
    for (std::uint32_t id = head_; id != kNone; id = lines_[id].next) {
        const ParsedLine line = parseLine(textOf(id));
        Line& stored = lines_[id];
        stored.kind = Kind::Other;
        if (line.kind == ParsedLine::Kind::Header) {
            stored.kind = Kind::Header;
            sectionHash = headerHash(line.name);
            currentHeader = index_.size();
            index_.push_back({sectionHash, id, id});
            continue;
        }
        if (currentHeader == noHeader)
            continue;
        if (line.kind == ParsedLine::Kind::Key) {
            stored.kind = Kind::Key;
            index_.push_back({keyHash(sectionHash, line.name), id, index_[currentHeader].line});
        }
        // Missing keys go after the section's last line that is not blank.
        if (!trimmed(stored.text).empty())
            index_[currentHeader].link = id;
    }
    std::stable_sort(index_.begin(), index_.end(),
                     [](const Entry& a, const Entry& b) { return a.hash < b.hash; });
}

std::string_view IniFile::textOf(std::uint32_t line) const
{
    const std::string_view text = lines_[line].text;
    return line == head_ ? withoutByteOrderMark(text) : text;
}

template <typename Accept>
const IniFile::Entry* IniFile::find(std::uint64_t hash, Accept accept) const
{
    // The parsed lines first: among them the first in file order wins, as a reader expects.
    auto it = std::lower_bound(index_.begin(), index_.end(), hash,
                               [](const Entry& e, std::uint64_t h) { return e.hash < h; });
    for (; it != index_.end() && it->hash == hash; ++it) {
        if (accept(*it))
            return &*it;
    }
    auto [first, last] = added_.equal_range(hash);
    for (; first != last; ++first) {
        if (accept(first->second))
            return &first->second;
    }
    return nullptr;
}

const IniFile::Entry* IniFile::findHeader(std::string_view section) const
{
    return find(headerHash(section), [&](const Entry& e) {
        const ParsedLine line = parseLine(textOf(e.line));
        return line.kind == ParsedLine::Kind::Header && equalsIgnoringAsciiCase(line.name, section);
    });
}

const IniFile::Entry* IniFile::findKey(std::string_view section, std::string_view key) const
{
    return find(keyHash(headerHash(section), key), [&](const Entry& e) {
        const ParsedLine line = parseLine(textOf(e.line));
        const ParsedLine header = parseLine(textOf(e.link));
        return line.kind == ParsedLine::Kind::Key && equalsIgnoringAsciiCase(line.name, key) &&
               header.kind == ParsedLine::Kind::Header &&
               equalsIgnoringAsciiCase(header.name, section);
    });
}

std::uint32_t IniFile::append(std::string text, Kind kind, std::uint32_t after)
{
    if (lines_.size() + 1 >= kNone)
        throw std::length_error("too many lines in an INI file");
    const auto id = static_cast<std::uint32_t>(lines_.size());
    Line& line = lines_.emplace_back();
    line.text = std::move(text);
    line.kind = kind;
    if (after == kNone) {
        // At the end of the file.
        if (tail_ == kNone)
            head_ = id;
        else
            lines_[tail_].next = id;
        tail_ = id;
        return id;
    }
    line.next = lines_[after].next;
    lines_[after].next = id;
    if (tail_ == after)
        tail_ = id;
    return id;
}

std::optional<std::string> IniFile::value(std::string_view section, std::string_view key) const
{
    const Entry* found = findKey(section, key);
    if (!found)
        return std::nullopt;
    return std::string(parseLine(textOf(found->line)).value);
}

std::string IniFile::readString(std::string_view section, std::string_view key,
                                std::string_view defaultValue) const
{
    std::optional<std::string> found = value(section, key);
    return found ? std::move(*found) : std::string(defaultValue);
}

bool IniFile::hasSection(std::string_view section) const
{
    return findHeader(section) != nullptr;
}

template <typename Visit>
void IniFile::forEachSectionRow(std::string_view section, Visit visit) const
{
    // Every copy of the section, in file order; the index holds them in that order.
    std::vector<std::uint32_t> headers;
    find(headerHash(section), [&](const Entry& e) {
        const ParsedLine line = parseLine(textOf(e.line));
        if (line.kind == ParsedLine::Kind::Header && equalsIgnoringAsciiCase(line.name, section))
            headers.push_back(e.line);
        return false; // collect them all
    });

    for (std::uint32_t header : headers) {
        for (std::uint32_t id = lines_[header].next; id != kNone && lines_[id].kind != Kind::Header;
             id = lines_[id].next) {
            const std::string_view row = trimmed(lines_[id].text);
            if (!row.empty() && row.front() != ';')
                visit(id, row);
        }
    }
}

std::vector<std::string> IniFile::sectionRows(std::string_view section) const
{
    std::vector<std::string> rows;
    forEachSectionRow(section,
                      [&](std::uint32_t, std::string_view row) { rows.emplace_back(row); });
    return rows;
}

std::vector<std::size_t> IniFile::sectionRowLines(std::string_view section) const
{
    std::vector<std::size_t> lines;
    forEachSectionRow(section,
                      [&](std::uint32_t id, std::string_view) { lines.push_back(id + 1); });
    return lines;
}

std::optional<std::size_t> IniFile::lineOfSection(std::string_view section) const
{
    if (const Entry* header = findHeader(section))
        return header->line + 1;
    return std::nullopt;
}

std::optional<std::size_t> IniFile::lineOfKey(std::string_view section, std::string_view key) const
{
    if (const Entry* found = findKey(section, key))
        return found->line + 1;
    return std::nullopt;
}

std::vector<std::size_t> IniFile::unreadLines() const
{
    std::vector<std::size_t> lines;
    bool inSection = false;
    for (std::uint32_t id = head_; id != kNone; id = lines_[id].next) {
        const std::string_view text = trimmed(textOf(id));
        const ParsedLine line = parseLine(textOf(id));
        inSection = inSection || line.kind == ParsedLine::Kind::Header;
        const bool readable = text.empty() || text.front() == ';' ||
                              line.kind == ParsedLine::Kind::Header ||
                              (line.kind == ParsedLine::Kind::Key && inSection);
        if (!readable)
            lines.push_back(id + 1);
    }
    return lines;
}

bool IniFile::writeString(std::string_view section, std::string_view key, std::string_view value)
{
    // A name that does not read back as itself ("a]", "k=v", a trailing lead byte) makes a
    // line that changes the file's structure; the index is then built again from the lines.
    const auto readsAs = [this](std::uint32_t id, ParsedLine::Kind kind, std::string_view name) {
        const ParsedLine line = parseLine(textOf(id));
        return line.kind == kind && line.name == name;
    };

    // The key is looked for in every copy of the section, as reading does.
    if (const Entry* found = findKey(section, key)) {
        const ParsedLine line = parseLine(textOf(found->line));
        // An unchanged value keeps the user's own spelling and spacing of the line.
        if (line.value == leftTrimmed(singleLine(value)))
            return false;
        const std::string name(line.name);
        std::string text = keyLine(name, value);
        if (found->line == head_ && lines_[head_].text.size() != textOf(head_).size())
            text.insert(0, "\xEF\xBB\xBF");
        const std::uint32_t id = found->line;
        lines_[id].text = std::move(text);
        if (!readsAs(id, ParsedLine::Kind::Key, name))
            reindex();
        return true;
    }

    const std::uint64_t sectionHash = headerHash(section);
    if (const Entry* header = findHeader(section)) {
        // After the section's last non-empty line, so blank lines before the next section
        // stay where they are; the new line is the place for the next one.
        const std::uint32_t id = append(keyLine(key, value), Kind::Key, header->link);
        const_cast<Entry*>(header)->link = id;
        const std::uint64_t hash = keyHash(sectionHash, key);
        added_.emplace(hash, Entry{hash, id, header->line});
        if (!readsAs(id, ParsedLine::Kind::Key, key))
            reindex();
        return true;
    }

    if (tail_ != kNone && !trimmed(lines_[tail_].text).empty())
        append(std::string(), Kind::Other, kNone);
    std::string headerText(1, '[');
    headerText.append(singleLine(section)).push_back(']');
    const std::uint32_t headerId = append(std::move(headerText), Kind::Header, kNone);
    const std::uint32_t keyId = append(keyLine(key, value), Kind::Key, kNone);
    added_.emplace(sectionHash, Entry{sectionHash, headerId, keyId});
    const std::uint64_t hash = keyHash(sectionHash, key);
    added_.emplace(hash, Entry{hash, keyId, headerId});
    if (!readsAs(headerId, ParsedLine::Kind::Header, section) ||
        !readsAs(keyId, ParsedLine::Kind::Key, key))
        reindex();
    return true;
}

std::string IniFile::serialize() const
{
    size_t size = 0;
    for (const Line& line : lines_)
        size += line.text.size() + 2;
    std::string out;
    out.reserve(size);
    for (std::uint32_t id = head_; id != kNone; id = lines_[id].next) {
        out += lines_[id].text;
        out += "\r\n";
    }
    return out;
}

void IniFile::save(const std::filesystem::path& file) const
{
    writeFileAtomically(file, serialize());
}

} // namespace grimtally
