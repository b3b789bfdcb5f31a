#pragma once
// One loop over many records run as two halves at once: a keystroke over 100,000
// names takes half the time on a second core. Each half may write only what belongs
// to its own indices, so the result is the one a single loop gives, in any order of
// the two.
#include <condition_variable>
#include <cstddef>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>

namespace mr {

// Below this many items a thread costs more than it saves.
constexpr size_t kTwoHalvesFrom = 4096;

// Where the second half begins; count when there is none.
constexpr size_t secondHalfFrom(size_t count) {
    return count < kTwoHalvesFrom ? count : count / 2;
}

// A second thread kept waiting for halves, for an owner that runs loop after loop (a
// dialog, keystroke after keystroke). Under Wine a new thread costs milliseconds, as
// every loaded module is told of it; a half handed to a waiting thread about 0.05 ms.
// Started at its first half, ended with its owner. One caller at a time.
class HalvesThread {
public:
    HalvesThread() = default;
    HalvesThread(const HalvesThread&) = delete;
    HalvesThread& operator=(const HalvesThread&) = delete;
    ~HalvesThread() {
        if (!thread_.joinable())
            return;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            stop_ = true;
        }
        wake_.notify_one();
        thread_.join();
    }

    // Runs f(begin, end) there; false when no thread could be had (nothing ran).
    template <class F>
    bool start(F& f, size_t begin, size_t end) {
        if (!thread_.joinable()) {
            try {
                thread_ = std::thread([this] { serve(); });
            } catch (const std::system_error&) {
                return false;
            }
        }
        {
            std::lock_guard<std::mutex> lock(mutex_);
            call_ = [](void* f, size_t b, size_t e) { (*static_cast<F*>(f))(b, e); };
            f_ = const_cast<void*>(static_cast<const void*>(&f));
            begin_ = begin;
            end_ = end;
            busy_ = true;
            failed_ = nullptr;
        }
        wake_.notify_one();
        return true;
    }

    // Waits for the half started last; its exception, if any.
    std::exception_ptr finish() {
        std::unique_lock<std::mutex> lock(mutex_);
        done_.wait(lock, [this] { return !busy_; });
        return failed_;
    }

private:
    void serve() {
        std::unique_lock<std::mutex> lock(mutex_);
        for (;;) {
            wake_.wait(lock, [this] { return busy_ || stop_; });
            if (stop_)
                return;
            lock.unlock();
            std::exception_ptr failed;
            try {
                call_(f_, begin_, end_);
            } catch (...) {
                failed = std::current_exception();
            }
            lock.lock();
            failed_ = failed;
            busy_ = false;
            done_.notify_one();
        }
    }

    std::mutex mutex_;
    std::condition_variable wake_, done_;
    void (*call_)(void*, size_t, size_t) = nullptr;
    void* f_ = nullptr;
    size_t begin_ = 0, end_ = 0;
    bool busy_ = false, stop_ = false;
    std::exception_ptr failed_;
    std::thread thread_;
};

// Calls f(begin, end) over [0, count): once for small counts, else once for each half,
// the second half on another thread: `kept`'s when given, else one of its own. An
// exception of either half reaches the caller once both have ended.
template <class F>
void forTwoHalves(size_t count, F&& f, HalvesThread* kept = nullptr) {
    const size_t half = secondHalfFrom(count);
    if (half == count) {
        f(size_t{0}, count);
        return;
    }
    std::exception_ptr failed;
    std::thread other;
    if (kept) {
        if (!kept->start(f, half, count)) {
            f(size_t{0}, count);
            return;
        }
    } else {
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
    }
    std::exception_ptr own;
    try {
        f(size_t{0}, half);
    } catch (...) {
        own = std::current_exception();
    }
    if (kept)
        failed = kept->finish();
    else
        other.join();
    if (own)
        std::rethrow_exception(own);
    if (failed)
        std::rethrow_exception(failed);
}

} // namespace mr
