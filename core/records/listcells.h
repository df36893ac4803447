// What the main list shows for a record, and the comparison its column sort uses.
#pragma once

#include <algorithm>
#include <concepts>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace grimtally {

inline constexpr int kListColumnCount = 20;

// The two vocabulary words the cells are joined with (defaults "/" and "-").
struct CellWords {
    std::string slash = "/";
    std::string hyphen = "-";
};

// The fields a cell is made from, read from any list of texts with size() and operator[]
// (a stored record's fields, a FieldList); a field the list lacks reads as empty. Like a
// string_view it refers to the list, so it is made for one call.
class CellFields {
public:
    template <typename Fields>
    requires requires(const Fields& fields)
    {
        {
            fields[0]
            } -> std::convertible_to<std::string_view>;
        {
            fields.size()
            } -> std::convertible_to<int>;
    }
    CellFields(const Fields& fields)
        : fields_(&fields), size_(static_cast<int>(fields.size())),
          read_([](const void* list, int index) -> std::string_view {
              return (*static_cast<const Fields*>(list))[index];
          }),
          readRun_([](const void* list, int first, std::span<std::string_view> out) {
              const Fields& all = *static_cast<const Fields*>(list);
              if constexpr (requires { all.views(first, out); }) {
                  all.views(first, out);
              } else {
                  for (std::size_t i = 0; i < out.size(); ++i)
                      out[i] = all[first + static_cast<int>(i)];
              }
          })
    {}

    std::string_view operator[](int index) const
    {
        return index >= 0 && index < size_ ? read_(fields_, index) : std::string_view();
    }

    // Fields first .. first + out.size() - 1 at once, where the list can read them in one
    // pass; those the list lacks read as empty.
    void run(int first, std::span<std::string_view> out) const
    {
        const int available = std::clamp(size_ - first, 0, static_cast<int>(out.size()));
        std::fill(out.begin(), out.end(), std::string_view());
        if (first >= 0 && available > 0)
            readRun_(fields_, first, out.first(static_cast<std::size_t>(available)));
    }

private:
    const void* fields_;
    int size_;
    std::string_view (*read_)(const void*, int);
    void (*readRun_)(const void*, int, std::span<std::string_view>);
};

// Cell `column` (0..19) of a record row; column 0 is the name.
std::string listCell(std::string_view name, CellFields fields, int column, const CellWords& words);

// The same cell appended to `out`, so that a caller making many cells reuses one buffer.
// Reads each field it needs once.
void appendListCell(std::string& out, std::string_view name, CellFields fields, int column,
                    const CellWords& words);

// The column whose cell shows `field` (a field number), or -1 for the fields no cell shows
// (strength, size, hardness).
int listColumnOfField(int field);

// Whether the record's cell shows the bytes of `field`: a second speed shows only with its
// method, an attack's hit and damage and a magic's level and power only with its method or
// kind, the sub-senses only when they hold an item. Inside the ability cell the bytes are
// quoted, their double quotes doubled.
bool listShowsField(const CellFields& fields, int field);

// Byte-wise comparison with a..z taken as A..Z and nothing else folded; the shorter of
// two texts where one begins the other comes first. Returns <0, 0 or >0.
int compareListText(std::string_view a, std::string_view b);

// The number a cell starts with: leading blanks, an optional sign, then decimal digits up
// to the first other byte; no digits gives 0. Saturates instead of overflowing.
std::int64_t leadingNumber(std::string_view cell);

// The sort comparison for columns 1..19 (numbers first, then text); column 0 compares
// text only. Multiplied by the direction (1 or -1); a negative result puts `a` first.
int compareListCells(std::string_view a, std::string_view b, int column, int direction);

} // namespace grimtally
