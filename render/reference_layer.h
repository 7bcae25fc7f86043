#pragma once

#include "model/pixel_geometry.h"
#include "model/triangle.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <span>
#include <vector>

namespace fcw {

// A reference image as one paint draws it: its pixels (0xAARRGGBB, rows top to bottom, viewed
// from the document, which outlives the frame) and where they land in the picture. Each
// picture pixel the image covers takes the image pixel under its centre, blended over what
// is there at the image's opacity (and the pixel's own alpha).
struct ReferenceLayer {
    std::span<const std::uint32_t> argb;
    std::int32_t width = 0; // image pixels
    std::int32_t height = 0;
    double left = 0.0; // picture position of the image's top-left corner
    double top = 0.0;
    double scale = 1.0; // picture pixels per image pixel
    int opacity = 50;   // percent
};

// How much of an image pixel of alpha `alpha` shows at `opacity` percent, of 256: opacity times
// alpha over 25500, rounded (a multiplication and a shift, as it runs for every pixel).
constexpr std::uint32_t referenceWeight(int opacity, std::uint32_t alpha) {
    return (static_cast<std::uint32_t>(opacity) * alpha * 10527u + (1u << 19)) >> 20;
}

// `over` laid on `under` with `weight` of 256, channel by channel; both with their three colour
// bytes in the same order in the low 24 bits. The top byte of the result is 0.
constexpr std::uint32_t mixColours(std::uint32_t under, std::uint32_t over, std::uint32_t weight) {
    const std::uint32_t keep = 256 - weight;
    const std::uint32_t outer =
        ((under & 0xFF00FFu) * keep + (over & 0xFF00FFu) * weight + 0x800080u) >> 8;
    const std::uint32_t middle =
        ((under & 0x00FF00u) * keep + (over & 0x00FF00u) * weight + 0x008000u) >> 8;
    return (outer & 0xFF00FFu) | (middle & 0x00FF00u);
}

// `under` (0x00BBGGRR) with the image pixel `argb` laid over it at `opacity` percent.
constexpr Colour blendReference(Colour under, std::uint32_t argb, int opacity) {
    const std::uint32_t bgr = ((argb >> 16) & 0xFFu) | (argb & 0xFF00u) | ((argb & 0xFFu) << 16);
    return mixColours(under, bgr, referenceWeight(opacity, argb >> 24));
}

// The image pixel under each picture column (or row) from `first` to `end`: -1 where the
// image does not reach.
inline std::vector<std::int32_t> referenceSamples(double origin, double scale, std::int32_t size,
                                                  std::int32_t first, std::int32_t end) {
    std::vector<std::int32_t> out(static_cast<std::size_t>(std::max(end - first, 0)), -1);
    for (std::int32_t p = first; p < end; ++p) {
        const double at = std::floor((p + 0.5 - origin) / scale);
        if (at >= 0 && at < size) {
            out[static_cast<std::size_t>(p - first)] = static_cast<std::int32_t>(at);
        }
    }
    return out;
}

// Calls put(x, y, argb) for every picture pixel of `clip` the image covers, with the image
// pixel under its centre. Only the covered rectangle is visited, one division per column and
// row: the image is neither copied nor scaled as a whole.
template <typename Put>
void forEachReferencePixel(const ReferenceLayer& l, const Rect& clip, Put put) {
    if (l.width <= 0 || l.height <= 0 || !(l.scale > 0) || l.opacity <= 0 ||
        !std::isfinite(l.left) || !std::isfinite(l.top) || !std::isfinite(l.scale) ||
        l.argb.size() < static_cast<std::size_t>(l.width) * static_cast<std::size_t>(l.height)) {
        return;
    }
    // The covered rectangle, worked out in doubles so that far-off images cannot overflow.
    auto within = [](double v, std::int32_t lo, std::int32_t hi) {
        return static_cast<std::int32_t>(
            std::clamp(v, static_cast<double>(lo), static_cast<double>(hi)));
    };
    const std::int32_t x0 = within(std::floor(l.left), clip.left, clip.right);
    const std::int32_t x1 = within(std::ceil(l.left + l.width * l.scale), clip.left, clip.right);
    const std::int32_t y0 = within(std::floor(l.top), clip.top, clip.bottom);
    const std::int32_t y1 = within(std::ceil(l.top + l.height * l.scale), clip.top, clip.bottom);
    if (x0 >= x1 || y0 >= y1) {
        return;
    }
    const std::vector<std::int32_t> columns = referenceSamples(l.left, l.scale, l.width, x0, x1);
    const std::vector<std::int32_t> rows = referenceSamples(l.top, l.scale, l.height, y0, y1);
    for (std::int32_t y = y0; y < y1; ++y) {
        const std::int32_t v = rows[static_cast<std::size_t>(y - y0)];
        if (v < 0) {
            continue;
        }
        const std::uint32_t* row = l.argb.data() + static_cast<std::size_t>(v) * l.width;
        for (std::int32_t x = x0; x < x1; ++x) {
            const std::int32_t u = columns[static_cast<std::size_t>(x - x0)];
            if (u >= 0) {
                put(x, y, row[u]);
            }
        }
    }
}

} // namespace fcw
