#pragma once

#include "app/host.h"
#include "model/triangle.h"
#include "render/camera.h"

#include <optional>
#include <vector>

namespace fcw {

class Canvas;
class Editor;

inline constexpr int kPaletteDialog = 141;

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

// The palette as a modal dialog: a click on a swatch chooses its colour and closes it.
class PaletteDialog : public Dialog {
public:
    PaletteDialog() : Dialog(kPaletteDialog) {}
    bool clickAt(int x, int y) override;
    std::optional<Colour> chosen() const { return chosen_; }

private:
    std::optional<Colour> chosen_;
};

// Runs the palette; on a pick sets currentColour and returns true. Esc or the close box leave
// the colour as it was.
bool choosePaintColour(Editor& editor);

// Command 32797: the palette, then the Paint tool however the palette closed.
void showPaletteAndPaint(Editor& editor);

} // namespace fcw
