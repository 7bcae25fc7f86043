#pragma once

#include "interact/model_point.h"
#include "model/pixel_geometry.h"

#include <cstdint>

namespace fcw {

// Each tool's own state. A tool's phase says how far its current operation has got; only the
// active tool is ever out of its idle phase (selectTool ends the others).

// Three clicks make a triangle. While vertices are placed the triangle occupies the slot after
// the model (lastIndex), which it gives back if the drawing is abandoned.
enum class DrawPhase : std::int8_t { Idle = 0, OneVertex = 1, TwoVertices = 2 };
struct DrawTriangleTool {
    DrawPhase phase = DrawPhase::Idle;
};

// Rubber band, then the selection it made, which can be dragged by its boxes.
enum class RangePhase : std::int8_t {
    Idle = 0,           // no selection shown
    RubberBand = 1,     // button down, the band follows the pointer
    SelectionShown = 2, // a selection is made and framed
    Dragging = 3,       // button down in CentreBox or GrabBox: the selection follows the pointer
};
struct RangeTool {
    RangePhase phase = RangePhase::Idle;
    // UndoHistory::serial right after the shown selection's drags were counted as one edit
    // (0 = not counted). A later edit or undo leaves it behind, so the next drag is counted
    // with a snapshot of its own.
    std::uint64_t countedAtSerial = 0;
    PixelPoint dragStart{}; // client pixel where the drag began (grid rounding is of the total)
};

// A rectangle dragged out with one slot reserved after the model; the release makes the sphere.
enum class SpherePhase : std::int8_t { Idle = 0, Dragging = 1 };
struct SphereTool {
    SpherePhase phase = SpherePhase::Idle;
    ModelPoint start{}; // (depth, horizontal, vertical) relative to the origin, pixels
    ModelPoint end{};
};

// Erase, Paint, OriginMove and Zoom act on every move while the left button is held.
enum class HoldPhase : std::int8_t { Idle = 0, Held = 1 };
struct ButtonDrag {
    HoldPhase phase = HoldPhase::Idle;
};

// The middle button alone pans in any tool; the first move of a pan has a zero delta.
struct MiddlePan {
    bool fresh = false; // the next middle-button move starts a new pan
};

// Popup "移動": the picked triangle follows the pointer until a left click keeps or a right
// click cancels the move. The triangle's copy from before the move is the store's scratch.
enum class PopupMovePhase : std::int8_t { Idle = 0, Moving = 1 };
struct PopupMove {
    PopupMovePhase phase = PopupMovePhase::Idle;
};

// A run of Ctrl+arrow nudges of the selection: one snapshot and one counted edit per run.
enum class NudgePhase : std::int8_t { Idle = 0, Running = 1 };
struct NudgeRun {
    NudgePhase phase = NudgePhase::Idle;
};

struct ToolStates {
    DrawTriangleTool drawing;
    RangeTool range;
    SphereTool sphere;
    ButtonDrag buttonDrag;
    MiddlePan middlePan;
    PopupMove popupMove;
    NudgeRun nudge;
};

} // namespace fcw
