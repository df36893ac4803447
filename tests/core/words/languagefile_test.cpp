// "Language.txt" read once and written only when words were added: files that are not
// Shift-JIS text, and a save that failed.
#include "core/text/textfile.h"
#include "core/words/languagefile.h"
#include "tests/core/text/tempfolder.h"

#include <gtest/gtest.h>

namespace grimtally {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

const std::string kAttack = "\x8D\x55\x8C\x82"; // 攻撃 in code page 932

std::string utf16(std::u16string_view text, bool bigEndian)
{
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char16_t unit : text) {
        const char high = static_cast<char>(unit >> 8);
        const char low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes;
}

// "name" holds a character that code page 932 cannot hold, or a NUL byte: that line is not
// read, the others are.
const std::u16string kWords = u"[common]\r\nhit=Treffer\r\nname=\U0001F701\r\n[editor]\r\nattack="
                              u"\u653B\u6483\r\n";

TEST(LanguageFile, TextThatIsNotShiftJisIsReadWhereItCanBeAndNeverWritten)
{
    struct Case {
        const char* what;
        std::string bytes;
        bool writable;
        LanguageFile::Problem problem;
    };
    using enum LanguageFile::Problem;
    const Case cases[] = {
        {"Shift-JIS", "[common]\r\nhit=Treffer\r\n[editor]\r\nattack=" + kAttack + "\r\n", true,
         None},
        {"UTF-16LE", utf16(kWords, false), false, Utf16},
        {"UTF-16BE", utf16(kWords, true), false, Utf16},
        {"UTF-16 cut short", utf16(kWords, false) + "\x41", false, Utf16},
        {"NUL bytes", "[common]\r\nhit=Treffer\r\nname=N\0x\r\n[editor]\r\nattack="s + kAttack,
         false, NulBytes},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const LanguageFile language = LanguageFile::fromBytes("Language.txt", c.bytes);
        const Vocabulary vocabulary = readVocabulary(language.ini());
        EXPECT_EQ(vocabulary[VocHit], "Treffer");
        EXPECT_EQ(vocabulary[VocName], "Name");
        EXPECT_EQ(readEditorWords(language.ini())[EdAttack], kAttack);
        EXPECT_EQ(language.writable(), c.writable);
        EXPECT_EQ(language.problem(), c.problem);
    }
}

// The program's language is a code: blanks and letter case do not matter, and bytes that are
// no ASCII text are never folded inside a double-byte character.
TEST(LanguageFile, ProgramLanguageIsReadAsACode)
{
    const std::pair<std::string, std::string> cases[] = {
        {"[common]\r\nhit=Treffer\r\n", ""},
        {"[program]\r\nlanguage=ja\r\n", "ja"},
        {"[Program]\r\nLANGUAGE= EN \t\r\n", "en"},
        {"[program]\r\nlanguage=" + kAttack + "A\r\n", kAttack + "A"},
    };
    for (const auto& [bytes, language] : cases) {
        SCOPED_TRACE(bytes);
        EXPECT_EQ(LanguageFile::fromBytes("Language.txt", bytes).programLanguage(), language);
    }
}

// Starting with a complete file, or one that cannot be read, never writes it; the windows'
// tests show that. What they cannot show: a save that failed is made by the next store.
class LanguageFileOnDisk : public TempFolder {};

// The main window's save fails; the editor's save, with nothing of its own to add, still
// writes what the main window added.
TEST_F(LanguageFileOnDisk, ASaveThatFailedIsTriedAgainByTheNextStore)
{
    IniFile editorOnly;
    writeEditorWords(editorOnly, readEditorWords(editorOnly));
    const fs::path file = path("later") / "Language.txt";
    LanguageFile language = LanguageFile::fromBytes(file, editorOnly.serialize());
    EXPECT_THROW(language.storeVocabulary(readVocabulary(language.ini())), FileError);
    fs::create_directory(path("later"));
    language.storeEditorWords(readEditorWords(language.ini()));
    EXPECT_EQ(IniFile::load(file).value("common", "hit"), "Hit");
}

} // namespace
} // namespace grimtally
