#include "render/depth_order.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace fcw {

namespace {

// The literal insertion sort; only used when a key is NaN, where a comparison sort has no
// consistent order to follow.
void insertionSort(std::span<const double> keys, int n, std::span<std::int16_t> order) {
    order[0] = 0;
    for (int i = 1; i <= n; ++i) {
        int j = 0;
        while (j < i && !(keys[static_cast<std::size_t>(i)] <=
                          keys[static_cast<std::size_t>(order[static_cast<std::size_t>(j)])])) {
            ++j;
        }
        for (int m = i; m > j; --m) {
            order[static_cast<std::size_t>(m)] = order[static_cast<std::size_t>(m - 1)];
        }
        order[static_cast<std::size_t>(j)] = static_cast<std::int16_t>(i);
    }
}

} // namespace

void sortByDepth(std::span<const double> keys, int n, std::span<std::int16_t> order) {
    if (n < 0) {
        return;
    }
    const auto count = static_cast<std::size_t>(n) + 1;
    const auto live = keys.first(count);
    if (std::any_of(live.begin(), live.end(), [](double k) { return std::isnan(k); })) {
        insertionSort(keys, n, order);
        return;
    }
    auto out = order.first(count);
    std::iota(out.begin(), out.end(), std::int16_t{0});
    std::sort(out.begin(), out.end(), [&](std::int16_t a, std::int16_t b) {
        const double ka = keys[static_cast<std::size_t>(a)];
        const double kb = keys[static_cast<std::size_t>(b)];
        return ka < kb || (ka == kb && a > b);
    });
}

} // namespace fcw
