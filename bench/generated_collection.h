// A generated collection of enemies for the benchmarks: Shift-JIS names and words, fields
// as the editor writes them, the same file for the same seed.
#pragma once

#include "core/records/datafile.h"
#include "core/records/recordstore.h"
#include "core/text/commatext.h"

#include <random>
#include <span>
#include <sstream>
#include <string>
#include <vector>

namespace grimtally::bench {

inline constexpr int kRecords = 100000;

class Generator {
public:
    explicit Generator(unsigned seed) : engine_(seed)
    {
        for (int i = 0; i < 300; ++i)
            words_.push_back(kanaWord(2, 5));
    }

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(engine_); }
    bool chance(int percent) { return below(100) < percent; }
    std::string number(int low, int high) { return std::to_string(low + below(high - low + 1)); }
    const std::string& word() { return words_[static_cast<std::size_t>(below(300))]; }

    // Any double-byte character of code page 932: lead 0x81-0x9F or 0xE0-0xFC, trail
    // 0x40-0x7E or 0x80-0xFC. One in eight trail bytes is forced to 0x5C or 0x7C, the bytes
    // that trip up code which scans for a backslash or a bar.
    std::string kanaWord(int minChars, int maxChars)
    {
        std::string text;
        const int chars = minChars + below(maxChars - minChars + 1);
        for (int i = 0; i < chars; ++i) {
            const int lead = below(31 + 29);
            text += static_cast<char>(lead < 31 ? 0x81 + lead : 0xE0 + (lead - 31));
            int trail;
            if (below(8) == 0) {
                trail = below(2) == 0 ? 0x5C : 0x7C;
            } else {
                trail = 0x40 + below(0x3F + 0x7D);
                if (trail >= 0x7F)
                    ++trail; // 0x7F is never a trail byte
            }
            text += static_cast<char>(trail);
        }
        return text;
    }

    std::string commaWords(int max)
    {
        std::vector<std::string> items;
        const int count = below(max + 1);
        for (int i = 0; i < count; ++i)
            items.push_back(below(4) == 0 ? word() + " " + word() : word());
        return count == 0 ? std::string() : joinCommaText(std::span<const std::string>(items));
    }

    // A record as the editor writes one: numbers of one to three digits, words from a
    // small pool, optional parts mostly empty.
    std::vector<std::string> fields()
    {
        std::vector<std::string> f(kFieldCount);
        f[FieldClassify] = word();
        f[FieldLevel] = number(1, 20);
        f[FieldCelebrity] = number(2, 25);
        f[FieldCelebrityQualifier] = chance(30) ? word() : "";
        f[FieldDex] = number(5, 20);
        f[FieldMainSpeed] = number(5, 30);
        f[FieldMainMovement] = word();
        if (chance(30)) {
            f[FieldSubSpeed] = number(3, 20);
            f[FieldSubMovement] = word();
        }
        f[FieldCountLow] = number(1, 5);
        f[FieldCountHigh] = chance(60) ? number(5, 20) : "";
        f[FieldFrequency] = word();
        f[FieldInt] = word();
        f[FieldReaction] = word();
        f[FieldReaction2] = chance(25) ? word() : "";
        for (auto [method, percent] : {std::pair{FieldAttack1Method, 100},
                                       {FieldAttack2Method, 40},
                                       {FieldAttack3Method, 15}}) {
            if (chance(percent)) {
                f[method] = word();
                f[method + 1] = number(5, 18);
                f[method + 2] = number(2, 20);
            }
        }
        f[FieldDodge] = number(5, 18);
        f[FieldPrevent] = number(0, 12);
        f[FieldHP] = number(5, 120);
        f[FieldHPResist] = number(3, 15);
        f[FieldSP] = number(0, 60);
        f[FieldSPResist] = number(3, 15);
        for (auto [kind, percent] :
             {std::pair{FieldMagic1Kind, 30}, {FieldMagic2Kind, 10}, {FieldMagic3Kind, 5}}) {
            if (chance(percent)) {
                f[kind] = word();
                f[kind + 1] = number(1, 10);
                f[kind + 2] = number(5, 25);
            }
        }
        f[FieldAbility] = commaWords(3);
        f[FieldHabitat] = word() + word();
        f[FieldLanguage] = chance(40) ? word() : "";
        f[FieldSense] = word();
        f[FieldSubSenses] = commaWords(2);
        f[FieldStrength] = number(1, 30);
        f[FieldSize] = word();
        f[FieldHardness] = word();
        return f;
    }

private:
    std::mt19937 engine_;
    std::vector<std::string> words_;
};

// The data file of `records` generated records, as Save as writes it.
inline std::string generatedDataFile(int records, unsigned seed = 20240607)
{
    Generator generate(seed);
    RecordStore store;
    for (int i = 0; i < records; ++i) {
        std::vector<std::string> fields = generate.fields();
        store.append({generate.kanaWord(2, 8), FieldList(std::span<const std::string>(fields))});
    }
    std::ostringstream out;
    writeDataFile(out, store);
    return out.str();
}

} // namespace grimtally::bench
