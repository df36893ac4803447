// Fuzzes the INI file: parse anything, read, write keys, and check that the written keys
// read back, that the file in memory answers as its text read again, and that writing the
// text again changes nothing. The same bytes are read as "Language.txt" too.
#include "core/text/inifile.h"
#include "core/words/languagefile.h"
#include "core/words/vocabulary.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void check(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "INI check failed: %s\n", what);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view input(reinterpret_cast<const char*>(data), size);
    grimtally::IniFile ini = grimtally::IniFile::parse(input);

    (void)ini.readString("common", "slash", "/");
    (void)ini.sectionRows("common");
    (void)ini.sectionRows("\x83\x5D");
    check(!ini.value("common", "slash") || ini.hasSection("common"),
          "a key is only found in a present section");

    const std::string before = ini.serialize();
    check(grimtally::IniFile::parse(before).serialize() == before, "serialize is stable");

    ini.writeString("common", "slash", "C:\\x\\ \x83\x5D");
    ini.writeString("\x83\x5D", "Key", "");
    // Names that do not read back as themselves change the file's structure.
    ini.writeString("list]", "[editor]", "x");
    const std::string after = ini.serialize();
    grimtally::IniFile again = grimtally::IniFile::parse(after);
    check(again.value("COMMON", "SLASH") == "C:\\x\\ \x83\x5D", "written value reads back");
    check(again.value("\x83\x5D", "key") == "", "written empty value reads back");
    check(again.serialize() == after, "serialize after write is stable");
    for (const char* section : {"common", "list", "editor", "\x83\x5D", ""}) {
        check(ini.sectionRows(section) == again.sectionRows(section),
              "rows in memory are the rows of the text");
        for (const char* key : {"slash", "key", "[editor]", "anew"})
            check(ini.value(section, key) == again.value(section, key),
                  "values in memory are the values of the text");
    }

    // "Language.txt" read from the same bytes: words for every key, and a file that is not
    // Shift-JIS text is never one to write.
    const grimtally::LanguageFile language =
        grimtally::LanguageFile::fromBytes("Language.txt", input);
    check(grimtally::readVocabulary(language.ini()).words.size() == grimtally::VocabularySize,
          "every word is there");
    check(language.writable() == (language.problem() == grimtally::LanguageFile::Problem::None),
          "only a clean file is written");
    return 0;
}
