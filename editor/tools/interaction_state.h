#pragma once

#include "interact/model_point.h"
#include "model/triangle.h"
#include "render/camera.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace fcw {

// The mouse tools. The numeric values are fixed (3 is unused).
enum class ToolMode : std::int32_t {
    RangeMove = 0,
    DrawTriangle = 1,
    Erase = 2,
    Sphere = 4,
    Paint = 5,
    OriginMove = 6,
    Zoom = 7,
};

// The mode's name as the state dump prints it (defined with the tool registry).
const char* toolModeName(ToolMode mode);

// Where the status box sits in its pane (it jumps away from the pointer when not fixed).
enum class StatusCorner : std::uint8_t { TopLeft = 0, BottomRight = 4 };

inline constexpr std::int32_t kBoxHalfWidth = 100; // GrabBox and CentreBox are 200 x 140
inline constexpr std::int32_t kBoxHalfHeight = 70;

// The 200 x 140 box centred on (cx, cy).
inline Rect boxAround(std::int32_t cx, std::int32_t cy) {
    return {cx - kBoxHalfWidth, cy - kBoxHalfHeight, cx + kBoxHalfWidth, cy + kBoxHalfHeight};
}

// What the tools share: the current tool, the clicks and the pointer, the drag reference
// point, the right click's pick, the rectangles the painter draws, the painting colour and the
// settings-like switches. Each tool's own progress is in Editor::tools (editor/tools/).
struct InteractionState {
    ToolMode toolMode = ToolMode::DrawTriangle;
    ModelPoint clickModelPoint{}; // current click in the model frame, pixel scale
    // The committed vertex the current click snapped onto, in model units: a drawn vertex
    // takes these coordinates themselves, not clickModelPoint divided by the zoom again.
    std::optional<Point3> clickVertex;
    PixelPoint lastPointer{};
    // Pointer position at the previous drag step; one for every drag (selection, popup move,
    // origin move, zoom, middle pan), so a pan between popup-move steps does not jump.
    PixelPoint dragLast{};
    std::int16_t pickedTriangle = 0;
    bool selectHiddenVertices = true; // the rubber band also takes back-facing vertices
    StatusCorner statusCorner = StatusCorner::TopLeft;
    Colour currentColour = 0;
    bool sphereQuadSplit = false; // spheres split each quadrilateral into four triangles
    // Up and Down move the drawing depth instead of turning the view. (The rotation mode is
    // always the opposite, so it is not stored separately.)
    bool arrowDepthMode = false;
    // Numeric vertex moves follow the screen's directions (otherwise the model's axes).
    bool moveInCurrentView = true;
};

} // namespace fcw
