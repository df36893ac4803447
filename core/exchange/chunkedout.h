// Text for a stream gathered in a buffer and written in large pieces, so that a writer that
// appends a little at a time to a string costs no more for writing to a stream.
#pragma once

#include <ostream>
#include <string>

namespace grimtally {

class ChunkedOut {
public:
    explicit ChunkedOut(std::ostream& out) : out_(out) { text.reserve(kChunk + kChunk / 4); }
    ChunkedOut(const ChunkedOut&) = delete;
    ChunkedOut& operator=(const ChunkedOut&) = delete;

    // Called between pieces of text (after each enemy, say): writes the buffer once it is full.
    void pieceDone()
    {
        if (text.size() >= kChunk)
            flush();
    }
    // Writes what is left; the writer calls it when it is done.
    void flush()
    {
        out_.write(text.data(), static_cast<std::streamsize>(text.size()));
        text.clear();
    }

    std::string text; // append here

private:
    static constexpr std::size_t kChunk = 256 * 1024;
    std::ostream& out_;
};

} // namespace grimtally
