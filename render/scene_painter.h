#pragma once

#include "render/camera.h"

#include <cstdint>
#include <string>
#include <vector>

namespace fcw {

class Canvas;
class Editor;

// Paints the whole view from scratch onto `canvas` (sized to the client area): background,
// grid, triangles back to front (or through the depth buffer), tool preview, vertex and
// selection markers, the snap marker and the status box. Updates the origin's window
// position, CentreBox, drawOrder and statusBoxRect as a side effect, like every paint.
void paintScene(Editor& editor, Canvas& canvas);

struct StatusLine {
    std::int32_t x = 0; // offset from the status box's top-left corner
    std::int32_t y = 0;
    std::string text;
};

// The status box's text lines: triangle count, both view angles in degrees, the colour label
// and the pointer position (up and away from the viewer positive).
std::vector<StatusLine> statusLines(const Editor& editor);

// The status box: 390 x 100 pixels in the top-left corner, or in the bottom-right one when
// statusCorner is 4.
Rect statusBoxRectFor(const Editor& editor);

// The display commands: edge style (0..3) and grid placement. Both repaint.
void setFrameMode(Editor& editor, int mode);
void setGridInFront(Editor& editor, bool inFront);

} // namespace fcw
