#include "core/text/inifile.h"

#include "core/text/sjis.h"
#include "core/text/textfile.h"

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

ParsedLine parseLineAt(const std::vector<std::string>& lines, size_t index)
{
    std::string_view line = lines[index];
    return parseLine(index == 0 ? withoutByteOrderMark(line) : line);
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

} // namespace

IniFile IniFile::load(const std::filesystem::path& file)
{
    return parse(readWholeFileIfExists(file));
}

IniFile IniFile::parse(std::string_view bytes)
{
    IniFile ini;
    std::vector<std::string_view> lines = splitLines(bytes);
    ini.lines_.reserve(lines.size());
    for (std::string_view line : lines)
        ini.lines_.emplace_back(line);
    return ini;
}

std::optional<std::string> IniFile::value(std::string_view section, std::string_view key) const
{
    bool inSection = false;
    for (size_t i = 0; i < lines_.size(); ++i) {
        ParsedLine line = parseLineAt(lines_, i);
        if (line.kind == ParsedLine::Kind::Header)
            inSection = equalsIgnoringAsciiCase(line.name, section);
        else if (inSection && line.kind == ParsedLine::Kind::Key &&
                 equalsIgnoringAsciiCase(line.name, key))
            return std::string(line.value);
    }
    return std::nullopt;
}

std::string IniFile::readString(std::string_view section, std::string_view key,
                                std::string_view defaultValue) const
{
    std::optional<std::string> found = value(section, key);
    return found ? std::move(*found) : std::string(defaultValue);
}

bool IniFile::hasSection(std::string_view section) const
{
    for (size_t i = 0; i < lines_.size(); ++i) {
        ParsedLine line = parseLineAt(lines_, i);
        if (line.kind == ParsedLine::Kind::Header && equalsIgnoringAsciiCase(line.name, section))
            return true;
    }
    return false;
}

std::vector<std::string> IniFile::sectionRows(std::string_view section) const
{
    std::vector<std::string> rows;
    bool inSection = false;
    for (size_t i = 0; i < lines_.size(); ++i) {
        std::string_view raw = i == 0 ? withoutByteOrderMark(lines_[i]) : lines_[i];
        ParsedLine line = parseLine(raw);
        if (line.kind == ParsedLine::Kind::Header) {
            inSection = equalsIgnoringAsciiCase(line.name, section);
            continue;
        }
        if (!inSection)
            continue;
        std::string_view row = trimmed(raw);
        if (row.empty() || row.front() == ';')
            continue;
        rows.emplace_back(row);
    }
    return rows;
}

void IniFile::writeString(std::string_view section, std::string_view key, std::string_view value)
{
    constexpr size_t none = static_cast<size_t>(-1);
    size_t firstHeader = none;
    size_t firstEnd = lines_.size(); // one past the last line of the first matching section
    bool inSection = false;
    for (size_t i = 0; i < lines_.size(); ++i) {
        ParsedLine line = parseLineAt(lines_, i);
        if (line.kind == ParsedLine::Kind::Header) {
            if (firstHeader != none && firstEnd == lines_.size())
                firstEnd = i;
            inSection = equalsIgnoringAsciiCase(line.name, section);
            if (inSection && firstHeader == none)
                firstHeader = i;
            continue;
        }
        // The key is looked for in every copy of the section, as reading does.
        if (inSection && line.kind == ParsedLine::Kind::Key &&
            equalsIgnoringAsciiCase(line.name, key)) {
            // An unchanged value keeps the user's own spelling and spacing of the line.
            if (line.value != leftTrimmed(singleLine(value)))
                lines_[i] = keyLine(line.name, value);
            return;
        }
    }

    if (firstHeader != none) {
        // After the section's last non-empty line, so blank lines before the next section
        // stay where they are.
        size_t insertAfter = firstHeader;
        for (size_t j = firstHeader + 1; j < firstEnd; ++j) {
            if (!trimmed(lines_[j]).empty())
                insertAfter = j;
        }
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAfter + 1),
                      keyLine(key, value));
        return;
    }
    if (!lines_.empty() && !trimmed(lines_.back()).empty())
        lines_.emplace_back();
    std::string header(1, '[');
    header.append(singleLine(section)).push_back(']');
    lines_.push_back(std::move(header));
    lines_.push_back(keyLine(key, value));
}

std::string IniFile::serialize() const
{
    size_t size = 0;
    for (const std::string& line : lines_)
        size += line.size() + 2;
    std::string out;
    out.reserve(size);
    for (const std::string& line : lines_) {
        out += line;
        out += "\r\n";
    }
    return out;
}

void IniFile::save(const std::filesystem::path& file) const
{
    writeFileAtomically(file, serialize());
}

} // namespace grimtally
