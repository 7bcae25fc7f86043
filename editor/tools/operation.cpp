#include "editor/tools/operation.h"

#include "editor/editor.h"
#include "editor/tools/tool_registry.h"
#include "editor/tools/triangle_popup.h"

namespace fcw {

namespace {

RangePhase rangePhase(const Editor& e) {
    return isActiveTool(e, e.session.tools.range) ? e.session.tools.range.phase : RangePhase::Idle;
}

} // namespace

int drawingVerticesPlaced(const Editor& e) {
    return isActiveTool(e, e.session.tools.drawing)
               ? static_cast<int>(e.session.tools.drawing.phase)
               : 0;
}

bool rubberBandShown(const Editor& e) {
    return rangePhase(e) == RangePhase::RubberBand;
}

bool selectionShown(const Editor& e) {
    return rangePhase(e) == RangePhase::SelectionShown;
}

bool selectionDragged(const Editor& e) {
    return rangePhase(e) == RangePhase::Dragging;
}

bool rangeToolBusy(const Editor& e) {
    return rangePhase(e) != RangePhase::Idle;
}

bool rangeToolActive(const Editor& e) {
    return isActiveTool(e, e.session.tools.range);
}

bool drawingToolActive(const Editor& e) {
    return isActiveTool(e, e.session.tools.drawing);
}

bool sphereDragShown(const Editor& e) {
    return isActiveTool(e, e.session.tools.sphere) &&
           e.session.tools.sphere.phase == SpherePhase::Dragging;
}

int provisionalSlot(const Editor& e) {
    return activeTool(e).holdsSlot() ? e.document.store.lastIndex : -1;
}

bool toolPhaseActive(const Editor& e) {
    return editPhaseNumber(e) != 0;
}

int editPhaseNumber(const Editor& e) {
    return activeTool(e).phaseNumber();
}

bool operationPending(const Editor& e) {
    bool underWay = false;
    forEachTool(e.session.tools,
                [&](const Tool& tool) { underWay = underWay || tool.operationUnderWay(); });
    return underWay || e.session.tools.popupMove.phase != PopupMovePhase::Idle;
}

void endOperation(Editor& e) {
    if (popupMoveUnderWay(e)) {
        cancelPopupMove(e);
    }
    forEachTool(e.session.tools, [&](Tool& tool) { tool.end(e); });
}

void clearToolPhases(Editor& e) {
    forEachTool(e.session.tools, [](Tool& tool) { tool.reset(); });
}

void abandonDrawing(Editor& e) {
    activeTool(e).cancel(e);
}

void abandonOperation(Editor& e) {
    abandonDrawing(e);
    clearToolPhases(e);
}

} // namespace fcw
