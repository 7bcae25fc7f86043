#pragma once

#include "interact/model_point.h"
#include "model/mesh_store.h"
#include "model/selection.h"
#include "model/triangle.h"
#include "render/camera.h"

#include <array>
#include <cstdint>
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

const char* toolModeName(ToolMode mode);

inline constexpr std::int32_t kBoxHalfWidth = 100; // GrabBox and CentreBox are 200 x 140
inline constexpr std::int32_t kBoxHalfHeight = 70;

// The 200 x 140 box centred on (cx, cy).
inline Rect boxAround(std::int32_t cx, std::int32_t cy) {
    return {cx - kBoxHalfWidth, cy - kBoxHalfHeight, cx + kBoxHalfWidth, cy + kBoxHalfHeight};
}

// The state of the user's current interaction, read by the handlers, the painter, the undo
// history, the document and the operations.
struct InteractionState {
    ToolMode toolMode = ToolMode::DrawTriangle;
    // Click counter of the current tool; 0 = idle. Per tool: DrawTriangle 1/2 = one/two
    // vertices placed; RangeMove 1 = rubber band, 2 = selection shown, 3 = button down on it;
    // Sphere 1 = rectangle being dragged.
    std::int8_t editPhase = 0;
    std::array<PixelPoint, 4> clickPoints{}; // [1..3]: raw client position of clicks 1..3
    ModelPoint clickModelPoint{};            // current click in the model frame, pixel scale
    PixelPoint lastPointer{};
    PixelPoint dragLast{};
    PixelPoint dragStart{};
    bool buttonHeld = false;     // left button down in Erase, Paint, OriginMove or Zoom
    bool movingTriangle = false; // popup "移動" in progress
    std::int16_t pickedTriangle = 0;
    std::int32_t pickedOrderPos = 0; // position in drawOrder counted from the front
    Rect selectionRect{};
    Rect grabBox{};
    Rect centreBox{};
    bool selectHiddenVertices = true; // the rubber band also takes back-facing vertices
    bool dragging = false;
    bool moveCounted = false;
    bool middleDragFresh = false;
    std::uint8_t statusCorner = 0; // 0 = top-left, 4 = bottom-right
    Rect statusBoxRect{};          // where the last paint put the status box
    ModelPoint sphereStart{};      // (depth, horizontal, vertical) relative to the origin, px
    ModelPoint sphereEnd{};
    Colour currentColour = 0;
    bool sphereQuadSplit = false; // spheres split each quadrilateral into four triangles
    // Up and Down move the drawing depth instead of turning the view. (The rotation mode is
    // always the opposite, so it is not stored separately.)
    bool arrowDepthMode = false;
    bool nudgeRun = false; // a run of Ctrl+arrow nudges is under way: one undo step
    // Numeric vertex moves follow the screen's directions (otherwise the model's axes).
    bool moveInCurrentView = true;
};

// Gives back the slot after the model that a half-drawn triangle or a sphere's rectangle holds
// (their editPhase becomes 0). Edits that add, remove or select whole triangles call it first,
// so they never take the unfinished triangle for a finished one. Other tools' state is kept.
void abandonDrawing(InteractionState& state, MeshStore& store);

// Ends the operation in progress of any tool: the held slot is given back, editPhase is 0.
void abandonOperation(InteractionState& state, MeshStore& store);

// Changes the tool, abandoning the operation in progress.
void selectTool(InteractionState& state, MeshStore& store, ToolMode tool);

} // namespace fcw
