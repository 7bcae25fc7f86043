#include "render/device_pixels.h"

namespace fcw {

namespace {

// Grows a rectangle by `by` pixels on every side.
Rect grown(const Rect& r, std::int32_t by) {
    return {r.left - by, r.top - by, r.right + by, r.bottom + by};
}

// A box of the window's size scaled about its centre.
Rect scaledAboutCentre(const Rect& box, double ratio) {
    const PixelPoint c = centre(box);
    const std::int32_t halfWidth = deviceLength((box.right - box.left) / 2, ratio);
    const std::int32_t halfHeight = deviceLength((box.bottom - box.top) / 2, ratio);
    return {c.x - halfWidth, c.y - halfHeight, c.x + halfWidth, c.y + halfHeight};
}

// The status box keeps to the corner of the client it was placed in.
void enlargeStatusBox(SceneFrame::StatusBox& status, const Rect& client, double ratio) {
    Rect& b = status.box;
    const std::int32_t width = deviceLength(b.right - b.left, ratio);
    const std::int32_t height = deviceLength(b.bottom - b.top, ratio);
    b = b.left <= client.left ? Rect{b.left, b.top, b.left + width, b.top + height}
                              : Rect{b.right - width, b.bottom - height, b.right, b.bottom};
    for (StatusLine& line : status.lines) {
        line.x = devicePosition(line.x, ratio);
        line.y = devicePosition(line.y, ratio);
    }
}

} // namespace

void enlargeOverlays(SceneFrame& frame) {
    const double ratio = frame.camera.pixelRatio;
    if (ratio == 1.0) {
        return;
    }
    // A vertex marker reaches 3 pixels each way from its vertex.
    const std::int32_t markerGrowth = deviceLength(3, ratio) - 3;
    for (std::vector<Rect>* markers : {&frame.vertexMarkers, &frame.selectionMarkers}) {
        for (Rect& r : *markers) {
            r = grown(r, markerGrowth);
        }
    }
    // The snap marker's corner is 8 pixels up and left of the point it marks.
    for (PixelPoint& p : frame.snapMarkers) {
        const std::int32_t shift = deviceLength(8, ratio) - 8;
        p = {saturateToInt32(std::int64_t{p.x} - shift),
             saturateToInt32(std::int64_t{p.y} - shift)};
    }
    if (frame.moveBoxes) {
        frame.moveBoxes->centreBox = scaledAboutCentre(frame.moveBoxes->centreBox, ratio);
        frame.moveBoxes->grabBox = scaledAboutCentre(frame.moveBoxes->grabBox, ratio);
    }
    if (frame.status) {
        enlargeStatusBox(*frame.status, frame.client, ratio);
    }
}

} // namespace fcw
