#include "render/depth_order.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

namespace fcw {
namespace {

// The reference: insert each index before the first entry whose key is not smaller.
std::vector<std::int16_t> insertionOrder(const std::vector<double>& keys) {
    std::vector<std::int16_t> order;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        auto at = std::find_if(order.begin(), order.end(), [&](std::int16_t o) {
            return keys[i] <= keys[static_cast<std::size_t>(o)];
        });
        order.insert(at, static_cast<std::int16_t>(i));
    }
    return order;
}

std::vector<std::int16_t> sorted(const std::vector<double>& keys) {
    std::vector<std::int16_t> order(keys.size() + 2, -7);
    sortByDepth(keys, static_cast<int>(keys.size()) - 1, order);
    EXPECT_EQ(order[keys.size()], -7); // nothing past n is written
    order.resize(keys.size());
    return order;
}

TEST(DepthOrder, FarthestFirstAndTiesPutTheLowerIndexInFront) {
    EXPECT_EQ(sorted({3.0, -1.0, 2.0}), (std::vector<std::int16_t>{1, 2, 0}));
    EXPECT_EQ(sorted({5.0, 5.0, 5.0}), (std::vector<std::int16_t>{2, 1, 0}));
    EXPECT_EQ(sorted({0.0, -0.0, 1.0}), (std::vector<std::int16_t>{1, 0, 2}));
    std::vector<std::int16_t> untouched = {9, 9};
    sortByDepth(std::vector<double>{1.0}, -1, untouched);
    EXPECT_EQ(untouched, (std::vector<std::int16_t>{9, 9}));
}

TEST(DepthOrder, MatchesTheInsertionSortOnManyGeneratedCases) {
    std::mt19937 rng(11);
    for (int round = 0; round < 200; ++round) {
        const std::size_t n = 1 + rng() % 300;
        std::vector<double> keys(n);
        for (double& k : keys) {
            k = static_cast<double>(static_cast<int>(rng() % 20) - 10) * 0.5; // many ties
        }
        if (round % 10 == 0) {
            keys[rng() % n] = std::nan(""); // NaN keys keep the insertion order's quirks
        }
        EXPECT_EQ(sorted(keys), insertionOrder(keys)) << "round " << round;
    }
}

// Keys from every part of the double range, both zeros, infinities and subnormals, up to a
// full store, in many sizes of store: the order never depends on how the keys are stored.
TEST(DepthOrder, MatchesTheInsertionSortAcrossTheWholeRangeOfDoubles) {
    std::mt19937_64 rng(7);
    const double specials[] = {0.0, -0.0, INFINITY, -INFINITY, 5e-324, -5e-324, 1.0, -1.0};
    for (const std::size_t n :
         {std::size_t{1}, std::size_t{2}, std::size_t{257}, std::size_t{3001}}) {
        std::vector<double> keys(n);
        for (double& k : keys) {
            const std::uint64_t r = rng();
            if (r % 4 == 0) {
                k = specials[(r >> 8) % std::size(specials)];
            } else {
                k = std::bit_cast<double>(rng());
                if (std::isnan(k)) {
                    k = static_cast<double>(r >> 40);
                }
            }
        }
        EXPECT_EQ(sorted(keys), insertionOrder(keys)) << n << " keys";
    }
}

} // namespace
} // namespace fcw
