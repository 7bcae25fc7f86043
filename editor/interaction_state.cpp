#include "editor/interaction_state.h"

#include <algorithm>

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

void abandonDrawing(InteractionState& state, MeshStore& store) {
    // A half-drawn triangle and a sphere's rectangle each hold the slot after the model.
    const bool holdsSlot =
        state.toolMode == ToolMode::DrawTriangle || state.toolMode == ToolMode::Sphere;
    if (holdsSlot && state.editPhase != 0) {
        state.editPhase = 0;
        if (store.lastIndex >= 0) {
            --store.lastIndex;
        }
    }
}

void abandonOperation(InteractionState& state, MeshStore& store) {
    abandonDrawing(state, store);
    state.editPhase = 0;
}

void selectTool(InteractionState& state, MeshStore& store, ToolMode tool) {
    abandonOperation(state, store);
    state.toolMode = tool;
}

} // namespace fcw
