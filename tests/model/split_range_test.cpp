#include "model/split_range.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <vector>

namespace fcw {
namespace {

// Every item is worked exactly once whether the range is split or not.
TEST(SplitRange, EveryItemOnceOnOneThreadOrTwo) {
    for (const int count : {0, 1, 5, 1023, 1024, 3001}) {
        std::vector<std::atomic<int>> seen(static_cast<std::size_t>(count));
        splitRange(count, kTriangleSplitThreshold, [&](int first, int last) {
            for (int i = first; i <= last; ++i) {
                ++seen[static_cast<std::size_t>(i)];
            }
        });
        for (int i = 0; i < count; ++i) {
            ASSERT_EQ(seen[static_cast<std::size_t>(i)], 1) << count << ": " << i;
        }
    }
}

// Work shared out from one counter is all done by the two workers together (or by this thread
// alone when not concurrent), and a failure on the helper reaches the caller after the join.
TEST(SplitRange, SharedWorkIsDoneOnceAndTheHelpersFailureIsPassedOn) {
    for (const bool concurrent : {false, true}) {
        std::atomic<int> next{0};
        std::vector<std::atomic<int>> seen(500);
        std::atomic<bool> helperRan{false};
        shareWithHelper(concurrent, [&](int worker) {
            helperRan = helperRan || worker == 1;
            for (int i = next++; i < 500; i = next++) {
                ++seen[static_cast<std::size_t>(i)];
            }
        });
        for (const auto& n : seen) {
            ASSERT_EQ(n, 1);
        }
        if (!concurrent) {
            EXPECT_FALSE(helperRan);
        }
    }
    std::atomic<bool> callerFinished{false};
    EXPECT_THROW(shareWithHelper(true,
                                 [&](int worker) {
                                     if (worker == 1) {
                                         throw std::runtime_error("helper failed");
                                     }
                                     callerFinished = true;
                                 }),
                 std::runtime_error);
    EXPECT_TRUE(callerFinished);
}

} // namespace
} // namespace fcw
