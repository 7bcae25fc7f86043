#include "render/line_runs.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <set>
#include <utility>

namespace fcw {
namespace {

using Pixel = std::pair<std::int64_t, std::int64_t>;

// The line pixel by pixel, straight from the rule: pixel i of the major axis is offset by
// round(i * minor / major) on the minor axis, halves away from the start.
std::set<Pixel> byIndex(PixelPoint a, PixelPoint b) {
    std::set<Pixel> out;
    const std::int64_t dx = std::int64_t{b.x} - a.x;
    const std::int64_t dy = std::int64_t{b.y} - a.y;
    const std::int64_t adx = std::abs(dx);
    const std::int64_t ady = std::abs(dy);
    const std::int64_t major = std::max(adx, ady);
    for (std::int64_t i = 0; i < major; ++i) {
        const std::int64_t minorLen = adx >= ady ? ady : adx;
        const std::int64_t off = (2 * i * minorLen + major) / (2 * major);
        const std::int64_t along = adx >= ady ? a.x + (dx < 0 ? -i : i) : a.y + (dy < 0 ? -i : i);
        const std::int64_t across =
            adx >= ady ? a.y + (dy < 0 ? -off : off) : a.x + (dx < 0 ? -off : off);
        out.insert(adx >= ady ? Pixel{along, across} : Pixel{across, along});
    }
    return out;
}

std::set<Pixel> byRuns(PixelPoint a, PixelPoint b, std::int64_t rowFirst, std::int64_t rowEnd) {
    std::set<Pixel> out;
    lineRuns(a, b, rowFirst, rowEnd,
             [&](std::int64_t y, std::int64_t x0, std::int64_t x1, std::int64_t) {
                 EXPECT_LE(x0, x1);
                 for (std::int64_t x = x0; x <= x1; ++x) {
                     EXPECT_TRUE(out.insert({x, y}).second) << "pixel visited twice";
                 }
             });
    return out;
}

TEST(LineRuns, RunsAreThePixelsOfTheRuleCutToTheBand) {
    std::mt19937 rng(18);
    std::uniform_int_distribution<int> coord(-30, 30);
    for (int n = 0; n < 3000; ++n) {
        const PixelPoint a{coord(rng), coord(rng)};
        const PixelPoint b{coord(rng), coord(rng)};
        const std::int64_t top = coord(rng);
        const std::int64_t bottom = top + coord(rng) + 30;
        std::set<Pixel> expected;
        for (const Pixel& p : byIndex(a, b)) {
            if (p.second >= top && p.second < bottom) {
                expected.insert(p);
            }
        }
        ASSERT_EQ(byRuns(a, b, top, bottom), expected) << a.x << "," << a.y << " -> " << b.x << ","
                                                       << b.y << " rows " << top << ".." << bottom;
    }
}

TEST(LineRuns, StartIncludedEndExcludedAndExtremeLinesCostOnlyTheirBand) {
    EXPECT_EQ(byRuns({2, 3}, {6, 3}, -100, 100), (std::set<Pixel>{{2, 3}, {3, 3}, {4, 3}, {5, 3}}));
    EXPECT_TRUE(byRuns({4, 4}, {4, 4}, -100, 100).empty());
    // Indices along a backward line count from its start.
    std::vector<std::int64_t> firstIndex;
    lineRuns({10, 0}, {0, 2}, 0, 10, [&](std::int64_t, std::int64_t, std::int64_t, std::int64_t i) {
        firstIndex.push_back(i);
    });
    // Rows 0 (i 0..2), 1 (i 3..7), 2 (i 8, 9); the leftmost pixel is the last of each run.
    EXPECT_EQ(firstIndex, (std::vector<std::int64_t>{2, 7, 9}));
    // A line across the whole 32-bit range visits only the rows asked for.
    int rows = 0;
    lineRuns({INT32_MIN, INT32_MIN}, {INT32_MAX, INT32_MAX}, 0, 8,
             [&](std::int64_t y, std::int64_t x0, std::int64_t x1, std::int64_t) {
                 EXPECT_EQ(x0, y);
                 EXPECT_EQ(x1, y);
                 ++rows;
             });
    EXPECT_EQ(rows, 8);
}

// Long flat lines anywhere in the 32-bit range, cut to a band of rows somewhere along them:
// each run holds exactly the indices whose offset from the rule is that run's row, checked at
// both ends of every run against the rule itself (128-bit, one pixel at a time).
TEST(LineRuns, LongLinesKeepTheRuleAcrossEveryRowOfTheirBand) {
    std::mt19937_64 rng(5);
    for (int n = 0; n < 300; ++n) {
        auto coordinate = [&] { return static_cast<std::int32_t>(rng() >> 32); };
        const PixelPoint a{coordinate(), coordinate() / (n % 2 == 0 ? 1 : 4096)};
        const PixelPoint b{coordinate(), coordinate() / (n % 2 == 0 ? 1 : 4096)};
        const std::int64_t dx = std::int64_t{b.x} - a.x;
        const std::int64_t dy = std::int64_t{b.y} - a.y;
        const std::int64_t major = std::abs(dx);
        const std::int64_t minor = std::abs(dy);
        if (major < minor || minor == 0) {
            continue;
        }
        // The row of index i, from the rule.
        auto rowOf = [&](std::int64_t i) {
            const __int128 off = (__int128{2} * i * minor + major) / (__int128{2} * major);
            return a.y +
                   (dy < 0 ? -static_cast<std::int64_t>(off) : static_cast<std::int64_t>(off));
        };
        const std::int64_t middle = a.y + dy / 2;
        int rows = 0;
        lineRuns(a, b, middle - 20, middle + 20,
                 [&](std::int64_t y, std::int64_t x0, std::int64_t x1, std::int64_t) {
                     const std::int64_t i0 = dx < 0 ? a.x - x1 : x0 - a.x;
                     const std::int64_t i1 = dx < 0 ? a.x - x0 : x1 - a.x;
                     ASSERT_EQ(rowOf(i0), y) << n;
                     ASSERT_EQ(rowOf(i1), y) << n;
                     ASSERT_TRUE(i0 == 0 || rowOf(i0 - 1) != y) << n;
                     ASSERT_TRUE(i1 == major - 1 || rowOf(i1 + 1) != y) << n;
                     ++rows;
                 });
        EXPECT_EQ(rows, 40) << n;
    }
}

} // namespace
} // namespace fcw
