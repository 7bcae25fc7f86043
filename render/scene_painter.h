#pragma once

#include "render/scene_frame.h"

namespace fcw {

class Canvas;

// Paints the whole view from scratch onto `canvas` (sized to the client area): background,
// grid, triangles back to front (or through the depth buffer), tool preview, vertex and
// selection markers, the snap marker, the status box and the right-click highlight. Reads
// only the frame and writes only the canvas and the frame's depth renderer.
void paintScene(const SceneFrame& frame, Canvas& canvas);

} // namespace fcw
