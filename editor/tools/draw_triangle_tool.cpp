#include "editor/tools/draw_triangle_tool.h"

#include "editor/edit_transaction.h"
#include "editor/editor.h"
#include "editor/tools/tool_registry.h"
#include "editor/view/frame_step.h"
#include "interact/snap.h"

namespace fcw {

bool DrawTriangleTool::pressPassesLimit(const Editor& e) const {
    return drawingVerticesPlaced(e) == 0 && e.document.store.lastIndex + 1 >= kMaxTriangles;
}

void DrawTriangleTool::reserveSlotForPress(Editor& e, int clickNumber) {
    if (clickNumber == 1) {
        ++e.document.store.lastIndex; // the provisional triangle's slot
    }
}

void DrawTriangleTool::releaseSlotOfPress(Editor& e) {
    --e.document.store.lastIndex;
}

int DrawTriangleTool::rightPress(Editor& e, PixelPoint) {
    cancel(e); // the provisional triangle
    return 0;
}

void DrawTriangleTool::end(Editor& e) {
    cancel(e);
    phase = DrawPhase::Idle;
}

void DrawTriangleTool::cancel(Editor& e) {
    if (isActiveTool(e, *this) && holdsSlot()) {
        phase = DrawPhase::Idle;
        if (e.document.store.lastIndex >= 0) {
            --e.document.store.lastIndex;
        }
    }
}

void DrawTriangleTool::press(Editor& e, unsigned, PixelPoint, int clickNumber) {
    DrawTriangleTool& tool = *this;
    EditTransaction edit(e, EditTransaction::Start::WithinOperation);
    if (clickNumber == 3) {
        // The triangle goes ahead: the model before it, without the provisional slot (the
        // phase still holds it).
        edit.goAhead();
    }
    const ModelPoint& p = e.session.interaction.clickModelPoint;
    const double zoom = e.pane().camera.zoom;
    const auto last = static_cast<std::size_t>(e.document.store.lastIndex);
    Triangle& t = e.document.store.modelTriangles[last];
    t.setVertex(clickNumber - 1, e.session.interaction.clickVertex
                                     ? *e.session.interaction.clickVertex
                                     : Point3(p.x / zoom, p.y / zoom, p.z / zoom));
    t.computePolar();
    t.setColour(e.session.interaction.currentColour);
    e.refreshModelToView();
    if (clickNumber < 3) {
        tool.phase = static_cast<DrawPhase>(clickNumber);
        return;
    }
    edit.commit();
    Triangle& v = e.document.store.viewTriangles[last];
    t.computeNormal();
    v.computeNormal();
    if (v.normal.x < 0) { // a new triangle always faces the viewer
        t.reverseWinding();
        v.reverseWinding();
    }
    tool.phase = DrawPhase::Idle;
}

void drawTriangleTypedVertex(Editor& e, const Point3& point) {
    DrawTriangleTool& tool = e.session.tools.drawing;
    const int vertex = static_cast<int>(tool.phase); // vertices placed so far
    if (vertex == 0) {
        ++e.document.store.lastIndex;
    }
    e.document.store.modelTriangles[static_cast<std::size_t>(e.document.store.lastIndex)].setVertex(
        vertex, point);
    tool.phase = vertex == 2 ? DrawPhase::Idle : static_cast<DrawPhase>(vertex + 1);
}

void DrawTriangleTool::addPreview(const Editor& e, const PointerPlaces& pointer,
                                  PaneFrame& pf) const {
    const MeshStore& store = e.document.store;
    if (drawingVerticesPlaced(e) > 0 && store.lastIndex >= 0) {
        const Camera& c = pf.camera;
        const Triangle& t = store.viewTriangles[static_cast<std::size_t>(store.lastIndex)];
        const PixelPoint v0{c.projectX(t.v[0].y), c.projectY(t.v[0].z)};
        if (drawingVerticesPlaced(e) == 1) {
            pf.scene.rubberLine = {v0, pointer.lastPointer, v0};
        } else {
            const PixelPoint v1{c.projectX(t.v[1].y), c.projectY(t.v[1].z)};
            pf.scene.rubberLine = {v0, v1, pointer.lastPointer, v0};
        }
    }
}

// On the grid and on a vertex for the next click, as the snaps chosen for it would place it.
void DrawTriangleTool::addSnapMarkers(const Editor& e, const PointerPlaces& pointer,
                                      PaneFrame& pf) const {
    PixelPoint p = pointer.lastPointer;
    const int placed = drawingVerticesPlaced(e);
    const auto next = static_cast<std::size_t>(placed + 1);
    if (e.session.snap.gridSnap[next] && e.session.view.anyGridSpacing()) {
        roundPointToGrid(pf.camera, e.session.view, e.session.snap, p);
        addSnapMarker(pf.scene, p);
    }
    const MeshStore& store = e.document.store;
    if (e.session.snap.vertexSnap[next] && store.lastIndex >= 0 &&
        (placed == 0 || store.lastIndex > 0)) {
        previewVertexSnap(store, pf.camera, placed, p);
        addSnapMarker(pf.scene, p);
    }
}

} // namespace fcw
