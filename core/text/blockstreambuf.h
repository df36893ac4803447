// A stream buffer that hands what is written to a file in blocks: the bytes gather in a 64 KiB
// buffer, and a block at least that large goes straight through. The system's own file calls
// are the derived class's; a failed write ends the stream, and the derived class keeps why.
#pragma once

#include "core/text/textfile.h"

#include <array>
#include <cstddef>
#include <exception>
#include <filesystem>
#include <functional>
#include <ostream>
#include <streambuf>
#include <string>

namespace grimtally {

class BlockStreamBuf : public std::streambuf {
public:
    BlockStreamBuf() { setp(buffer_.data(), buffer_.data() + buffer_.size()); }
    BlockStreamBuf(const BlockStreamBuf&) = delete;
    BlockStreamBuf& operator=(const BlockStreamBuf&) = delete;

    // Runs the writer on a stream over this buffer and flushes it. Whatever fails, the writer
    // or a write, ends in FileError for `file`; a failed write gives the system's reason, so
    // that a full disk is reported as such and not as a vague stream error.
    void writeAll(const std::filesystem::path& file,
                  const std::function<void(std::ostream&)>& writer)
    {
        std::ostream out(this);
        try {
            writer(out);
            out.flush();
        } catch (const FileError&) {
            throw;
        } catch (const std::exception& error) {
            // A writer that turned on stream exceptions sees our write failure as one.
            throw FileError(file, failed_ ? writeFailure() : std::string(error.what()));
        } catch (...) {
            throw FileError(file, "unknown error while writing");
        }
        if (!out)
            throw FileError(file, failed_ ? writeFailure() : std::string("write error"));
    }

protected:
    // Writes all `size` bytes or fails; after a failure it is not called again.
    virtual bool writeBlock(const char* data, std::size_t size) = 0;
    // Why the failed writeBlock failed, in the system's words.
    virtual std::string writeFailure() const = 0;

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
