#pragma once

#include "model/triangle.h"
#include "render/camera.h"

#include <optional>
#include <vector>

namespace fcw {

class Canvas;

// One colour of the palette: the 5 x 5 x 5 RGB cube (levels 0, 64, 128, 192, 255) shown as
// five nested shells, each the three viewer-facing faces of the sub-cube [s, 4]^3.
struct Swatch {
    int shell = 0;
    Rect rect{}; // dialog pixels
    Colour colour = 0;
};

// All 125 swatches in drawing order (shell 0 first; within a shell blue, then green, then red).
const std::vector<Swatch>& paletteSwatches();

// The swatch a click at dialog pixel (x, y) hits, in drawing order, or nothing.
std::optional<Colour> paletteColourAt(PixelPoint click);

// Draws the palette: the background, then every swatch, the one under `hover` enlarged by 5
// pixels on every side.
void drawPalette(Canvas& canvas, PixelPoint hover);

} // namespace fcw
