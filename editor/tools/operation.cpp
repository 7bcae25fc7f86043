#include "editor/tools/operation.h"

#include "editor/editor.h"
#include "editor/tools/triangle_popup.h"

namespace fcw {

namespace {

bool active(const Editor& e, ToolMode mode) {
    return e.session.interaction.toolMode == mode;
}

RangePhase rangePhase(const Editor& e) {
    return active(e, ToolMode::RangeMove) ? e.session.tools.range.phase : RangePhase::Idle;
}

} // namespace

int drawingVerticesPlaced(const Editor& e) {
    return active(e, ToolMode::DrawTriangle) ? static_cast<int>(e.session.tools.drawing.phase) : 0;
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

bool sphereDragShown(const Editor& e) {
    return active(e, ToolMode::Sphere) && e.session.tools.sphere.phase == SpherePhase::Dragging;
}

int provisionalSlot(const Editor& e) {
    if (drawingVerticesPlaced(e) > 0 || sphereDragShown(e)) {
        return e.document.store.lastIndex;
    }
    return -1;
}

bool toolPhaseActive(const Editor& e) {
    return editPhaseNumber(e) != 0;
}

int editPhaseNumber(const Editor& e) {
    switch (e.session.interaction.toolMode) {
    case ToolMode::DrawTriangle:
        return drawingVerticesPlaced(e);
    case ToolMode::RangeMove:
        return static_cast<int>(rangePhase(e));
    case ToolMode::Sphere:
        return sphereDragShown(e) ? 1 : 0;
    default:
        return 0;
    }
}

bool operationPending(const Editor& e) {
    const ToolStates& t = e.session.tools;
    return t.drawing.phase != DrawPhase::Idle || t.sphere.phase != SpherePhase::Idle ||
           t.range.phase == RangePhase::RubberBand || t.range.phase == RangePhase::Dragging ||
           t.buttonDrag.phase != HoldPhase::Idle || t.popupMove.phase != PopupMovePhase::Idle ||
           t.nudge.phase != NudgePhase::Idle;
}

void endOperation(Editor& e) {
    ToolStates& t = e.session.tools;
    if (popupMoveUnderWay(e)) {
        cancelPopupMove(e);
    }
    if (t.range.phase == RangePhase::Dragging) {
        t.range.phase = RangePhase::SelectionShown;
    } else if (t.range.phase == RangePhase::RubberBand) {
        t.range.phase = RangePhase::Idle;
    }
    abandonDrawing(e);
    t.drawing.phase = DrawPhase::Idle;
    t.sphere.phase = SpherePhase::Idle;
    t.buttonDrag.phase = HoldPhase::Idle;
    t.nudge.phase = NudgePhase::Idle;
}

void clearToolPhases(Editor& e) {
    e.session.tools.drawing.phase = DrawPhase::Idle;
    e.session.tools.range.phase = RangePhase::Idle;
    e.session.tools.sphere.phase = SpherePhase::Idle;
}

void abandonDrawing(Editor& e) {
    if (provisionalSlot(e) >= 0) {
        e.session.tools.drawing.phase = DrawPhase::Idle;
        e.session.tools.sphere.phase = SpherePhase::Idle;
        if (e.document.store.lastIndex >= 0) {
            --e.document.store.lastIndex;
        }
    }
}

void abandonOperation(Editor& e) {
    abandonDrawing(e);
    clearToolPhases(e);
}

void selectTool(Editor& e, ToolMode tool) {
    endOperation(e);
    abandonOperation(e);
    e.session.interaction.toolMode = tool;
}

} // namespace fcw
