// Work split in two halves that run on the machine's two cores.
#pragma once

#include <exception>
#include <system_error>
#include <thread>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace grimtally {

#if defined(__x86_64__) || defined(__i386__)
__attribute__((target("avx"))) inline void zeroUpperAvxHalves()
{
    _mm256_zeroupper();
}
#endif

// Code in the libraries of a GUI process may leave the upper halves of the AVX registers in
// use; until they are cleared, the SSE instructions of the parser and the sort wait on them
// at every step, which made the list's keys half again as slow in the program as alone. A
// new thread starts with the registers of the one that made it.
inline void clearUpperVectorHalves()
{
#if defined(__x86_64__) || defined(__i386__)
    static const bool avx = __builtin_cpu_supports("avx");
    if (avx)
        zeroUpperAvxHalves();
#endif
}

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
                    clearUpperVectorHalves();
                    work(1);
                } catch (...) {
                    failure = std::current_exception();
                }
            });
        } catch (const std::system_error&) {
            // No thread to be had: both parts on this one.
        }
    }
    clearUpperVectorHalves();
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
