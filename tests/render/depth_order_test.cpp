#include "render/depth_order.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
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

} // namespace
} // namespace fcw
