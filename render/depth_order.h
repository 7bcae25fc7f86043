#pragma once

#include <cstdint>
#include <span>

namespace fcw {

// Fills order[0 .. n] with the indices 0 .. n in ascending order of keys[index] (farthest
// first). Among equal keys the higher index comes first, so on ties the lower index is painted
// later, in front. This is exactly the order of an insertion sort that places each index before
// the first entry whose key is not smaller; NaN keys, which compare with nothing, keep that
// order too. A negative n leaves `order` untouched.
void sortByDepth(std::span<const double> keys, int n, std::span<std::int16_t> order);

} // namespace fcw
