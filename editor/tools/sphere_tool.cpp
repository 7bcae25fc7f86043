#include "editor/tools/sphere_tool.h"

#include "editor/edit_transaction.h"
#include "editor/editor.h"
#include "editor/tools/tool_registry.h"
#include "editor/view/frame_step.h"
#include "interact/snap.h"
#include "interact/sphere.h"

namespace fcw {

bool SphereTool::pressPassesLimit(const Editor& e) const {
    return e.document.store.lastIndex +
               sphereTriangleCount(e.services.settings.sphereLongitudeLines,
                                   e.services.settings.sphereLatitudeLines,
                                   e.session.interaction.sphereQuadSplit) >=
           kMaxTriangles;
}

int SphereTool::rightPress(Editor& e, PixelPoint) {
    cancel(e); // the reserved slot
    return 0;
}

void SphereTool::end(Editor& e) {
    cancel(e);
    phase = SpherePhase::Idle;
}

void SphereTool::cancel(Editor& e) {
    if (isActiveTool(e, *this) && holdsSlot()) {
        phase = SpherePhase::Idle;
        if (e.document.store.lastIndex >= 0) {
            --e.document.store.lastIndex;
        }
    }
}

void SphereTool::press(Editor& e, unsigned, PixelPoint click, int) {
    SphereTool& tool = *this;
    ++e.document.store.lastIndex; // the reserved slot
    rectangle = normalised(rectangle);
    rectangle.right = rectangle.left;
    rectangle.bottom = rectangle.top;
    tool.anchor = click;
    roundPointToGrid(e.pane().camera, e.session.view, e.session.snap, tool.anchor);
    tool.start = {e.pane().camera.depth, anchor.x - e.pane().camera.centreX,
                  anchor.y - e.pane().camera.centreY};
    tool.phase = SpherePhase::Dragging;
}

void SphereTool::move(Editor&, PixelPoint p) {
    if (phase == SpherePhase::Dragging) {
        rectangle = {anchor.x, anchor.y, p.x, p.y};
    }
}

void SphereTool::release(Editor& e, unsigned, PixelPoint release) {
    InteractionState& s = e.session.interaction;
    SphereTool& tool = *this;
    if (tool.phase != SpherePhase::Dragging) {
        return;
    }
    PixelPoint end = release;
    roundPointToGrid(e.pane().camera, e.session.view, e.session.snap, end);
    rectangle = normalised(anchor, end);
    tool.finish = {e.pane().camera.depth, end.x - e.pane().camera.centreX,
                   end.y - e.pane().camera.centreY};
    if (tool.start.z == tool.finish.z) {
        --e.document.store.lastIndex; // zero height: nothing made
    } else {
        EditTransaction edit(e, EditTransaction::Start::WithinOperation);
        edit.goAhead(); // the reserved slot is still held, so it is left out
        generateSphere(e.document.store, tool.start, tool.finish,
                       e.services.settings.sphereLongitudeLines,
                       e.services.settings.sphereLatitudeLines, s.sphereQuadSplit,
                       e.pane().camera.zoom, s.currentColour);
        edit.commit(EditRefresh::ViewToModel);
    }
    tool.phase = SpherePhase::Idle;
}

void SphereTool::addPreview(const Editor& e, const PointerPlaces& pointer, PaneFrame& pf) const {
    if (sphereDragShown(e)) {
        pf.scene.sphereBox = normalised(pointer.sphereRectangle);
    }
}

void SphereTool::addSnapMarkers(const Editor& e, const PointerPlaces& pointer,
                                PaneFrame& pf) const {
    PixelPoint p = pointer.lastPointer;
    roundPointToGrid(pf.camera, e.session.view, e.session.snap, p);
    if (anyGridSnap(e.session.snap)) {
        addSnapMarker(pf.scene, p);
    }
}

} // namespace fcw
