// A stream buffer that hands what is written to a file in blocks: the bytes gather in a 64 KiB
// buffer, and a block at least that large goes straight through. The system's own file calls
// are the derived class's; a failed write ends the stream, and the derived class keeps why.
#pragma once

#include <array>
#include <cstddef>
#include <streambuf>

namespace grimtally {

class BlockStreamBuf : public std::streambuf {
public:
    BlockStreamBuf() { setp(buffer_.data(), buffer_.data() + buffer_.size()); }
    BlockStreamBuf(const BlockStreamBuf&) = delete;
    BlockStreamBuf& operator=(const BlockStreamBuf&) = delete;

protected:
    // Writes all `size` bytes or fails; after a failure it is not called again.
    virtual bool writeBlock(const char* data, std::size_t size) = 0;

    int_type overflow(int_type ch) override
    {
        if (!flushBuffer())
            return traits_type::eof();
        if (!traits_type::eq_int_type(ch, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(ch);
            pbump(1);
        }
        return traits_type::not_eof(ch);
    }

    int sync() override { return flushBuffer() ? 0 : -1; }

    std::streamsize xsputn(const char* s, std::streamsize count) override
    {
        if (count < static_cast<std::streamsize>(buffer_.size()))
            return std::streambuf::xsputn(s, count);
        if (!flushBuffer() || !write(s, static_cast<std::size_t>(count)))
            return 0;
        return count;
    }

private:
    bool write(const char* data, std::size_t size)
    {
        if (failed_)
            return false;
        failed_ = size > 0 && !writeBlock(data, size);
        return !failed_;
    }

    bool flushBuffer()
    {
        const bool ok = write(pbase(), static_cast<std::size_t>(pptr() - pbase()));
        setp(buffer_.data(), buffer_.data() + buffer_.size());
        return ok;
    }

    bool failed_ = false;
    std::array<char, 65536> buffer_;
};

} // namespace grimtally
