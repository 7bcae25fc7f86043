#pragma once

#include "model/pixel_geometry.h"

#include <algorithm>
#include <cstdint>

namespace fcw {

namespace line_runs_detail {
using Wide = __int128; // products of two 33-bit deltas and an index
// Division rounding toward minus infinity, b > 0, with the remainder (0 <= remainder < b). In
// 64 bits whenever the operands fit them: the common case, and much cheaper than 128.
inline std::int64_t floorDiv(Wide a, std::int64_t b, std::int64_t& remainder) {
    if (a >= Wide{INT64_MIN} && a <= Wide{INT64_MAX}) {
        const auto narrow = static_cast<std::int64_t>(a);
        std::int64_t q = narrow / b;
        std::int64_t r = narrow % b;
        if (r < 0) {
            --q;
            r += b;
        }
        remainder = r;
        return q;
    }
    Wide q = a / b;
    Wide r = a % b;
    if (r < 0) {
        --q;
        r += b;
    }
    remainder = static_cast<std::int64_t>(r);
    return static_cast<std::int64_t>(q);
}
inline std::int64_t floorDiv(Wide a, std::int64_t b) {
    std::int64_t unused = 0;
    return floorDiv(a, b, unused);
}

// A line from (x, y), stepping sx and sy (+-1) along each axis, `major` pixels long on its
// major axis and moving `minor` on the other.
struct Line {
    std::int64_t x = 0;
    std::int64_t y = 0;
    std::int64_t sx = 1;
    std::int64_t sy = 1;
    std::int64_t major = 0;
    std::int64_t minor = 0;
};

// One pixel per row: row step j is index j. The offset is divided out once, then carried
// along with its remainder.
template <typename Visit>
void steepRuns(const Line& l, std::int64_t kFirst, std::int64_t kLast, Visit& visit) {
    const std::int64_t remLimit = 2 * l.major;
    std::int64_t rem = 0;
    std::int64_t off = floorDiv(Wide{2} * kFirst * l.minor + l.major, remLimit, rem);
    const std::int64_t remStep = 2 * l.minor; // < remLimit: at most one carry a row
    for (std::int64_t j = kFirst; j <= kLast; ++j) {
        const std::int64_t x = l.x + l.sx * off;
        visit(l.y + l.sy * j, x, x, j);
        rem += remStep;
        if (rem >= remLimit) {
            rem -= remLimit;
            ++off;
        }
    }
}

// Row step k runs from the first index whose offset reaches k,
//   F(k) = ceil((2k - 1) * major / (2 * minor))  (0 for k <= 0),
// to F(k + 1) - 1. F is divided out once for the band's first row, then carried from row to
// row with its remainder: each row adds 2 * major to the numerator.
template <typename Visit>
void flatRuns(const Line& l, std::int64_t kFirst, std::int64_t kLast, Visit& visit) {
    if (l.minor == 0) { // a horizontal line never leaves its row
        const std::int64_t xEnd = l.x + l.sx * (l.major - 1);
        visit(l.y, std::min(l.x, xEnd), std::max(l.x, xEnd), l.sx > 0 ? 0 : l.major - 1);
        return;
    }
    const std::int64_t den = 2 * l.minor;
    // ceil(a / den) as floor((a + den - 1) / den), with the remainder of the latter.
    auto ceilingOfRow = [&](std::int64_t k, std::int64_t& remainder) {
        return floorDiv(Wide{2 * k - 1} * l.major + (den - 1), den, remainder);
    };
    std::int64_t rem = 0;
    std::int64_t iStart = kFirst <= 0 ? 0 : ceilingOfRow(kFirst, rem);
    std::int64_t next = ceilingOfRow(kFirst + 1, rem); // F(k + 1) for the current row k
    const std::int64_t stepQuotient = (2 * l.major) / den;
    const std::int64_t stepRemainder = (2 * l.major) % den;
    for (std::int64_t k = kFirst; k <= kLast; ++k) {
        const std::int64_t iNext = std::min(next, l.major);
        if (iNext > iStart) {
            const std::int64_t xA = l.x + l.sx * iStart;
            const std::int64_t xB = l.x + l.sx * (iNext - 1);
            visit(l.y + l.sy * k, std::min(xA, xB), std::max(xA, xB),
                  l.sx > 0 ? iStart : iNext - 1);
        }
        iStart = iNext;
        next += stepQuotient;
        rem += stepRemainder;
        if (rem >= den) {
            rem -= den;
            ++next;
        }
    }
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
    Line l;
    const std::int64_t dx = std::int64_t{to.x} - from.x;
    const std::int64_t dy = std::int64_t{to.y} - from.y;
    const std::int64_t adx = dx < 0 ? -dx : dx;
    const std::int64_t ady = dy < 0 ? -dy : dy;
    if (adx == 0 && ady == 0) { // the end pixel is excluded, so nothing is left
        return;
    }
    l.x = from.x;
    l.y = from.y;
    l.sx = dx < 0 ? -1 : 1;
    l.sy = dy < 0 ? -1 : 1;
    const bool xMajor = adx >= ady;
    l.major = xMajor ? adx : ady;
    l.minor = xMajor ? ady : adx;
    // The range of row steps k (row from.y + sy * k) the line covers, cut to the band. A flat
    // line's last pixel, index major - 1, is offset by
    //   floor(((2 * (major - 1) * minor + major) / (2 * major))
    //     = floor(minor + (major - 2 * minor) / (2 * major)),
    // where the fraction lies in [-1/2, 1/2): minor, less one when major < 2 * minor.
    const std::int64_t lastStep = xMajor ? l.minor - (l.major < 2 * l.minor ? 1 : 0) : l.major - 1;
    std::int64_t kFirst = 0;
    std::int64_t kLast = lastStep;
    if (l.sy > 0) {
        kFirst = std::max(kFirst, rowFirst - from.y);
        kLast = std::min(kLast, rowEnd - 1 - from.y);
    } else {
        kFirst = std::max(kFirst, from.y - (rowEnd - 1));
        kLast = std::min(kLast, from.y - rowFirst);
    }
    if (kFirst > kLast) {
        return;
    }
    if (xMajor) {
        flatRuns(l, kFirst, kLast, visit);
    } else {
        steepRuns(l, kFirst, kLast, visit);
    }
}

} // namespace fcw
