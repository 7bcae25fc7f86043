#pragma once

#include "editor/tools/button_drag_tools.h"
#include "editor/tools/draw_triangle_tool.h"
#include "editor/tools/range_tool.h"
#include "editor/tools/sphere_tool.h"
#include "interact/model_point.h"
#include "model/pixel_geometry.h"

#include <cstdint>

namespace fcw {

// The tools (each keeps its own phase and state) and the operations that work in every tool.
// Only the active tool is ever out of its idle phase (selectTool ends the others).

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

// One object of each tool; the registry (tool_registry.h) maps the tool mode to them.
struct ToolStates {
    DrawTriangleTool drawing;
    RangeTool range;
    SphereTool sphere;
    EraseTool erase;
    PaintTool paint;
    OriginMoveTool originMove;
    ZoomTool zoom;
    MiddlePan middlePan;
    PopupMove popupMove;
};

} // namespace fcw
