#pragma once

#include "model/mesh_store.h"
#include "model/pixel_geometry.h"
#include "render/camera.h"

#include <cstdint>
#include <vector>

namespace fcw {

// What input needs from the last paint of a pane, kept by the one caller that paints it
// (recordPaint) and read by the next event in that pane.
struct LastPaint {
    // Triangle indices from the farthest to the nearest, as the paint drew them:
    // drawOrder[0 .. drawOrderLast] is the sorted range; entries past it are stale.
    std::vector<std::int16_t> drawOrder = std::vector<std::int16_t>(kTriangleSlots, 0);
    int drawOrderLast = -1; // -1 before any paint
    Rect centreBox{};       // the range tool's centre box where the paint put it
    Rect statusBoxRect{};   // where the paint put the status box (the pointer dodges it)
};

// Which view a pane is: the free view the arrow keys turn, or one of the three orthographic
// views at fixed angles.
enum class PaneKind : std::uint8_t { Free, Front, Right, Top };

// One view of the model: its camera (view angles, zoom, origin offsets, drawing depth), its
// rectangle in the window (the camera's clientRect, window pixels) and what its last paint
// left for input. Everything that turns a pointer into the model, picks, snaps or paints
// works in one pane.
struct Pane {
    Camera camera;
    LastPaint lastPaint;
    PaneKind kind = PaneKind::Free;
    PixelPoint origin{}; // the top-left corner of the pane's rectangle in the view

    const Rect& rect() const { return camera.clientRect; }
};

} // namespace fcw
