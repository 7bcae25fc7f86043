#include "editor/tools/draw_triangle_tool.h"

#include "editor/edit_transaction.h"
#include "editor/editor.h"
#include "editor/tools/tool_registry.h"

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

} // namespace fcw
