#pragma once

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

namespace fcw {

// Double to 32-bit integer, rounding toward zero (-0.7 -> 0, -1.2 -> -1). Values outside the
// 32-bit range and NaN give INT32_MIN, as the processor's truncating conversion does, instead
// of undefined behaviour; pixel code relies on always getting some integer back.
constexpr std::int32_t truncToInt32(double d) {
    if (!(d > -2147483649.0 && d < 2147483648.0)) {
        return std::numeric_limits<std::int32_t>::min();
    }
    return static_cast<std::int32_t>(d);
}

// A sum or difference of pixel positions taken in 64 bits, clamped to the 32-bit range: a
// coordinate far off the screen (INT32_MIN from truncToInt32) stays far off instead of
// overflowing.
constexpr std::int32_t saturateToInt32(std::int64_t v) {
    constexpr std::int64_t low = std::numeric_limits<std::int32_t>::min();
    constexpr std::int64_t high = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(v < low ? low : (v > high ? high : v));
}

// The largest coordinate magnitude a model may hold. The view rotation squares coordinates and
// adds the squares, and the scaling dialogs multiply them; below this bound all of that stays
// finite, so an edit can never turn a stored coordinate into an infinity or NaN. Files with a
// coordinate beyond it (or a non-finite one) are refused as damaged.
inline constexpr double kCoordinateLimit = 1.0e100;

// True for a coordinate a model may store: a finite number within kCoordinateLimit. The
// magnitude's bit pattern orders like the magnitude, and infinities and NaNs lie above every
// finite one, so one integer comparison decides (and loops over many coordinates vectorise).
constexpr bool isStorableCoordinate(double c) {
    constexpr std::uint64_t kMagnitudeBits = 0x7FFF'FFFF'FFFF'FFFFull;
    return (std::bit_cast<std::uint64_t>(c) & kMagnitudeBits) <=
           std::bit_cast<std::uint64_t>(kCoordinateLimit);
}

} // namespace fcw
