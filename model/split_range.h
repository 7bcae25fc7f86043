#pragma once

#include <exception>
#include <system_error>
#include <thread>

namespace fcw {

// Below this many triangles, per-triangle trigonometry costs less than starting a thread.
inline constexpr int kTriangleSplitThreshold = 1024;

// Calls work(first, last) over the inclusive range [0, count - 1]: in one call on this thread
// when the range is short, otherwise split in two halves, one of them on a helper thread. For
// work whose items are independent of each other, so the result is the same either way; the
// threshold keeps short ranges from paying for a thread.
template <typename Work> void splitRange(int count, int threshold, Work&& work) {
    if (count <= 0) {
        return;
    }
    if (count < threshold) {
        work(0, count - 1);
        return;
    }
    const int half = count / 2;
    std::thread helper([&] { work(half, count - 1); });
    work(0, half - 1);
    helper.join();
}

// Calls work(0) on this thread and, when `concurrent`, work(1) on a helper at the same time, for
// work that shares itself out (each call takes items from one counter until none are left).
// Returns once both are done. An exception of the helper's is passed on as this thread's own
// would be; when no thread can be had, work(0) alone does everything.
template <typename Work> void shareWithHelper(bool concurrent, Work&& work) {
    std::exception_ptr failure;
    std::jthread helper;
    if (concurrent) {
        try {
            helper = std::jthread([&] {
                try {
                    work(1);
                } catch (...) {
                    failure = std::current_exception();
                }
            });
        } catch (const std::system_error&) {
            // No thread to be had.
        }
    }
    work(0);
    if (helper.joinable()) {
        helper.join();
    }
    if (failure) {
        std::rethrow_exception(failure);
    }
}

} // namespace fcw
