#include "interact/interaction_state.h"

namespace fcw {

const char* toolModeName(ToolMode mode) {
    switch (mode) {
    case ToolMode::RangeMove:
        return "RangeMove";
    case ToolMode::DrawTriangle:
        return "DrawTriangle";
    case ToolMode::Erase:
        return "Erase";
    case ToolMode::Sphere:
        return "Sphere";
    case ToolMode::Paint:
        return "Paint";
    case ToolMode::OriginMove:
        return "OriginMove";
    case ToolMode::Zoom:
        return "Zoom";
    }
    return "Unknown";
}

void selectTool(InteractionState& state, MeshStore& store, ToolMode tool) {
    if (state.editPhase != 0) {
        state.editPhase = 0;
        if (state.toolMode == ToolMode::DrawTriangle && store.lastIndex >= 0) {
            --store.lastIndex;
        }
    }
    state.toolMode = tool;
}

} // namespace fcw
