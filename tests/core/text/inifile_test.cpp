#include "core/text/inifile.h"
#include "core/text/textfile.h"
#include "tempfolder.h"

#include <filesystem>
#include <gtest/gtest.h>

using grimtally::IniFile;
using grimtally::readWholeFile;

namespace fs = std::filesystem;

namespace {

const std::string zo = "\x83\x5D"; // a double-byte character whose second byte is ']'

TEST(IniFile, ReadsKeysOfSections)
{
    IniFile ini = IniFile::parse("slash=outside\r\n"
                                 "[common]\r\n"
                                 "  slash = / \r\n"
                                 "empty=\r\n"
                                 "path=C:\\data\\\r\n"
                                 "twice=first\r\n"
                                 "twice=second\r\n"
                                 ";hidden=1\r\n"
                                 "[ List ]\r\n"
                                 "anew=a=b\r\n");
    EXPECT_EQ(ini.value("common", "slash"), "/ ") << "a value keeps its trailing blank";
    EXPECT_EQ(ini.value("COMMON", "SLASH"), "/ ");
    EXPECT_EQ(ini.value("common", "empty"), "") << "present but empty is not missing";
    EXPECT_EQ(ini.readString("common", "empty", "default"), "");
    EXPECT_EQ(ini.readString("common", "missing", "default"), "default");
    EXPECT_EQ(ini.readString("nosection", "slash", "default"), "default");
    EXPECT_EQ(ini.value("common", "path"), "C:\\data\\");
    EXPECT_EQ(ini.value("common", "twice"), "first");
    EXPECT_EQ(ini.value("common", ";hidden"), std::nullopt);
    EXPECT_EQ(ini.value("list", "anew"), "a=b");
    EXPECT_EQ(ini.value("", "slash"), std::nullopt) << "lines before a header are in no section";
    EXPECT_TRUE(ini.hasSection("LIST"));
    EXPECT_FALSE(ini.hasSection("editor"));
}

TEST(IniFile, AWordEndingInABlankSurvivesAWriteBack)
{
    IniFile ini;
    ini.writeString("editor", "random", "Random ");
    IniFile again = IniFile::parse(ini.serialize());
    EXPECT_EQ(again.value("editor", "random"), "Random ");
    const std::string before = again.serialize();
    again.writeString("editor", "random", "Random ");
    EXPECT_EQ(again.serialize(), before);
}

TEST(IniFile, NamesStepOverDoubleByteCharacters)
{
    // 0x83 0x5D holds ']' as its second byte; 0x83 0x41 holds 'A'.
    IniFile ini = IniFile::parse("[" + zo + "]\r\n" + "\x83\x41" + "=upper\r\n" + "[" + zo +
                                 "x]\r\n" + "k=v\r\n");
    EXPECT_EQ(ini.value(zo, "\x83\x41"), "upper");
    EXPECT_EQ(ini.value(zo, "\x83\x61"), std::nullopt) << "second bytes are not letters";
    EXPECT_EQ(ini.value(zo + "x", "k"), "v");
    EXPECT_EQ(ini.value(zo + "X", "K"), "v");
    EXPECT_FALSE(ini.hasSection("\x83"));
}

TEST(IniFile, SectionRowsAreTakenWhole)
{
    IniFile ini = IniFile::parse("[Attack]\r\n"
                                 "  bite, 1, 2  \r\n"
                                 "\r\n"
                                 "   \r\n"
                                 "; comment\r\n"
                                 "key=value\r\n"
                                 "[other]\r\n"
                                 "not this\r\n"
                                 "[attack]\r\n"
                                 "claw\\\r\n");
    EXPECT_EQ(ini.sectionRows("ATTACK"),
              (std::vector<std::string>{"bite, 1, 2", "key=value", "claw\\"}));
    EXPECT_TRUE(ini.sectionRows("missing").empty());
}

TEST(IniFile, WritesKeepOtherLinesAndReadBack)
{
    const std::string original = "[common]\r\n"
                                 "Slash = old \r\n"
                                 "hit = Hit\r\n"
                                 "\r\n"
                                 "[other]\r\n"
                                 "x=1\r\n";
    IniFile ini = IniFile::parse(original);
    EXPECT_FALSE(ini.writeString("common", "hit", "Hit"));
    EXPECT_EQ(ini.serialize(), original) << "writing the same value changes nothing";

    EXPECT_TRUE(ini.writeString("COMMON", "slash", "C:\\new\\"));
    EXPECT_TRUE(ini.writeString("common", "damage", ""));
    EXPECT_TRUE(ini.writeString("extra", "k", "v"));
    EXPECT_EQ(ini.serialize(), "[common]\r\n"
                               "Slash=C:\\new\\\r\n"
                               "hit = Hit\r\n"
                               "damage=\r\n"
                               "\r\n"
                               "[other]\r\n"
                               "x=1\r\n"
                               "\r\n"
                               "[extra]\r\n"
                               "k=v\r\n");
    IniFile again = IniFile::parse(ini.serialize());
    EXPECT_EQ(again.value("common", "slash"), "C:\\new\\");
    EXPECT_EQ(again.value("common", "damage"), "");
    EXPECT_EQ(again.value("extra", "k"), "v");
}

TEST(IniFile, LineBreaksInAValueCannotSplitTheFile)
{
    IniFile ini;
    ini.writeString("a", "k", "one\r\n[b]\nx=1");
    IniFile again = IniFile::parse(ini.serialize());
    EXPECT_FALSE(again.hasSection("b"));
    EXPECT_EQ(again.value("a", "x"), std::nullopt);
    EXPECT_EQ(again.value("a", "k"), "one  [b] x=1");
}

// Names that do not read back as themselves make lines that change the file's structure
// ("a]" writes a header that reads as "a", "[b]" as a key writes a header): after every
// write the file in memory must answer exactly as the text it would save.
TEST(IniFile, AfterAnyWriteAnswersAsItsOwnTextReadAgain)
{
    const std::vector<std::string> names{"a",  "A",   "a]", " a",   "[b]", "b",
                                         ";c", "k=v", "",   "\x83", zo,    "\x83\x41"};
    IniFile ini = IniFile::parse("[a]\r\nk=1\r\n[b]\r\n\r\n[A]\r\nk=2\r\n");
    for (const std::string& section : names) {
        for (const std::string& key : names) {
            ini.writeString(section, key, section + "/" + key);
            const IniFile reread = IniFile::parse(ini.serialize());
            for (const std::string& name : names) {
                SCOPED_TRACE("[" + section + "] " + key + ", asking for " + name);
                ASSERT_EQ(ini.hasSection(name), reread.hasSection(name));
                ASSERT_EQ(ini.sectionRows(name), reread.sectionRows(name));
                ASSERT_EQ(ini.value(section, name), reread.value(section, name));
                ASSERT_EQ(ini.value(name, key), reread.value(name, key));
            }
        }
    }
}

// A hundred thousand lines and two thousand keys read and written: each key is found in its
// section and each new one lands at the section's end. (How long it takes is measured in
// bench_files.)
TEST(IniFile, ManyKeysInALargeFileAreFoundAndAddedInPlace)
{
    std::string text = "[s]\r\n";
    for (int i = 0; i < 100000; ++i)
        text += "k" + std::to_string(i) + "=v" + std::to_string(i) + "\r\n";
    text += "[t]\r\nx=1\r\n";
    IniFile ini = IniFile::parse(text);
    for (int i = 0; i < 100000; i += 50) {
        ASSERT_EQ(ini.value("S", "K" + std::to_string(i)), "v" + std::to_string(i));
        ASSERT_TRUE(ini.writeString("s", "new" + std::to_string(i), "n"));
    }
    const std::string written = ini.serialize();
    EXPECT_NE(written.find("k99999=v99999\r\nnew0=n\r\nnew50=n\r\n"), std::string::npos);
    EXPECT_NE(written.find("new99950=n\r\n[t]\r\nx=1"), std::string::npos);
    EXPECT_EQ(ini.sectionRows("s").size(), 102000u);
}

// Every golden case gets the same writes; the expected file is the whole result.
TEST(IniFile, GoldenFiles)
{
    const fs::path folder = fs::path(GRIMTALLY_TEST_DATA) / "ini";
    int cases = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().extension() != ".in")
            continue;
        ++cases;
        fs::path expectedFile = entry.path();
        expectedFile.replace_extension(".expected");
        SCOPED_TRACE(entry.path().filename().string());

