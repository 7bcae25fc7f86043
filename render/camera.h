#pragma once

#include "model/numeric.h"
#include "model/pixel_geometry.h"

#include <cstdint>

namespace fcw {

// How the triangle lists are shown. The projection is parallel along the depth axis x:
// screen x = trunc(y * zoom + centreX), screen y = trunc(z * zoom + centreY).
// Nothing here is stored in documents or the profile.
// The zoom's range. The zoom commands and the Zoom tool keep it within kMinZoom .. kMaxZoom;
// the mouse wheel stops earlier, at kMinWheelZoom, so it never reaches the coarsest level.
inline constexpr double kMinZoom = 0.1;
inline constexpr double kMinWheelZoom = 0.2;
inline constexpr double kMaxZoom = 10.0;

struct Camera {
    double verticalAxisAngle = 0.0;   // radians, about the vertical axis; applied first
    double horizontalAxisAngle = 0.0; // radians, about the horizontal axis; applied second
    double zoom = 1.0;                // pixels per model unit
    // Device pixels per window pixel of the picture painted with this camera: 1 for the
    // window's own camera; a scaled screen's or a printer's (render/device_pixels.h) while
    // one is painted. The zoom includes it; the sizes of the overlays are scaled by it.
    double pixelRatio = 1.0;
    double originOffsetX = 0.0; // model units, origin relative to the window centre
    double originOffsetY = 0.0;
    // The drawing depth: view-frame x at which a clicked point is placed. Combined with pixel
    // offsets in modelPointFromClient (pixel scale), compared with model x by the painter.
    double depth = 0.0;
    Rect clientRect{};
    std::int32_t halfWidth = 0; // pixels, integer halves of the client size
    std::int32_t halfHeight = 0;
    double centreX = 0.0; // window position of the model origin, pixels
    double centreY = 0.0;
    // Last pointer position in the model frame at the drawing depth, not divided by the zoom.
    double cursorDepth = 0.0;
    double cursorHorizontal = 0.0;
    double cursorVertical = 0.0;

    // Recomputes the halves and the origin's window position. Run at the start of every
    // repaint and nowhere else: handlers that change the zoom or offsets see the new centre
    // only after they repaint.
    void computeCentre() {
        halfWidth = (clientRect.right - clientRect.left) / 2;
        halfHeight = (clientRect.bottom - clientRect.top) / 2;
        centreX = zoom * originOffsetX + halfWidth;
        centreY = originOffsetY * zoom + halfHeight;
    }

    // Window pixel of a view-frame coordinate: truncation toward zero, never rounding.
    std::int32_t projectX(double y) const { return truncToInt32(y * zoom + centreX); }
    std::int32_t projectY(double z) const { return truncToInt32(z * zoom + centreY); }

    // Pointer readouts of the status box: up and away from the viewer are positive.
    double readoutVertical() const { return -cursorVertical / zoom; }
    double readoutHorizontal() const { return cursorHorizontal / zoom; }
    double readoutDepth() const { return -cursorDepth / zoom; }
};

inline constexpr double kDegreesPerRadian = 57.29577951308232;

inline double angleInDegrees(double radians) {
    return radians * kDegreesPerRadian;
}

} // namespace fcw
