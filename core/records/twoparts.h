// Work split in two halves that run on the machine's two cores.
#pragma once

#include <exception>
#include <system_error>
#include <thread>

namespace grimtally {

// Runs work(0) and work(1), on two threads when `two` and a second thread can be had;
// an exception of either is passed on once both are done.
template <typename Work> void inTwoParts(bool two, Work work)
{
    std::exception_ptr failure;
    std::thread other;
    if (two) {
        try {
            other = std::thread([&] {
                try {
                    work(1);
                } catch (...) {
                    failure = std::current_exception();
                }
            });
        } catch (const std::system_error&) {
            // No thread to be had: both parts on this one.
        }
    }
    try {
        work(0);
        if (!other.joinable())
            work(1);
    } catch (...) {
        if (other.joinable())
            other.join();
        throw;
    }
    if (other.joinable())
        other.join();
    if (failure)
        std::rethrow_exception(failure);
}

} // namespace grimtally
