#pragma once

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

} // namespace fcw
