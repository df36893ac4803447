// The enemy record: a name and 47 text fields, kept compactly as the bytes they were read as.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace grimtally {

inline constexpr int kFieldCount = 47;

// Field numbers of a record (after the name).
enum Field : int {
    FieldClassify = 0,
    FieldLevel = 1,
    FieldCelebrity = 2,
    FieldCelebrityQualifier = 3,
    FieldDex = 4,
    FieldMainSpeed = 5,
    FieldMainMovement = 6,
    FieldSubSpeed = 7,
    FieldSubMovement = 8,
    FieldCountLow = 9,
    FieldCountHigh = 10,
    FieldFrequency = 11,
    FieldInt = 12,
    FieldReaction = 13,
    FieldReaction2 = 14,
    FieldAttack1Method = 15,
    FieldAttack1Hit = 16,
    FieldAttack1Damage = 17,
    FieldAttack2Method = 18,
    FieldAttack2Hit = 19,
    FieldAttack2Damage = 20,
    FieldAttack3Method = 21,
    FieldAttack3Hit = 22,
    FieldAttack3Damage = 23,
    FieldDodge = 24,
    FieldPrevent = 25,
    FieldHP = 26,
    FieldHPResist = 27,
    FieldSP = 28,
    FieldSPResist = 29,
    FieldMagic1Kind = 30,
    FieldMagic1Level = 31,
    FieldMagic1Power = 32,
    FieldMagic2Kind = 33,
    FieldMagic2Level = 34,
    FieldMagic2Power = 35,
    FieldMagic3Kind = 36,
    FieldMagic3Level = 37,
    FieldMagic3Power = 38,
    FieldAbility = 39,
    FieldHabitat = 40,
    FieldLanguage = 41,
    FieldSense = 42,
    FieldSubSenses = 43,
    FieldStrength = 44,
    FieldSize = 45,
    FieldHardness = 46,
};

// An immutable list of texts in one buffer with end offsets: a record of 47 short fields
// costs one allocation for the bytes and one for the offsets, not 47 strings.
class FieldList {
public:
    FieldList() = default;
    explicit FieldList(std::span<const std::string> fields);
    explicit FieldList(std::span<const std::string_view> fields);

    int size() const { return static_cast<int>(ends_.size()); }
    bool empty() const { return ends_.empty(); }
    std::string_view operator[](int index) const;
    std::vector<std::string> toStrings() const;
    // Every field's bytes one after the other, for scans that need not know the fields.
    std::string_view joinedBytes() const { return bytes_; }

    friend bool operator==(const FieldList& a, const FieldList& b);

private:
    std::string bytes_;
    std::vector<std::uint32_t> ends_;
};

struct EnemyRecord {
    std::string name;
    FieldList fields;
};

} // namespace grimtally
