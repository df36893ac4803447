// A 64-bit hash of a file's content, to tell whether a file still holds what the program
// read or wrote, and whether a journal entry arrived whole.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace grimtally {

// XXH64 with seed 0, the published algorithm: the same value on every system.
class Xxh64 {
public:
    Xxh64();
    // Bytes given in any number of pieces hash as the same bytes given at once.
    void add(std::string_view bytes);
    std::uint64_t value() const;

    static std::uint64_t of(std::string_view bytes);

private:
    std::array<std::uint64_t, 4> lanes_;
    std::uint64_t total_ = 0;
    std::array<unsigned char, 32> pending_{};
    std::size_t pendingSize_ = 0;
};

// A file's hash: its bytes in chunks of kChunk, each chunk's XXH64 hashed in order with the
// size. Streamed by add(), or made from the chunks' hashes that threads worked out apart.
class ContentHash {
public:
    static constexpr std::size_t kChunk = std::size_t{1} << 20;

    void add(std::string_view bytes);
    std::uint64_t value() const;

    static std::uint64_t of(std::string_view bytes);
    // The value from the XXH64 of each chunk of `size` bytes, in order.
    static std::uint64_t ofChunks(std::span<const std::uint64_t> chunks, std::uint64_t size);

private:
    Xxh64 outer_;
    Xxh64 chunk_;
    std::size_t chunkFill_ = 0;
    std::uint64_t total_ = 0;
};

} // namespace grimtally