        IniFile ini = IniFile::parse(readWholeFile(entry.path()));
        ini.writeString("common", "slash", "/");
        ini.writeString("common", "hit", "Hit");
        ini.writeString("list", "anew", "Anew");
        ini.writeString(zo, "key", "\x95\x5C");
        EXPECT_EQ(ini.serialize(), readWholeFile(expectedFile));

        IniFile again = IniFile::parse(ini.serialize());
        EXPECT_EQ(again.value("common", "slash"), "/");
        EXPECT_EQ(again.value("common", "hit"), "Hit");
        EXPECT_EQ(again.value("list", "anew"), "Anew");
        EXPECT_EQ(again.value(zo, "key"), "\x95\x5C");
    }
    EXPECT_GE(cases, 5);
}

class IniFileOnDisk : public TempFolder {};

TEST_F(IniFileOnDisk, MissingFileIsEmptyAndSaveCreatesIt)
{
    IniFile ini = IniFile::load(path("Language.txt"));
    EXPECT_FALSE(ini.hasSection("common"));
    EXPECT_EQ(ini.serialize(), "");
    ini.writeString("common", "slash", "/");
    ini.save(path("Language.txt"));
    EXPECT_EQ(readWholeFile(path("Language.txt")), "[common]\r\nslash=/\r\n");
    EXPECT_EQ(IniFile::load(path("Language.txt")).value("common", "slash"), "/");
}

TEST_F(IniFileOnDisk, UnreadableFileThrows)
{
    fs::create_directory(path("Language.txt"));
    EXPECT_THROW(IniFile::load(path("Language.txt")), grimtally::FileError);
}

} // namespace
