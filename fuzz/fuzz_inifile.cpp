// Fuzzes the INI file: parse anything, read, write a key, and check that the written key
// reads back and that writing the text again changes nothing.
#include "core/text/inifile.h"

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
    const std::string after = ini.serialize();
    grimtally::IniFile again = grimtally::IniFile::parse(after);
    check(again.value("COMMON", "SLASH") == "C:\\x\\ \x83\x5D", "written value reads back");
    check(again.value("\x83\x5D", "key") == "", "written empty value reads back");
    check(again.serialize() == after, "serialize after write is stable");
    return 0;
}
