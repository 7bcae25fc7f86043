#pragma once

#include "editor/editor.h"
#include "render/scene_frame.h"

namespace fcw {

// What one paint draws for a picture `ratio` device pixels per window pixel: a scaled screen
// (the window's devicePixelRatio) or a printer. prepareScaledPaint with the camera scaled: the
// pane keeps the window's frame for input (the origin's position, the centre and status boxes
// in window pixels); the picture's fixed-size overlays are enlarged (enlargeOverlays). The
// depth-buffer renderer is left at the picture's size. At ratio 1 it is the frame step alone.
SceneFrame stepDeviceFrame(Editor& editor, double ratio);

} // namespace fcw
