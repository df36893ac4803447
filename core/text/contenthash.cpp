#include "core/text/contenthash.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace grimtally {

namespace {

constexpr std::uint64_t kPrime1 = 0x9E3779B185EBCA87ULL;
constexpr std::uint64_t kPrime2 = 0xC2B2AE3D27D4EB4FULL;
constexpr std::uint64_t kPrime3 = 0x165667B19E3779F9ULL;
constexpr std::uint64_t kPrime4 = 0x85EBCA77C2B2AE63ULL;
constexpr std::uint64_t kPrime5 = 0x27D4EB2F165667C5ULL;

// Little-endian on every system, so that both builds hash a file alike.
std::uint64_t read64(const unsigned char* p)
{
    std::uint64_t value;
    std::memcpy(&value, p, 8);
    if constexpr (std::endian::native == std::endian::big)
        value = __builtin_bswap64(value);
    return value;
}

std::uint32_t read32(const unsigned char* p)
{
    std::uint32_t value;
    std::memcpy(&value, p, 4);
    if constexpr (std::endian::native == std::endian::big)
        value = __builtin_bswap32(value);
    return value;
}

std::uint64_t round(std::uint64_t lane, std::uint64_t input)
{
    return std::rotl(lane + input * kPrime2, 31) * kPrime1;
}

std::uint64_t mergeRound(std::uint64_t hash, std::uint64_t lane)
{
    return (hash ^ round(0, lane)) * kPrime1 + kPrime4;
}

// Four lanes of 32-byte stripes; returns how many bytes were taken.
std::size_t stripes(std::array<std::uint64_t, 4>& lanes, const unsigned char* p, std::size_t size)
{
    std::size_t done = 0;
    for (; size - done >= 32; done += 32) {
        for (int lane = 0; lane < 4; ++lane)
            lanes[lane] = round(lanes[lane], read64(p + done + 8 * lane));
    }
    return done;
}

} // namespace

Xxh64::Xxh64() : lanes_{kPrime1 + kPrime2, kPrime2, 0, 0 - kPrime1}
{}

void Xxh64::add(std::string_view bytes)
{
    auto p = reinterpret_cast<const unsigned char*>(bytes.data());
    std::size_t size = bytes.size();
    total_ += size;
    if (pendingSize_ > 0) {
        const std::size_t taken = std::min(size, pending_.size() - pendingSize_);
        std::memcpy(pending_.data() + pendingSize_, p, taken);
        pendingSize_ += taken;
        p += taken;
        size -= taken;
        if (pendingSize_ < pending_.size())
            return;
        stripes(lanes_, pending_.data(), pending_.size());
        pendingSize_ = 0;
    }
    const std::size_t done = stripes(lanes_, p, size);
    pendingSize_ = size - done;
    if (pendingSize_ > 0)
        std::memcpy(pending_.data(), p + done, pendingSize_);
}

std::uint64_t Xxh64::value() const
{
    std::uint64_t hash;
    if (total_ >= 32) {
        hash = std::rotl(lanes_[0], 1) + std::rotl(lanes_[1], 7) + std::rotl(lanes_[2], 12) +
               std::rotl(lanes_[3], 18);
        for (std::uint64_t lane : lanes_)
            hash = mergeRound(hash, lane);
    } else {
        hash = kPrime5;
    }
    hash += total_;
    const unsigned char* p = pending_.data();
    const unsigned char* const end = p + pendingSize_;
    for (; end - p >= 8; p += 8)
        hash = std::rotl(hash ^ round(0, read64(p)), 27) * kPrime1 + kPrime4;
    if (end - p >= 4) {
        hash = std::rotl(hash ^ (std::uint64_t{read32(p)} * kPrime1), 23) * kPrime2 + kPrime3;
        p += 4;
    }
    for (; p < end; ++p)
        hash = std::rotl(hash ^ (*p * kPrime5), 11) * kPrime1;
    hash ^= hash >> 33;
    hash *= kPrime2;
    hash ^= hash >> 29;
    hash *= kPrime3;
    hash ^= hash >> 32;
    return hash;
}

std::uint64_t Xxh64::of(std::string_view bytes)
{
    Xxh64 hash;
    hash.add(bytes);
    return hash.value();
}

namespace {

void addNumber(Xxh64& hash, std::uint64_t number)
{
    unsigned char bytes[8];
    for (int i = 0; i < 8; ++i)
        bytes[i] = static_cast<unsigned char>(number >> (8 * i));
    hash.add({reinterpret_cast<const char*>(bytes), sizeof bytes});
}

} // namespace

void ContentHash::add(std::string_view bytes)
{
    total_ += bytes.size();
    while (!bytes.empty()) {
        const std::size_t taken = std::min(bytes.size(), kChunk - chunkFill_);
        chunk_.add(bytes.substr(0, taken));
        chunkFill_ += taken;
        bytes.remove_prefix(taken);
        if (chunkFill_ == kChunk) {
            addNumber(outer_, chunk_.value());
            chunk_ = Xxh64();
            chunkFill_ = 0;
        }
    }
}

std::uint64_t ContentHash::value() const
{
    Xxh64 outer = outer_;
    if (chunkFill_ > 0)
        addNumber(outer, chunk_.value());
    addNumber(outer, total_);
    return outer.value();
}

std::uint64_t ContentHash::of(std::string_view bytes)
{
    ContentHash hash;
    hash.add(bytes);
    return hash.value();
}

std::uint64_t ContentHash::ofChunks(std::span<const std::uint64_t> chunks, std::uint64_t size)
{
    Xxh64 outer;
    for (std::uint64_t chunk : chunks)
        addNumber(outer, chunk);
    addNumber(outer, size);
    return outer.value();
}

} // namespace grimtally
