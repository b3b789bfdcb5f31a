#pragma once
// One loop over many records run as two halves at once: a keystroke over 100,000
// names takes half the time on a second core. Each half may write only what belongs
// to its own indices, so the result is the one a single loop gives, in any order of
// the two.
#include <cstddef>
#include <exception>
#include <system_error>
#include <thread>

namespace mr {

// Below this many items a thread costs more than it saves.
constexpr size_t kTwoHalvesFrom = 4096;

// Calls f(begin, end) over [0, count): once for small counts, else once for each half,
// the second half on a thread of its own. An exception of either half reaches the
// caller once both have ended.
template <class F>
void forTwoHalves(size_t count, F&& f) {
    if (count < kTwoHalvesFrom) {
        f(size_t{0}, count);
        return;
    }
    const size_t half = count / 2;
    std::exception_ptr failed;
    std::thread other;
    try {
        other = std::thread([&] {
            try {
                f(half, count);
            } catch (...) {
                failed = std::current_exception();
            }
        });
    } catch (const std::system_error&) {
        f(size_t{0}, count); // no thread to be had: the whole loop here
        return;
    }
    std::exception_ptr own;
    try {
        f(size_t{0}, half);
    } catch (...) {
        own = std::current_exception();
    }
    other.join();
    if (own)
        std::rethrow_exception(own);
    if (failed)
        std::rethrow_exception(failed);
}

} // namespace mr
