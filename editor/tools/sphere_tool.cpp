#include "editor/tools/sphere_tool.h"

#include "editor/edit_transaction.h"
#include "editor/editor.h"
#include "interact/snap.h"
#include "interact/sphere.h"

namespace fcw {

void sphereDown(Editor& e) {
    InteractionState& s = e.interaction;
    SphereTool& tool = e.tools.sphere;
    ++e.store.lastIndex; // the reserved slot
    s.selectionRect = normalised(s.selectionRect);
    s.selectionRect.right = s.selectionRect.left;
    s.selectionRect.bottom = s.selectionRect.top;
    roundPointToGrid(e.pane().camera, e.view, e.snap, s.clickPoints[1]);
    tool.start = {e.pane().camera.depth, s.clickPoints[1].x - e.pane().camera.centreX,
                  s.clickPoints[1].y - e.pane().camera.centreY};
    tool.phase = SpherePhase::Dragging;
}

void sphereMove(Editor& e, PixelPoint p) {
    if (e.tools.sphere.phase == SpherePhase::Dragging) {
        InteractionState& s = e.interaction;
        s.selectionRect = {s.clickPoints[1].x, s.clickPoints[1].y, p.x, p.y};
    }
}

void sphereUp(Editor& e, PixelPoint release) {
    InteractionState& s = e.interaction;
    SphereTool& tool = e.tools.sphere;
    if (tool.phase != SpherePhase::Dragging) {
        return;
    }
    PixelPoint end = release;
    roundPointToGrid(e.pane().camera, e.view, e.snap, end);
    s.selectionRect = normalised(s.clickPoints[1], end);
    tool.end = {e.pane().camera.depth, end.x - e.pane().camera.centreX,
                end.y - e.pane().camera.centreY};
    if (tool.start.z == tool.end.z) {
        --e.store.lastIndex; // zero height: nothing made
    } else {
        EditTransaction edit(e, EditTransaction::Start::WithinOperation);
        edit.goAhead(); // the reserved slot is still held, so it is left out
        generateSphere(e.store, tool.start, tool.end, e.settings.sphereLongitudeLines,
                       e.settings.sphereLatitudeLines, s.sphereQuadSplit, e.pane().camera.zoom,
                       s.currentColour);
        edit.commit(EditRefresh::ViewToModel);
    }
    tool.phase = SpherePhase::Idle;
}

} // namespace fcw
