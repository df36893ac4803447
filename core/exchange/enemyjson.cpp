#include "core/exchange/enemyjson.h"

#include "core/exchange/captions.h"
#include "core/exchange/chunkedout.h"
#include "core/text/commatext.h"
#include "core/text/sjis.h"

#include <algorithm>
#include <array>
#include <nlohmann/json.hpp>
#include <utility>

namespace grimtally {

namespace {

constexpr int kTexts = kFieldCount + 1; // the name and the fields
constexpr std::string_view kRawKey = "raw";
constexpr char kHexDigits[] = "0123456789abcdef";

void appendJsonString(std::string& out, std::string_view utf8)
{
    out += '"';
    for (char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte >= 0x20) {
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else {
            out += "\\u00";
            out += kHexDigits[byte >> 4];
            out += kHexDigits[byte & 0xF];
        }
    }
    out += '"';
}

// The items of a list field when joining them again gives its very bytes and each is exact
// text; otherwise the field goes out as one string.
bool listItems(std::string_view bytes, std::vector<std::string>& items)
{
    items = splitCommaText(bytes);
    if (joinCommaText(std::span<const std::string>(items)) != bytes)
        return false;
    for (std::string& item : items) {
        std::string utf8;
        if (!appendExactUtf8(item, utf8))
            return false;
        item = std::move(utf8);
    }
    return true;
}

struct RawField {
    int field;
    std::string_view bytes;
};

// An empty field is left out (a reader takes a missing member as empty): most enemies use
// few of the optional rows, and the file is then less than half the size, and as fast to
// read again.
void appendEnemy(std::string& out, std::string_view name, FieldsView fields, std::string& text,
                 std::vector<std::string>& items, std::vector<RawField>& raw)
{
    raw.clear();
    out += '{';
    for (int field = kNameField; field < kFieldCount; ++field) {
        const std::string_view bytes =
            field == kNameField ? name : (field < fields.size() ? fields[field] : "");
        if (field != kNameField) {
            if (bytes.empty())
                continue;
            out += ',';
        }
        out += '"';
        out += fieldKey(field);
        out += "\":";
        if (isListField(field) && listItems(bytes, items)) {
            out += '[';
            for (std::size_t i = 0; i < items.size(); ++i) {
                if (i > 0)
                    out += ',';
                appendJsonString(out, items[i]);
            }
            out += ']';
            continue;
        }
        text.clear();
        if (!appendExactUtf8(bytes, text)) {
            text.clear();
            appendShownUtf8(bytes, text);
            raw.push_back({field, bytes});
        }
        appendJsonString(out, text);
    }
    if (!raw.empty()) {
        out += ",\"raw\":{";
        for (std::size_t i = 0; i < raw.size(); ++i) {
            if (i > 0)
                out += ',';
            out += '"';
            out += fieldKey(raw[i].field);
            out += "\":\"";
            for (char c : raw[i].bytes) {
                const auto byte = static_cast<unsigned char>(c);
                out += kHexDigits[byte >> 4];
                out += kHexDigits[byte & 0xF];
            }
            out += '"';
        }
        out += '}';
    }
    out += '}';
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

using Json = nlohmann::json;

// Reads the document as a stream of events, keeping one enemy at a time: a DOM of a large
// collection would cost many times the file's size.
class EnemyReader {
public:
    explicit EnemyReader(const std::function<void(long long)>& progress) : progress_(progress) {}

    std::vector<EnemyRecord> take() { return std::move(records_); }

    bool null() { return scalar(std::string(), false); }
    bool boolean(bool) { return scalar("a true or false", true); }
    bool number_integer(Json::number_integer_t value) { return number(std::to_string(value)); }
    bool number_unsigned(Json::number_unsigned_t value) { return number(std::to_string(value)); }
    bool number_float(Json::number_float_t, const Json::string_t&)
    {
        return scalar("a number that is not whole", true);
    }
    bool binary(Json::binary_t&) { return scalar("binary data", true); }

    bool string(Json::string_t& value)
    {
        switch (state_) {
        case State::Skip:
            return true;
        case State::WrapperValue:
            if (wrapperKey_ == "format" && value != kExchangeFormatName)
                throw ExchangeError("\"format\" is \"" + value + "\", not \"" +
                                    std::string(kExchangeFormatName) + "\"");
            if (wrapperKey_ == "version" || wrapperKey_ == "enemies")
                throw ExchangeError("\"" + wrapperKey_ + "\" is a text");
            state_ = State::Wrapper;
            return true;
        case State::EnemyValue:
            text_[slot(field_)].assign(value); // a copy into kept room: no allocation
            kind_[slot(field_)] = Kind::Text;
            state_ = State::Enemy;
            return true;
        case State::ListItems:
            items_.push_back(std::move(value));
            return true;
        case State::RawValue:
            raw_[slot(field_)].assign(value);
            hasRaw_[slot(field_)] = true;
            state_ = State::Raw;
            return true;
        default:
            return unexpected("a text");
        }
    }

    bool start_object(std::size_t)
    {
        switch (state_) {
        case State::Skip:
            ++skipDepth_;
            return true;
        case State::Top:
            state_ = State::Wrapper;
            return true;
        case State::EnemyList:
            startEnemy();
            return true;
        case State::WrapperValue:
            skip(State::Wrapper);
            return true;
        case State::RawStart:
            state_ = State::Raw;
            return true;
        default:
            return unexpected("an object");
        }
    }

    bool key(Json::string_t& key)
    {
        switch (state_) {
        case State::Skip:
            return true;
        case State::Wrapper:
            // Which of two values a reader takes is anybody's guess: a second one is refused.
            if (std::find(wrapperKeys_.begin(), wrapperKeys_.end(), key) != wrapperKeys_.end())
                throw ExchangeError("the top object has \"" + key + "\" twice");
            wrapperKeys_.push_back(key);
            wrapperKey_ = key;
            state_ = State::WrapperValue;
            return true;
        case State::Enemy:
            if (key == kRawKey) {
                if (std::exchange(sawRaw_, true))
                    throw ExchangeError(where(key) + "the enemy has this key twice", enemies_, key);
                state_ = State::RawStart;
                return true;
            }
            field_ = fieldOfKey(key);
            if (field_ == kFieldCount)
                throw ExchangeError(where(key) + "no field has this name", enemies_, key);
            if (kind_[slot(field_)] != Kind::Missing)
                throw ExchangeError(where(key) + "the enemy has this key twice", enemies_, key);
            key_ = key;
            state_ = State::EnemyValue;
            return true;
        case State::Raw:
            field_ = fieldOfKey(key);
            if (field_ == kFieldCount)
                throw ExchangeError(where("raw") + "no field is named \"" + key + "\"", enemies_,
                                    "raw");
            if (hasRaw_[slot(field_)])
                throw ExchangeError(where("raw") + "\"" + key + "\" is there twice", enemies_,
                                    "raw");
            key_ = key;
            state_ = State::RawValue;
            return true;
        default:
            return unexpected("a key");
        }
    }

    bool end_object()
    {
        switch (state_) {
        case State::Skip:
            return unskip();
        case State::Wrapper:
            state_ = State::Done;
            if (!sawEnemies_)
                throw ExchangeError("the object has no \"enemies\" list");
            return true;
        case State::Enemy:
            finishEnemy();
            state_ = State::EnemyList;
            return true;
        case State::Raw:
            state_ = State::Enemy;
            return true;
        default:
            return unexpected("the end of an object");
        }
    }

    bool start_array(std::size_t)
    {
        switch (state_) {
        case State::Skip:
            ++skipDepth_;
            return true;
        case State::Top:
            state_ = State::EnemyList;
            wrapped_ = false;
            return true;
        case State::WrapperValue:
            if (wrapperKey_ != "enemies") {
                skip(State::Wrapper);
                return true;
            }
            sawEnemies_ = true;
            state_ = State::EnemyList;
            return true;
        case State::EnemyValue:
            if (!isListField(field_))
                throw ExchangeError(where(key_) + "a list where a text belongs", enemies_, key_);
            items_.clear();
            state_ = State::ListItems;
            return true;
        default:
            return unexpected("a list");
        }
    }

    bool end_array()
    {
        switch (state_) {
        case State::Skip:
            return unskip();
        case State::EnemyList:
            state_ = wrapped_ ? State::Wrapper : State::Done;
            return true;
        case State::ListItems: {
            kind_[slot(field_)] = Kind::List;
            // Kept as UTF-8 items until the enemy ends, joined there after encoding.
            listItems_[slot(field_)] = std::move(items_);
            items_ = {};
            state_ = State::Enemy;
            return true;
        }
        default:
            return unexpected("the end of a list");
        }
    }

    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception& error)
    {
        std::string message = error.what();
        // "[json.exception.parse_error.101] parse error at line 3, column 7: ..." reads
        // better without the library's tag.
        if (const std::size_t tag = message.find("] "); tag != std::string::npos)
            message.erase(0, tag + 2);
        throw ExchangeError("not JSON: " + message, enemies_);
    }

private:
    enum class State {
        Top,
        Wrapper,
        WrapperValue,
        EnemyList,
        Enemy,
        EnemyValue,
        ListItems,
        RawStart,
        Raw,
        RawValue,
        Skip,
        Done
    };
    enum class Kind { Missing, Text, List };

    static std::size_t slot(int field) { return static_cast<std::size_t>(field + 1); }

    std::string where(const std::string& key) const
    {
        return "enemy " + std::to_string(enemies_) + ", \"" + key + "\": ";
    }

    bool unexpected(const char* what)
    {
        if (state_ == State::EnemyValue || state_ == State::ListItems)
            throw ExchangeError(where(key_) + std::string(what) + " where a text belongs", enemies_,
                                key_);
        if (state_ == State::RawValue || state_ == State::RawStart)
            throw ExchangeError(where("raw") + std::string(what) +
                                    " where hexadecimal bytes belong",
                                enemies_, "raw");
        throw ExchangeError(
            std::string(what) + " where " +
                (state_ == State::EnemyList ? "an enemy object" : "the enemies' list or object") +
                " belongs",
            enemies_);
    }

    bool scalar(const std::string& text, bool wrong)
    {
        if (state_ == State::Skip)
            return true;
        if (state_ == State::WrapperValue) {
            // Members of our own must be what the schema says; others are passed over.
            if (wrapperKey_ == "enemies" || wrapperKey_ == "format" || wrapperKey_ == "version")
                throw ExchangeError("\"" + wrapperKey_ + "\" is not what it should be");
            state_ = State::Wrapper;
            return true;
        }
        if (state_ == State::EnemyValue && !wrong) {
            text_[slot(field_)] = text;
            kind_[slot(field_)] = Kind::Text;
            state_ = State::Enemy;
            return true;
        }
        return unexpected(wrong ? text.c_str() : "null");
    }

    bool number(std::string text)
    {
        if (state_ == State::WrapperValue && wrapperKey_ == "version") {
            if (text != std::to_string(kExchangeFormatVersion))
                throw ExchangeError("version " + text +
                                    " of the format is not one this program "
                                    "reads (it reads version " +
                                    std::to_string(kExchangeFormatVersion) + ")");
            state_ = State::Wrapper;
            return true;
        }
        if (state_ == State::EnemyValue)
            return scalar(text, false);
        return scalar("a number", true);
    }

    void skip(State after)
    {
        afterSkip_ = after;
        skipDepth_ = 1;
        state_ = State::Skip;
    }

    bool unskip()
    {
        if (--skipDepth_ == 0)
            state_ = afterSkip_;
        return true;
    }

    void startEnemy()
    {
        ++enemies_;
        kind_.fill(Kind::Missing);
        hasRaw_.fill(false);
        sawRaw_ = false;
        state_ = State::Enemy;
    }

    // The bytes of one field: its raw bytes while the text still reads as they do (a tool
    // that changed the text has changed the field), else the text encoded.
    void fieldBytes(int field, std::string& out)
    {
        const std::size_t i = slot(field);
        out.clear();
        if (hasRaw_[i]) {
            std::string bytes;
            const std::string& hex = raw_[i];
            if (hex.size() % 2 != 0)
                throw ExchangeError(where("raw") + "\"" + std::string(fieldKey(field)) +
                                        "\" is not pairs of hexadecimal digits",
                                    enemies_, "raw");
            for (std::size_t at = 0; at < hex.size(); at += 2) {
                const int high = hexValue(hex[at]);
                const int low = hexValue(hex[at + 1]);
                if (high < 0 || low < 0)
                    throw ExchangeError(where("raw") + "\"" + std::string(fieldKey(field)) +
                                            "\" is not pairs of hexadecimal digits",
                                        enemies_, "raw");
                bytes += static_cast<char>(high << 4 | low);
            }
            shown_.clear();
            appendShownUtf8(bytes, shown_);
            if (kind_[i] == Kind::Text && text_[i] == shown_) {
                out = std::move(bytes);
                return;
            }
        }
        const std::string key(fieldKey(field));
        const auto cannotHold = [&](const std::string& text) {
            return ExchangeError(where(key) + "\"" + text +
                                     "\" holds a character that Shift-JIS cannot hold",
                                 enemies_, key);
        };
        switch (kind_[i]) {
        case Kind::Missing:
            return;
        case Kind::Text:
            if (!appendCp932(text_[i], out))
                throw cannotHold(text_[i]);
            return;
        case Kind::List: {
            std::vector<std::string>& items = listItems_[i];
            for (std::string& item : items) {
                std::string bytes;
                if (!appendCp932(item, bytes))
                    throw cannotHold(item);
                item = std::move(bytes);
            }
            out = joinCommaText(std::span<const std::string>(items));
            return;
        }
        }
    }

    // A record is one line of the data file: a line break inside a text would cut it in two.
    void refuseLineBreaks(int field, std::string_view bytes) const
    {
        if (bytes.find_first_of("\r\n") == std::string_view::npos)
            return;
        const std::string key(fieldKey(field));
        throw ExchangeError(where(key) + "the text holds a line break, which a record cannot hold",
                            enemies_, key);
    }

    void finishEnemy()
    {
        std::string name;
        fieldBytes(kNameField, name);
        refuseLineBreaks(kNameField, name);
        for (int field = 0; field < kFieldCount; ++field) {
            fieldBytes(field, fields_[static_cast<std::size_t>(field)]);
            refuseLineBreaks(field, fields_[static_cast<std::size_t>(field)]);
        }
        records_.push_back({std::move(name), FieldList(std::span<const std::string>(fields_))});
        if (progress_ && enemies_ % 10000 == 0)
            progress_(enemies_);
    }

    const std::function<void(long long)>& progress_;
    State state_ = State::Top;
    State afterSkip_ = State::Top;
    int skipDepth_ = 0;
    bool wrapped_ = true;
    bool sawEnemies_ = false;
    bool sawRaw_ = false;
    std::string wrapperKey_;
    std::vector<std::string> wrapperKeys_; // the top object's keys so far
    long long enemies_ = 0;
    int field_ = 0;
    std::string key_;
    std::array<std::string, kTexts> text_;
    std::array<Kind, kTexts> kind_{};
    std::array<std::vector<std::string>, kTexts> listItems_;
    std::array<std::string, kTexts> raw_;
    std::array<bool, kTexts> hasRaw_{};
    std::vector<std::string> items_;
    std::string shown_;
    std::array<std::string, kFieldCount> fields_;
    std::vector<EnemyRecord> records_;
};

} // namespace

void writeEnemiesJson(std::ostream& out, const RecordStore& store, std::span<const int> slots)
{
    ChunkedOut chunks(out);
    std::string& text = chunks.text;
    text += "{\"format\":\"";
    text += kExchangeFormatName;
    text += "\",\"version\":";
    text += std::to_string(kExchangeFormatVersion);
    text += ",\"enemies\":[\n";
    std::string shown;
    std::vector<std::string> items;
    std::vector<RawField> raw;
    for (std::size_t i = 0; i < slots.size(); ++i) {
        appendEnemy(text, store.name(slots[i]), store.fields(slots[i]), shown, items, raw);
        text += i + 1 < slots.size() ? ",\n" : "\n";
        chunks.pieceDone();
    }
    text += "]}\n";
    chunks.flush();
}

void writeEnemiesJson(std::ostream& out, const RecordStore& store)
{
    writeEnemiesJson(out, store, store.recordSlots());
}

std::vector<EnemyRecord> readEnemiesJson(std::string_view json,
                                         const std::function<void(long long)>& progress)
{
    EnemyReader reader(progress);
    Json::sax_parse(json.begin(), json.end(), &reader);
    return reader.take();
}

void mergeEnemies(RecordStore& store, const std::vector<EnemyRecord>& records)
{
    store.replaceFrom(store.slotCount(), records);
}

} // namespace grimtally
