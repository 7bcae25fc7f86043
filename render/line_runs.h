#pragma once

#include "model/pixel_geometry.h"

#include <algorithm>
#include <cstdint>

namespace fcw {

namespace line_runs_detail {
using Wide = __int128; // products of two 33-bit deltas and an index
inline constexpr std::int64_t kNarrow = std::int64_t{1} << 30; // products below 2^62 fit 64 bits
// Division rounding toward minus infinity; b > 0.
inline std::int64_t floorDiv(Wide a, Wide b) {
    const Wide q = a / b;
    return static_cast<std::int64_t>((a % b != 0 && a < 0) ? q - 1 : q);
}
} // namespace line_runs_detail

// The pixels of the canvas's one-pixel line from `from` to `to`, start included, end excluded,
// as one horizontal run per row. Pixel i along the major axis (0 <= i < major length) is offset
// on the minor axis by round(i * minor / major), halves away from the start:
//   offset(i) = floor((2 * i * minor + major) / (2 * major)).
// Every pixel is a closed-form function of its index, so a line is clipped to a band of rows
// before any pixel is produced and its cost is the rows it crosses inside that band, whatever
// its length. A filled polygon builds its row spans from the same runs, which is what makes a
// fill meet its outline exactly.
//
// visit(y, xFirst, xLast, indexOfXFirst) is called for each row y in [rowFirst, rowEnd) the
// line crosses, with xFirst <= xLast; indexOfXFirst is the position along the line of the pixel
// at xFirst (for dotted pens). Rows come in the line's own order.
template <typename Visit>
void lineRuns(PixelPoint from, PixelPoint to, std::int64_t rowFirst, std::int64_t rowEnd,
              Visit&& visit) {
    using namespace line_runs_detail;
    const std::int64_t dx = std::int64_t{to.x} - from.x;
    const std::int64_t dy = std::int64_t{to.y} - from.y;
    const std::int64_t adx = dx < 0 ? -dx : dx;
    const std::int64_t ady = dy < 0 ? -dy : dy;
    const std::int64_t sx = dx < 0 ? -1 : 1;
    const std::int64_t sy = dy < 0 ? -1 : 1;
    if (adx == 0 && ady == 0) { // the end pixel is excluded, so nothing is left
        return;
    }
    const bool xMajor = adx >= ady;
    const std::int64_t major = xMajor ? adx : ady;
    const std::int64_t minor = xMajor ? ady : adx;
    // The range of row steps k (row from.y + sy * k) the line covers, cut to the band.
    const std::int64_t lastStep =
        xMajor ? floorDiv(Wide{2} * (major - 1) * minor + major, Wide{2} * major) : major - 1;
    std::int64_t kFirst = 0;
    std::int64_t kLast = lastStep;
    if (sy > 0) {
        kFirst = std::max(kFirst, rowFirst - from.y);
        kLast = std::min(kLast, rowEnd - 1 - from.y);
    } else {
        kFirst = std::max(kFirst, from.y - (rowEnd - 1));
        kLast = std::min(kLast, from.y - rowFirst);
    }
    if (!xMajor) {
        // One pixel per row: row step j is index j. The offset is divided out once, then
        // carried along with its remainder.
        if (kFirst > kLast) {
            return;
        }
        const Wide twiceMajor = Wide{2} * major;
        const Wide numerator = Wide{2} * kFirst * minor + major;
        std::int64_t off = floorDiv(numerator, twiceMajor);
        auto rem = static_cast<std::int64_t>(numerator - Wide{off} * twiceMajor);
        const std::int64_t remLimit = 2 * major;
        const std::int64_t remStep = 2 * minor; // < remLimit: at most one carry a row
        for (std::int64_t j = kFirst; j <= kLast; ++j) {
            const std::int64_t x = from.x + sx * off;
            visit(from.y + sy * j, x, x, j);
            rem += remStep;
            if (rem >= remLimit) {
                rem -= remLimit;
                ++off;
            }
        }
        return;
    }
    // The first index whose offset reaches row step k: ceil((2k - 1) * major / (2 * minor)).
    auto firstIndex = [&](std::int64_t k) -> std::int64_t {
        if (k <= 0) {
            return 0;
        }
        if (minor == 0) {
            return major; // a horizontal line never leaves its row
        }
        if (major < kNarrow && k < kNarrow) { // the common case, without 128-bit division
            const std::int64_t num = (2 * k - 1) * major;
            const std::int64_t den = 2 * minor;
            return (num + den - 1) / den;
        }
        const Wide num = Wide{2 * k - 1} * major;
        const Wide den = Wide{2} * minor;
        return static_cast<std::int64_t>((num + den - 1) / den);
    };
    std::int64_t iStart = firstIndex(kFirst);
    for (std::int64_t k = kFirst; k <= kLast; ++k) {
        const std::int64_t iNext = std::min(firstIndex(k + 1), major);
        if (iNext > iStart) {
            const std::int64_t xA = from.x + sx * iStart;
            const std::int64_t xB = from.x + sx * (iNext - 1);
            visit(from.y + sy * k, std::min(xA, xB), std::max(xA, xB), sx > 0 ? iStart : iNext - 1);
        }
        iStart = iNext;
    }
}

} // namespace fcw
