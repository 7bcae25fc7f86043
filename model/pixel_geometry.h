#pragma once

#include <algorithm>
#include <cstdint>

namespace fcw {

// A window rectangle in pixels. The right and bottom edges are exclusive.
struct Rect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    std::int32_t width() const { return right - left; }
    std::int32_t height() const { return bottom - top; }
    // left <= x < right and top <= y < bottom.
    bool contains(std::int32_t x, std::int32_t y) const {
        return left <= x && x < right && top <= y && y < bottom;
    }
    friend bool operator==(const Rect&, const Rect&) = default;
};

struct PixelPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

// The rectangle with its corners sorted: left <= right, top <= bottom.
constexpr Rect normalised(const Rect& r) {
    return {std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
            std::max(r.top, r.bottom)};
}

// The rectangle spanned by two corners given in any order.
constexpr Rect normalised(PixelPoint a, PixelPoint b) {
    return normalised(Rect{a.x, a.y, b.x, b.y});
}

// The centre pixel of a rectangle: ((left + right) / 2, (top + bottom) / 2), halves rounded
// toward zero. The sums are taken in 64 bits, so a rectangle far off the screen has a centre
// too, and the corners may come in either order.
constexpr PixelPoint centre(const Rect& r) {
    return {static_cast<std::int32_t>((std::int64_t{r.left} + r.right) / 2),
            static_cast<std::int32_t>((std::int64_t{r.top} + r.bottom) / 2)};
}

// Moves the rectangle by (dx, dy).
constexpr void offset(Rect& r, std::int32_t dx, std::int32_t dy) {
    r.left += dx;
    r.right += dx;
    r.top += dy;
    r.bottom += dy;
}

} // namespace fcw
