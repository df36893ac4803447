#include "core/records/record.h"

#include <limits>
#include <stdexcept>

namespace grimtally {

namespace {

template <typename Text>
void fill(std::span<const Text> fields, std::string& bytes, std::vector<std::uint32_t>& ends)
{
    std::size_t total = 0;
    for (const auto& field : fields)
        total += field.size();
    // The offsets are 32 bits wide; a record of 4 GiB cannot come from a sane file.
    if (total > std::numeric_limits<std::uint32_t>::max())
        throw std::length_error("record too large");
    // Exact sizes: a loaded collection holds many of these, so no spare capacity.
    bytes.reserve(total);
    ends.reserve(fields.size());
    for (const auto& field : fields) {
        bytes.append(field.data(), field.size());
        ends.push_back(static_cast<std::uint32_t>(bytes.size()));
    }
}

} // namespace

FieldList::FieldList(std::span<const std::string> fields)
{
    fill(fields, bytes_, ends_);
}

FieldList::FieldList(std::span<const std::string_view> fields)
{
    fill(fields, bytes_, ends_);
}

std::string_view FieldList::operator[](int index) const
{
    if (index < 0 || index >= size())
        throw std::out_of_range("field " + std::to_string(index) + " of " + std::to_string(size()));
    const std::uint32_t begin = index == 0 ? 0 : ends_[index - 1];
    return std::string_view(bytes_).substr(begin, ends_[index] - begin);
}

std::vector<std::string> FieldList::toStrings() const
{
    std::vector<std::string> result;
    result.reserve(ends_.size());
    for (int i = 0; i < size(); ++i)
        result.emplace_back((*this)[i]);
    return result;
}

bool operator==(const FieldList& a, const FieldList& b)
{
    return a.ends_ == b.ends_ && a.bytes_ == b.bytes_;
}

} // namespace grimtally
