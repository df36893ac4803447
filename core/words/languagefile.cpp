#include "core/words/languagefile.h"

#include "core/text/sjis.h"
#include "core/text/lines.h"
#include "core/text/textfile.h"

#include <algorithm>

namespace grimtally {

namespace {

// UTF-16 after its byte order mark, as UTF-8. What does not decode becomes U+FFFD, which
// code page 932 cannot hold, so the line it stands in is left out.
std::string utf16ToUtf8(std::string_view bytes, bool bigEndian)
{
    const auto unit = [&](size_t i) -> char32_t {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        return bigEndian ? (first << 8) | second : (second << 8) | first;
    };
    std::string out;
    out.reserve(bytes.size());
    size_t i = 2;
    for (; i + 1 < bytes.size(); i += 2) {
        char32_t cp = unit(i);
        if (cp >= 0xD800 && cp < 0xDC00 && i + 3 < bytes.size() && unit(i + 2) >= 0xDC00 &&
            unit(i + 2) < 0xE000) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (unit(i + 2) - 0xDC00);
            i += 2;
        } else if (cp >= 0xD800 && cp < 0xE000) {
            cp = 0xFFFD;
        }
        appendUtf8(out, cp);
    }
    if (i < bytes.size())
        appendUtf8(out, 0xFFFD);
    return out;
}

// The lines of the text that can be read as Shift-JIS; the others stay as empty lines.
std::string readableLines(std::string_view text, bool fromUtf8)
{
    std::string out;
    out.reserve(text.size());
    for (std::string_view line : splitLines(text)) {
        if (line.find('\0') == std::string_view::npos) {
            if (!fromUtf8) {
                out += line;
            } else if (std::optional<std::string> bytes = utf8ToCp932(line)) {
                out += *bytes;
            }
        }
        out += "\r\n";
    }
    return out;
}

} // namespace

LanguageFile LanguageFile::load(const std::filesystem::path& file)
{
    try {
        return fromBytes(file, readWholeFileIfExists(file));
    } catch (const FileError& error) {
        LanguageFile language;
        language.file_ = file;
        language.problem_ = Problem::Unreadable;
        language.readError_ = error.what();
        return language;
    }
}

LanguageFile LanguageFile::fromBytes(const std::filesystem::path& file, std::string_view bytes)
{
    LanguageFile language;
    language.file_ = file;
    const bool littleEndian = bytes.starts_with("\xFF\xFE");
    if (littleEndian || bytes.starts_with("\xFE\xFF")) {
        language.ini_ = IniFile::parse(readableLines(utf16ToUtf8(bytes, !littleEndian), true));
        language.problem_ = Problem::Utf16;
    } else if (bytes.find('\0') != std::string_view::npos) {
        // A line that holds a NUL byte is no word of ours; the other lines may well be.
        language.ini_ = IniFile::parse(readableLines(bytes, false));
        language.problem_ = Problem::NulBytes;
    } else {
        language.ini_ = IniFile::parse(bytes);
        language.writable_ = true;
    }
    return language;
}

std::string LanguageFile::programLanguage() const
{
    std::string language = ini_.readString("program", "language", "");
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!language.empty() && blank(language.back()))
        language.pop_back();
    std::size_t first = 0;
    while (first < language.size() && blank(language[first]))
        ++first;
    language.erase(0, first);
    // Language codes are ASCII; a value with other bytes names no language of ours and is
    // left as it is rather than folded inside a double-byte character.
    if (std::ranges::any_of(language, [](char c) { return static_cast<unsigned char>(c) >= 0x80; }))
        return language;
    for (char& c : language) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return language;
}

void LanguageFile::storeVocabulary(const Vocabulary& vocabulary)
{
    if (writable_ && writeVocabulary(ini_, vocabulary))
        changed_ = true;
    saveIfChanged();
}

void LanguageFile::storeEditorWords(const std::vector<std::string>& words)
{
    if (writable_ && writeEditorWords(ini_, words))
        changed_ = true;
    saveIfChanged();
}

void LanguageFile::saveIfChanged()
{
    // A file that already lists every word keeps its bytes and its line breaks.
    if (!writable_ || !changed_)
        return;
    ini_.save(file_);
    changed_ = false;
}

} // namespace grimtally
