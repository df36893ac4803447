// Enemies as JSON for other tools: one object per enemy with a named member per field, UTF-8,
// and back. Lossless: a field whose Shift-JIS bytes no Unicode text gives back exactly also
// carries its bytes in hexadecimal (docs/exchange-format.md has the schema).
#pragma once

#include "core/records/record.h"
#include "core/records/recordstore.h"

#include <functional>
#include <ostream>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace grimtally {

inline constexpr std::string_view kExchangeFormatName = "grimtally-enemies";
inline constexpr int kExchangeFormatVersion = 1;

// A file that is no enemy JSON, or an enemy in it that cannot become a record. what() is
// UTF-8 and says where: the parser's line and column, or the enemy's number and field.
class ExchangeError : public std::runtime_error {
public:
    ExchangeError(const std::string& message, long long enemy = 0, std::string key = {})
        : std::runtime_error(message), enemy_(enemy), key_(std::move(key))
    {}
    long long enemy() const { return enemy_; } // from 1; 0 when not about one enemy
    const std::string& key() const { return key_; }

private:
    long long enemy_;
    std::string key_;
};

// Writes the records of `slots`, one enemy a line.
void writeEnemiesJson(std::ostream& out, const RecordStore& store, std::span<const int> slots);
void writeEnemiesJson(std::ostream& out, const RecordStore& store); // slots 1..n

// Reads a document written by writeEnemiesJson, or by another tool to the same schema: the
// wrapper object or a bare array of enemy objects. Throws ExchangeError; nothing is
// returned from a file with any error in it. `progress`, when given, is called now and then
// with the number of enemies read so far.
std::vector<EnemyRecord> readEnemiesJson(std::string_view json,
                                         const std::function<void(long long)>& progress = {});

// Merge: the records follow the ones the store holds, in file order.
void mergeEnemies(RecordStore& store, const std::vector<EnemyRecord>& records);

} // namespace grimtally
