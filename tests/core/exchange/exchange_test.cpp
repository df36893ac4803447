// Exchange files must give back every record byte for byte, whatever its bytes are, and must
// say where a file made by another tool goes wrong.
#include "core/exchange/enemycsv.h"
#include "core/exchange/enemyjson.h"
#include "core/records/datafile.h"
#include "core/text/textfile.h"

#include <gtest/gtest.h>
#include <random>
#include <sstream>
#include <string>

namespace grimtally {
namespace {

const std::string kShipped = GRIMTALLY_SHIPPED_DATA;
const std::string kTestData = GRIMTALLY_TEST_DATA;

RecordStore storeOf(const std::string& file)
{
    RecordStore store;
    store.replaceFrom(1, readDataFile(file).records);
    return store;
}

// Every record of `store` after a trip through JSON, compared as data file bytes.
void expectRoundTrip(const RecordStore& store)
{
    std::ostringstream written;
    writeEnemiesJson(written, store);
    const std::string json = written.str();
    RecordStore back;
    mergeEnemies(back, readEnemiesJson(json));
    ASSERT_EQ(back.recordCount(), store.recordCount());
    for (int slot = 1; slot < store.slotCount(); ++slot) {
        ASSERT_EQ(formatRecordLine(back.name(slot), back.fields(slot)),
                  formatRecordLine(store.name(slot), store.fields(slot)))
            << "record " << slot;
    }
}

TEST(Exchange, ShippedSamplesRoundTripThroughJson)
{
    expectRoundTrip(storeOf(kShipped + "/Sample.txt"));
    expectRoundTrip(storeOf(kShipped + "/ja/Sample.txt"));
}

// The writers hand their text to the stream in large pieces: a collection of many pieces
// comes through whole.
TEST(Exchange, ACollectionLargerThanOnePieceRoundTripsThroughJson)
{
    const RecordStore sample = storeOf(kShipped + "/ja/Sample.txt");
    RecordStore store;
    while (store.recordCount() < 4000) {
        for (int slot = 1; slot < sample.slotCount(); ++slot)
            store.append({std::string(sample.name(slot)), FieldList(sample.fields(slot))});
    }
    expectRoundTrip(store);
}

// Texts built from the bytes that trip converters up: characters with a second code, bytes
// that are no character, a lead byte at the end, controls, quotes, backslashes, commas.
TEST(Exchange, HostileBytesRoundTripThroughJson)
{
    const std::vector<std::string> pieces{
        "\x87\x90",
        "\x81\xE0",
        "\xED\x40",
        "\xFA\x5C",
        "\x87\x54",
        "\xEE\xEF", // second codes
        "\x80",
        "\xA0",
        "\xFD",
        "\xFF",
        "\x82\x20",
        "\x85\x40", // no character
        "\x83\x5C",
        "\\",
        "\"",
        ",",
        " ",
        "\t", // a line break cannot be in a record: its line would be cut in two
        std::string(1, '\0'),
        "\x1F", // tricky bytes
        "\x82\xA0",
        "\xB1",
        "abc",
        "\xE2\x80\x94", // plain text
    };
    std::mt19937 random(12);
    std::uniform_int_distribution<std::size_t> piece(0, pieces.size() - 1);
    std::uniform_int_distribution<int> length(0, 6);
    std::vector<EnemyRecord> records;
    for (int r = 0; r < 500; ++r) {
        std::vector<std::string> texts(kFieldCount + 1);
        for (std::string& text : texts) {
            for (int n = length(random); n > 0; --n)
                text += pieces[piece(random)];
        }
        if (r % 5 == 0)
            texts.back() += "\x82"; // cut-off character at the very end
        if (r % 7 == 0)
            texts[FieldAbility + 1] = "\"Keen nose\", Night,,\"\""; // comma text not in our form
        records.push_back({texts[0], FieldList(std::span<const std::string>(texts).subspan(1))});
    }
    RecordStore store;
    store.replaceFrom(1, records);
    expectRoundTrip(store);
}

TEST(Exchange, ATextChangedByAnotherToolWinsOverItsStaleRawBytes)
{
    std::vector<std::string> fields(kFieldCount);
    fields[FieldHabitat] = "\x87\x90"; // ≒ by its second code
    RecordStore store;
    store.append({"Wolf", FieldList(std::span<const std::string>(fields))});
    std::ostringstream written;
    writeEnemiesJson(written, store);
    std::string json = written.str();
    ASSERT_NE(json.find("\"raw\":{\"habitat\":\"8790\"}"), std::string::npos) << json;

    EXPECT_EQ(readEnemiesJson(json).at(0).fields[FieldHabitat], "\x87\x90");
    json.replace(json.find("\"habitat\":\"≒\""), 15, "\"habitat\":\"〜≒\""); // U+301C typed
    EXPECT_EQ(readEnemiesJson(json).at(0).fields[FieldHabitat], "\x81\x60\x81\xE0");
}

TEST(Exchange, ErrorsSayWhichEnemyAndField)
{
    struct Case {
        const char* json;
        long long enemy;
        const char* key;
    };
    const Case cases[] = {
        {R"([{"name": "a"}, {"name": "b", "levl": "3"}])", 2, "levl"},
        {R"({"format": "grimtally-enemies", "enemies": [{"name": "😀"}]})", 1, "name"},
        {R"([{"name": "a", "raw": {"name": "8z"}}])", 1, "raw"},
        {R"([{"name": "a", "level": 2.5}])", 1, "level"},
        {R"([{"name": "a", "level": ["1"]}])", 1, "level"},
        {R"({"version": 2, "enemies": []})", 0, ""},
        {R"({"enemies": [{"name": "a"}] )", 1, ""}, // not closed
        {R"({"format": "other", "enemies": []})", 0, ""},
        {R"({"format": true, "enemies": []})", 0, ""},
        // Two values for one key: which one was meant cannot be known.
        {R"([{"name": "first", "name": "second"}])", 1, "name"},
        {R"([{"name": "a"}, {"name": "b", "raw": {}, "raw": {}}])", 2, "raw"},
        {R"([{"name": "a", "raw": {"name": "61", "name": "62"}}])", 1, "raw"},
        {R"({"enemies": [{"name": "a"}], "enemies": [{"name": "b"}]})", 0, ""},
        // A record is one line: a line break in a text or a list item is refused.
        {R"([{"name": "a\nb\rc"}])", 1, "name"},
        {R"([{"name": "a", "abilities": ["x", "y\nz"]}])", 1, "abilities"},
    };
    for (const Case& c : cases) {
        try {
            readEnemiesJson(c.json);
            ADD_FAILURE() << "accepted " << c.json;
        } catch (const ExchangeError& error) {
            EXPECT_EQ(error.enemy(), c.enemy) << c.json << ": " << error.what();
            EXPECT_EQ(error.key(), c.key) << c.json << ": " << error.what();
        }
    }
    // Numbers and nulls from other tools become texts; a missing field is empty.
    const std::vector<EnemyRecord> read =
        readEnemiesJson(R"([{"name": "a", "level": 3, "habitat": null, "abilities": ["x y"]}])");
    EXPECT_EQ(read.at(0).fields[FieldLevel], "3");
    EXPECT_EQ(read.at(0).fields[FieldHabitat], "");
    EXPECT_EQ(read.at(0).fields[FieldAbility], "\"x y\"");
    EXPECT_EQ(read.at(0).fields.size(), kFieldCount);
}

TEST(Exchange, CsvOfAKnownEnemyMatchesItsGoldenFile)
{
    const RecordStore store = storeOf(kShipped + "/Sample.txt");
    const std::vector<int> wraith{5};
    std::ostringstream csv;
    writeEnemiesCsv(csv, store, wraith, Captions::defaults());
    EXPECT_EQ(csv.str(), readWholeFile(kTestData + "/exchange/bog_wraith.csv"));
}

} // namespace
} // namespace grimtally
