#pragma once

#include <algorithm>
#include <cstdint>

namespace fcw {

// How many rows of `bytesPerRow` bytes a band holds when the painter and the depth buffer draw
// a picture a band at a time: most of a 1 MiB second-level cache, and never fewer than 16
// rows, so a band stays in the cache from its clearing to its last triangle.
inline std::int32_t cacheBandRows(std::int64_t bytesPerRow) {
    constexpr std::int64_t kBandBytes = 768 * 1024;
    return static_cast<std::int32_t>(
        std::max<std::int64_t>(16, kBandBytes / std::max<std::int64_t>(bytesPerRow, 1)));
}

} // namespace fcw
