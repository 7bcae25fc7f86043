#pragma once

#include "editor/editor.h"
#include "render/scene_frame.h"

namespace fcw {

// What one paint draws for a picture `ratio` device pixels per window pixel: a scaled screen
// (the window's devicePixelRatio) or a printer. The frame step runs first for the window, so
// the state the handlers use between paints (the origin's position, the centre and status
// boxes) stays in window pixels; then again with the camera and what the pointer placed
// (the rubber band, a sphere's rectangle, the grab box, the pointer's snap marker and rubber
// line) scaled by `ratio`, for the frame, whose fixed-size overlays are then enlarged
// (enlargeOverlays). The camera, the boxes input reads and the pointer state are the window's
// again afterwards; the depth-buffer renderer is left at the picture's size. At ratio 1 it is
// the frame step alone.
SceneFrame stepDeviceFrame(Editor& editor, double ratio);

} // namespace fcw
