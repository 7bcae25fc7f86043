#pragma once

#include "model/numeric.h"

#include <algorithm>
#include <cstdint>

namespace fcw {

// The pixel offset (0 .. step) of the first grid line at or after the window edge, for a grid
// of `spacing` model units whose origin is at window position `centre`. Computed in hundredths
// of a pixel with integer division toward zero. The caller ensures spacing * zoom >= 4.
inline std::int64_t gridLineOffset(double centre, int spacing, double zoom) {
    const std::int64_t step = truncToInt32(spacing * 100 * zoom);
    const std::int64_t c = truncToInt32(centre * 100);
    const std::int64_t rem = c % step < 0 ? -(c % step) : c % step;
    return (centre >= 0 ? rem : step - rem) / 100;
}

// The grey level of a grid's lines: denser grids are paler.
inline std::uint32_t gridGrey(int spacing, double zoom) {
    return static_cast<std::uint32_t>(std::clamp(258 - truncToInt32(3 * spacing * zoom), 0, 255));
}

} // namespace fcw
