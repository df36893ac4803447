#include "core/records/datafile.h"
#include "core/text/textfile.h"
#include "test_records.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <set>
#include <sstream>

namespace grimtally {
namespace {

using namespace std::string_literals;
using test::record;
using test::wolfFields;

std::string written(const RecordStore& store)
{
    std::ostringstream out;
    writeDataFile(out, store);
    return out.str();
}

std::string lineOfItems(int count)
{
    std::string line = "\"Wolf\"";
    for (int i = 1; i < count; ++i)
        line += "," + std::to_string(i);
    return line;
}

std::string readTestFile(const char* name)
{
    return readWholeFile(std::filesystem::path(GRIMTALLY_TEST_DATA) / "datafile" / name);
}

TEST(DataFile, LinesAreRecordsOnlyWithExactly48Items)
{
    struct Case {
        const char* what;
        std::string bytes;
        int records;
        int refused;
        bool hadLines;
    };
    const Case cases[] = {
        {"48 items", lineOfItems(48), 1, 0, true},
        {"47 items", lineOfItems(47), 0, 1, true},
        {"49 items", lineOfItems(49), 0, 1, true},
        {"refused among good",
         lineOfItems(48) + "\r\n" + lineOfItems(49) + "\r\n" + lineOfItems(48), 2, 1, true},
        {"blanks only", "   \t  ", 0, 0, true},
        {"blank line between records", lineOfItems(48) + "\n  \n" + lineOfItems(48), 2, 0, true},
        {"empty lines everywhere",
         "\r\n\r\n" + lineOfItems(48) + "\r\n\r\n\n" + lineOfItems(48) + "\r\n\r\n", 2, 0, true},
        {"only empty lines", "\r\n\n\r\r\n", 0, 0, false},
        {"nothing", "", 0, 0, false},
        {"no break after last line", lineOfItems(48) + "\r\n" + lineOfItems(48), 2, 0, true},
        {"lone CR ends lines", lineOfItems(48) + "\r" + lineOfItems(48) + "\r", 2, 0, true},
        {"lone LF ends lines", lineOfItems(48) + "\n" + lineOfItems(48) + "\n", 2, 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const ParsedDataFile parsed = parseDataFile(c.bytes);
        EXPECT_EQ(static_cast<int>(parsed.records.size()), c.records);
        EXPECT_EQ(parsed.refusedLines, c.refused);
        EXPECT_EQ(parsed.hadLines, c.hadLines);
    }
}

TEST(DataFile, RefusedLinesAreNumberedAsInTheFile)
{
    std::string twelveBad = lineOfItems(48);
    for (int i = 0; i < 12; ++i)
        twelveBad += "\nnot,a,record";
    struct Case {
        const char* what;
        std::string bytes;
        std::int64_t refused;
        std::vector<std::int64_t> numbers;
    };
    const Case cases[] = {
        {"empty lines and every kind of break count",
         lineOfItems(48) + "\r\n\r\n" + lineOfItems(47) + "\n  \r" + lineOfItems(49) + "\r\n" +
             lineOfItems(48),
         2,
         {3, 5}},
        {"only the first ten are kept", twelveBad, 12, {2, 3, 4, 5, 6, 7, 8, 9, 10, 11}},
        {"a quoted name broken by a line break", "\"Grey\r\n" + lineOfItems(48), 1, {1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const ParsedDataFile parsed = parseDataFile(c.bytes);
        EXPECT_EQ(parsed.refusedLines, c.refused);
        EXPECT_EQ(parsed.refusedLineNumbers, c.numbers);
    }
}

// A file large enough to be read in two halves at once gives what one pass would: every
// record in order, and refused lines numbered across the cut, whatever the line breaks.
TEST(DataFile, ALargeFileReadInTwoHalvesIsReadAsOne)
{
    constexpr int kLines = 30000; // some 3 MB
    const std::set<int> refused = {10,         2000,           kLines / 2 - 2, kLines / 2 - 1,
                                   kLines / 2, kLines / 2 + 1, kLines / 2 + 2, 20000,
                                   29000};
    const char* const breaks[] = {"\r\n", "\n", "\r"};
    std::vector<std::string> fields = wolfFields();
    std::vector<EnemyRecord> expected;
    std::string bytes;
    for (int number = 1; number <= kLines; ++number) {
        if (refused.contains(number)) {
            bytes += "not,a,record";
        } else if (number % 97 == 0) {
            bytes += "\r\n"; // an empty line; after a lone CR it keeps its own number
            continue;
        } else {
            fields[FieldLevel] = std::to_string(number);
            expected.push_back(record("e" + std::to_string(number), fields));
            bytes += formatRecordLine(expected.back().name, expected.back().fields);
        }
        bytes += breaks[number % 3];
    }
    ASSERT_GT(bytes.size(), std::size_t{2} << 20);

    const ParsedDataFile parsed = parseDataFile(bytes);
    EXPECT_EQ(parsed.refusedLines, static_cast<std::int64_t>(refused.size()));
    EXPECT_EQ(parsed.refusedLineNumbers, std::vector<std::int64_t>(refused.begin(), refused.end()));
    ASSERT_EQ(parsed.records.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        ASSERT_EQ(parsed.records[i].name, expected[i].name);
        ASSERT_TRUE(parsed.records[i].fields == expected[i].fields.view()) << expected[i].name;
    }
}

TEST(DataFile, UnicodeFilesAreRefusedWhole)
{
    struct Case {
        std::string bytes;
        std::string_view encoding;
    };
    const std::string line = lineOfItems(48) + "\r\n";
    const Case cases[] = {
        {"\xEF\xBB\xBF" + line, "UTF-8"},   {"\xFF\xFE\"\0W\0\"\0"s, "UTF-16"},
        {"\xFE\xFF\0\"\0W\0\""s, "UTF-16"}, {"\xFF\xFE\0\0\"\0\0\0"s, "UTF-32"},
        {line + "\xEF\xBB\xBF" + line, ""}, // a mark further on is only odd bytes
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.encoding);
        const ParsedDataFile parsed = parseDataFile(c.bytes);
        EXPECT_EQ(parsed.unicodeEncoding, c.encoding);
        EXPECT_EQ(parsed.records.empty(), !c.encoding.empty());
        if (!c.encoding.empty()) {
            EXPECT_FALSE(parsed.hadLines);
            EXPECT_EQ(parsed.refusedLines, 0);
        }
    }
}

TEST(DataFile, ItemZeroIsTheNameAndTheRestAreFields)
{
    const ParsedDataFile parsed = parseDataFile(lineOfItems(48) + "\r\n");
    ASSERT_EQ(parsed.records.size(), 1u);
    const RecordBatch::Entry wolf = parsed.records[0];
    EXPECT_EQ(wolf.name, "Wolf");
    ASSERT_EQ(wolf.fields.size(), kFieldCount);
    EXPECT_EQ(wolf.fields[0], "1");
    EXPECT_EQ(wolf.fields[46], "47");
}

TEST(DataFile, NameWithoutQuotesIsAccepted)
{
    const std::vector<std::string> fields = wolfFields();
    const std::string quoted = formatRecordLine("Wolf", test::fieldList(fields));
    ASSERT_EQ(quoted.substr(0, 7), "\"Wolf\",");

    const ParsedDataFile parsed = parseDataFile(quoted.substr(1, 4) + quoted.substr(6));
    ASSERT_EQ(parsed.records.size(), 1u);
    EXPECT_EQ(parsed.records[0].name, "Wolf");
    EXPECT_EQ(parsed.records[0].fields.toStrings(), fields);
}

TEST(DataFile, RecordsRoundTrip)
{
    struct Case {
        const char* what;
        std::string name;
        int field;
        std::string value;
    };
    const Case cases[] = {
        {"plain", "Wolf", FieldLevel, "3"},
        {"name with blanks, commas and quotes", R"( Old "Grey", the  wolf )", FieldLevel, "3"},
        {"name of quotes only", R"("")", FieldLevel, "3"},
        {"empty name", "", FieldLevel, "3"},
        {"last field empty", "Wolf", FieldHardness, ""},
        {"last field blanks", "Wolf", FieldHardness, "  "},
        {"field of one quote", "Wolf", FieldHabitat, "\""},
        {"NUL inside a name and a field", std::string("Wo\0lf", 5), FieldHabitat,
         std::string("a\0b", 3)},
        {"invalid Shift-JIS bytes", "\x81\xff\xfe\x80", FieldHabitat, "\xa0\x81"},
        {"trail bytes 0x5C and 0x7C", "\x83\x5c\x83\x7c\x95\x5c", FieldSense, "\x94\x5c"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::string> fields = wolfFields();
        fields[c.field] = c.value;
        RecordStore store;
        store.append(record(c.name, fields));

        const std::string bytes = written(store);
        const ParsedDataFile parsed = parseDataFile(bytes);
        EXPECT_EQ(parsed.refusedLines, 0);
        ASSERT_EQ(parsed.records.size(), 1u);
        EXPECT_EQ(parsed.records[0].name, c.name);
        EXPECT_EQ(parsed.records[0].fields.toStrings(), fields);
    }
}

TEST(DataFile, LineLayout)
{
    std::vector<std::string> fields(kFieldCount);
    fields[FieldLevel] = "3";
    EXPECT_EQ(formatRecordLine("Wolf", test::fieldList(fields)),
              "\"Wolf\",,3" + std::string(45, ','));
    EXPECT_EQ(formatRecordLine(R"(a "b")", test::fieldList(fields)).substr(0, 11),
              R"("a ""b""",,)");

    RecordStore store;
    store.append(record("A", fields));
    store.append(record("B", fields));
    const std::string bytes = written(store);
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
    EXPECT_EQ(bytes, formatRecordLine("A", test::fieldList(fields)) + "\r\n" +
                         formatRecordLine("B", test::fieldList(fields)) + "\r\n");
}

TEST(DataFile, EmptyStoreWritesNothing)
{
    EXPECT_EQ(written(RecordStore()), "");
}

TEST(DataFile, ShortFieldListIsWrittenWithAllFields)
{
    const std::vector<std::string> three{"Beast", "3", "12"};
    const ParsedDataFile parsed = parseDataFile(formatRecordLine("Wolf", test::fieldList(three)));
    ASSERT_EQ(parsed.records.size(), 1u);
    std::vector<std::string> expected(kFieldCount);
    std::copy(three.begin(), three.end(), expected.begin());
    EXPECT_EQ(parsed.records[0].fields.toStrings(), expected);
}

TEST(DataFile, LineBreaksInsideValuesDoNotSplitTheRecord)
{
    std::vector<std::string> fields = wolfFields();
    fields[FieldHabitat] = "Deep\r\nForest";
    RecordStore store;
    store.append(record("Grey\nWolf", fields));

    const ParsedDataFile parsed = parseDataFile(written(store));
    EXPECT_EQ(parsed.refusedLines, 0);
    ASSERT_EQ(parsed.records.size(), 1u);
    EXPECT_EQ(parsed.records[0].name, "Grey Wolf");
    EXPECT_EQ(parsed.records[0].fields[FieldHabitat], "Deep  Forest");
}

TEST(DataFile, ShiftJisFileIsWrittenBackByteForByte)
{
    const std::string original = readTestFile("sjis_records.txt");
    RecordStore store;
    store.replaceFrom(1, parseDataFile(original).records);
    EXPECT_EQ(store.recordCount(), 3);
    EXPECT_EQ(written(store), original);
}

TEST(DataFile, AnyLineEndsAreWrittenBackAsCrLf)
{
    const ParsedDataFile parsed = parseDataFile(readTestFile("mixed_line_ends.txt"));
    EXPECT_EQ(parsed.refusedLines, 0);
    RecordStore store;
    store.replaceFrom(1, parsed.records);
    EXPECT_EQ(written(store), readTestFile("mixed_line_ends.expected.txt"));
}

TEST(DataFile, SaveWritesTheFileAndReportsFailure)
{
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() /
        ("grimtally_datafile_" + std::to_string(std::random_device{}()));
    std::filesystem::create_directories(folder);
    RecordStore store;
    store.append(record("Wolf", wolfFields()));

    saveDataFile(folder / "enemies.txt", store);
    EXPECT_EQ(readWholeFile(folder / "enemies.txt"), written(store));
    EXPECT_THROW(saveDataFile(folder / "missing" / "enemies.txt", store), FileError);
    std::filesystem::remove_all(folder);
}

} // namespace
} // namespace grimtally
