#pragma once

#include "render/scene_frame.h"

#include <cstdint>

namespace fcw {

class Canvas;

// Paints the whole view from scratch onto `canvas` (sized to the client area): background,
// grid, triangles back to front (or through the depth buffer), tool preview, vertex and
// selection markers, the snap marker, the status box and the right-click highlight. Reads
// only the frame and writes only the canvas and the frame's depth renderer.
void paintScene(const SceneFrame& frame, Canvas& canvas);

// The same, drawing the background, grid and triangles in bands of `bandRows` rows (0 for
// one band); the picture does not depend on the band height.
void paintScene(const SceneFrame& frame, Canvas& canvas, std::int32_t bandRows);

// The band height paintScene uses for a picture `width` pixels wide.
std::int32_t paintBandRows(std::int32_t width);

} // namespace fcw
