// What the Windows file functions of core/text share: a handle closed on every way out, and
// the system's reasons in UTF-8. Not part of the core's interface.
#pragma once

#include <string>
#include <windows.h>

namespace grimtally::windows {

class HandleGuard {
public:
    explicit HandleGuard(HANDLE handle) : handle_(handle) {}
    ~HandleGuard()
    {
        if (handle_ != INVALID_HANDLE_VALUE)
            ::CloseHandle(handle_);
    }
    HandleGuard(const HandleGuard&) = delete;
    HandleGuard& operator=(const HandleGuard&) = delete;
    HANDLE get() const { return handle_; }
    // Closes now and reports the result: a late write error may only show up here.
    bool close()
    {
        const bool closed = ::CloseHandle(handle_) != 0;
        handle_ = INVALID_HANDLE_VALUE;
        return closed;
    }

private:
    HANDLE handle_;
};

// The system's own text for an error code, as FormatMessage gives it, without its full stop
// and line break.
std::string systemReason(DWORD error);

} // namespace grimtally::windows
