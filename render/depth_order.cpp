#include "render/depth_order.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <vector>

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

// The key's bits turned so that unsigned order is the keys' order: negative keys have all
// their bits flipped, the others only the sign. -0 is 0 first, since the two compare equal.
std::uint64_t orderedBits(double key) {
    const std::uint64_t bits = std::bit_cast<std::uint64_t>(key == 0.0 ? 0.0 : key);
    return (bits >> 63) != 0 ? ~bits : bits | (std::uint64_t{1} << 63);
}

// A stable least-significant-digit radix sort, a byte at a time, of the indices n .. 0 (in
// that order, so equal keys keep the higher index first). Every byte's counts come from one
// pass; a byte all keys share is skipped. Cheaper than a comparison sort by an order of
// magnitude at 3000 keys, which the frame step sorts on every paint.
void radixSort(std::span<const double> keys, std::span<std::int16_t> out) {
    const std::size_t count = keys.size();
    std::vector<std::uint64_t> bits(count);
    std::vector<std::uint64_t> bitsNext(count);
    std::vector<std::int16_t> index(count);
    std::vector<std::int16_t> indexNext(count);
    std::array<std::array<std::uint32_t, 256>, 8> counts{};
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t from = count - 1 - i;
        bits[i] = orderedBits(keys[from]);
        index[i] = static_cast<std::int16_t>(from);
        for (std::size_t d = 0; d < 8; ++d) {
            ++counts[d][(bits[i] >> (8 * d)) & 0xFF];
        }
    }
    for (std::size_t d = 0; d < 8; ++d) {
        std::array<std::uint32_t, 256>& c = counts[d];
        if (c[(bits[0] >> (8 * d)) & 0xFF] == count) {
            continue; // every key has this byte
        }
        std::uint32_t start = 0;
        for (std::uint32_t& bucket : c) {
            const std::uint32_t n = bucket;
            bucket = start;
            start += n;
        }
        for (std::size_t i = 0; i < count; ++i) {
            const std::uint32_t at = c[(bits[i] >> (8 * d)) & 0xFF]++;
            bitsNext[at] = bits[i];
            indexNext[at] = index[i];
        }
        bits.swap(bitsNext);
        index.swap(indexNext);
    }
    std::copy(index.begin(), index.end(), out.begin());
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
    radixSort(live, order.first(count));
}

} // namespace fcw
