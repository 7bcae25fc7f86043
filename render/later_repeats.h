#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace fcw {

// Which of `items` an equal item later in the list repeats: 1 for each such earlier one, 0 for
// the last of its kind. A drawing that an identical later drawing covers pixel for pixel can be
// left out without changing the picture. `hash` gives a 64-bit hash of an item, `equal`
// compares two.
template <typename Item, typename Hash, typename Equal>
std::vector<char> repeatedLater(std::span<const Item> items, Hash hash, Equal equal) {
    const std::size_t n = items.size();
    std::size_t size = 16;
    while (size < 2 * n) {
        size *= 2;
    }
    // Open addressing over the items seen so far, from the last one back.
    std::vector<std::int32_t> table(size, -1);
    std::vector<char> repeated(n, 0);
    for (std::size_t i = n; i-- > 0;) {
        std::size_t slot = static_cast<std::size_t>(hash(items[i])) & (size - 1);
        while (table[slot] >= 0 && !equal(items[static_cast<std::size_t>(table[slot])], items[i])) {
            slot = (slot + 1) & (size - 1);
        }
        if (table[slot] >= 0) {
            repeated[i] = 1;
        } else {
            table[slot] = static_cast<std::int32_t>(i);
        }
    }
    return repeated;
}

// Mixes 32-bit values into a hash, for repeatedLater.
struct HashMix {
    std::uint64_t h = 0x9E3779B97F4A7C15u;
    void add(std::int32_t v) { h = (h ^ static_cast<std::uint32_t>(v)) * 0x100000001B3u; }
    std::uint64_t value() const { return h ^ (h >> 29); }
};

} // namespace fcw
