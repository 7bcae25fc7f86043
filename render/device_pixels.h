#pragma once

#include "model/numeric.h"
#include "model/pixel_geometry.h"
#include "render/camera.h"
#include "render/scene_frame.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace fcw {

// Painting for a scaled screen (or a printer): the picture has `ratio` device pixels per
// window pixel. The model is projected at ratio x zoom; what the window draws at a fixed size
// (markers, boxes, pens of the overlays, the snap marker, the status box and its text) is
// drawn `ratio` times as large in whole device pixels, so the picture looks as the window does
// at ratio 1, only finer. At ratio 1 every rule here is the identity.

// A window position in device pixels: trunc toward zero, as every pixel position is.
inline std::int32_t devicePosition(std::int32_t windowPixels, double ratio) {
    return truncToInt32(windowPixels * ratio);
}

// A size or pen width in device pixels: rounded to the nearest whole pixel, at least one.
inline std::int32_t deviceLength(std::int32_t windowPixels, double ratio) {
    return std::max<std::int32_t>(1, truncToInt32(std::lround(windowPixels * ratio)));
}

// The client area of the picture: the window's, each side rounded as the toolkit sizes a
// scaled window's surface.
inline Rect deviceClient(const Rect& windowClient, double ratio) {
    return {0, 0, deviceLength(windowClient.width(), ratio),
            deviceLength(windowClient.height(), ratio)};
}

// The window's camera for a picture `ratio` times as fine: the zoom and the client scaled and
// the origin placed in it (the origin offset is in model units). The frame step's
// computeCentre places it the same way.
inline Camera deviceCamera(const Camera& window, double ratio) {
    Camera c = window;
    c.pixelRatio = window.pixelRatio * ratio;
    c.zoom = window.zoom * ratio;
    c.clientRect = deviceClient(window.clientRect, ratio);
    c.computeCentre();
    // The pointer read-outs are pixel-scale values divided by the zoom.
    c.cursorDepth = window.cursorDepth * ratio;
    c.cursorHorizontal = window.cursorHorizontal * ratio;
    c.cursorVertical = window.cursorVertical * ratio;
    return c;
}

// Grows the fixed-size overlays of a frame worked out with a device camera (its
// camera.pixelRatio) to that many times their size: the markers about their centres, the
// move boxes about theirs, the snap markers about the point they mark, the status box from the
// corner of the client it sits in, with its text lines' places.
void enlargeOverlays(SceneFrame& frame);

} // namespace fcw
