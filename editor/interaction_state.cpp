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

namespace {

// Keeps the entries `keep` accepts, renumbered by `renumber`, and the count in step.
template <typename Keep, typename Renumber>
void filterSelection(InteractionState& state, Keep&& keep, Renumber&& renumber) {
    const std::size_t inForce = std::min<std::size_t>(
        static_cast<std::size_t>(std::max<int>(state.selectionCount, 0)),
        state.selectionList.size());
    std::size_t write = 0;
    std::size_t keptInForce = 0;
    for (std::size_t i = 0; i < state.selectionList.size(); ++i) {
        SelectedVertex v = state.selectionList[i];
        if (!keep(v)) {
            continue;
        }
        v.triangle = static_cast<std::int16_t>(renumber(v.triangle));
        state.selectionList[write++] = v;
        if (i < inForce) {
            ++keptInForce;
        }
    }
    state.selectionList.resize(write);
    state.selectionCount = static_cast<std::int16_t>(keptInForce);
}

} // namespace

void forgetSelectionPast(InteractionState& state, int lastIndex) {
    filterSelection(
        state, [&](const SelectedVertex& v) { return v.triangle <= lastIndex; },
        [](int t) { return t; });
}

void forgetRemovedTriangle(InteractionState& state, int t) {
    filterSelection(
        state, [&](const SelectedVertex& v) { return v.triangle != t; },
        [&](int u) { return u > t ? u - 1 : u; });
}

void selectTool(InteractionState& state, MeshStore& store, ToolMode tool) {
    abandonOperation(state, store);
    state.toolMode = tool;
}

} // namespace fcw
