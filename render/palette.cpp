#include "render/palette.h"

#include "render/canvas.h"

#include <algorithm>

namespace fcw {

namespace {

constexpr Rect kAnchors[5] = {
    {140, 120, 162, 137}, {140, 335, 162, 352}, {300, 245, 322, 262},
    {300, 360, 322, 377}, {300, 415, 322, 432},
};

constexpr Colour kBackground = 0x00D0D0D2;

std::vector<Swatch> buildSwatches() {
    std::vector<Swatch> out;
    out.reserve(125);
    for (int s = 0; s < 5; ++s) {
        for (int b = s; b <= 4; ++b) {
            for (int g = s; g <= 4; ++g) {
                for (int r = s; r <= 4; ++r) {
                    if (r > s && g > s && b > s) {
                        break; // inside the shell, not on its viewer-facing faces
                    }
                    const int dx = 15 * (g + b - 2 * r);
                    const int dy = 25 * (b - g);
                    const Rect& a = kAnchors[s];
                    auto level = [](int i) { return static_cast<Colour>(std::min(64 * i, 255)); };
                    out.push_back({s,
                                   {a.left + dx, a.top + dy, a.right + dx, a.bottom + dy},
                                   level(r) | (level(g) << 8) | (level(b) << 16)});
                }
            }
        }
    }
    return out;
}

} // namespace

const std::vector<Swatch>& paletteSwatches() {
    static const std::vector<Swatch> swatches = buildSwatches(); // immutable table
    return swatches;
}

std::optional<Colour> paletteColourAt(PixelPoint click) {
    for (const Swatch& s : paletteSwatches()) {
        if (s.rect.contains(click.x, click.y)) {
            return s.colour;
        }
    }
    return std::nullopt;
}

void drawPalette(Canvas& canvas, PixelPoint hover) {
    canvas.setPen({Pen::Style::Solid, 1, 0});
    canvas.setBrush({Brush::Style::Solid, kBackground});
    canvas.rectangle({0, 0, 500, 500});
    for (const Swatch& s : paletteSwatches()) {
        Rect r = s.rect;
        if (r.contains(hover.x, hover.y)) {
            r = {r.left - 5, r.top - 5, r.right + 5, r.bottom + 5};
        }
        canvas.setBrush({Brush::Style::Solid, s.colour});
        canvas.rectangle(r);
    }
}

} // namespace fcw
