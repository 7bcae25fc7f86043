#include "editor/tools/mouse_tools.h"

#include "editor/commands/commands.h"
#include "editor/commands/reference_commands.h"
#include "editor/editor.h"
#include "editor/symmetry.h"
#include "editor/tools/button_drag_tools.h"
#include "editor/tools/draw_triangle_tool.h"
#include "editor/tools/range_tool.h"
#include "editor/tools/sphere_tool.h"
#include "editor/tools/tool_registry.h"
#include "interact/model_point.h"
#include "interact/snap.h"
#include "interact/sphere.h"

#include <algorithm>

namespace fcw {

namespace {

using namespace mouse_flags;

// Which click a press is, for the snaps chosen per click: the drawing tool's next vertex, 1 for
// a new band or a sphere, 3 for a press on a shown selection, 1 for the other tools.
int clickNumber(const Editor& e) {
    return std::clamp(editPhaseNumber(e) + 1, 1, 3);
}

// Stores the click's model-frame point, pulled onto a vertex or the grid where the
// snaps for this click number are on.
void recordClick(Editor& e, int number, PixelPoint click) {
    InteractionState& s = e.session.interaction;
    const auto point = static_cast<std::size_t>(number);
    s.clickModelPoint = modelPointFromClient(e.pane().camera, click.x, click.y);
    s.clickVertex.reset();
    if (e.session.snap.vertexSnap[point] && e.document.store.lastIndex != 0) {
        s.clickVertex =
            nearestCommittedVertex(e.document.store, e.pane().camera, s.clickModelPoint, click);
        if (s.clickVertex) {
            const double zoom = e.pane().camera.zoom;
            const Point3& v = *s.clickVertex;
            s.clickModelPoint = {zoom * v.x, zoom * v.y, zoom * v.z};
        }
    }
    if (e.session.snap.gridSnap[point]) {
        if (const auto snapped = snapClickToGrid(e.pane().camera, e.session.view, click)) {
            s.clickModelPoint = *snapped;
            s.clickVertex.reset();
        }
    }
}

} // namespace

void onLeftButtonDown(Editor& e, unsigned flags, PixelPoint click) {
    const SymmetryAfterEvent symmetric(e);
    Tool& tool = activeTool(e);
    e.setModified(true);
    if (sphereDragShown(e)) {
        return; // the rectangle's release was lost: this press goes on with the same drag
    }
    if (tool.pressPassesLimit(e)) {
        showTooManyPolygons(e);
        return;
    }
    // No snapshot here: each tool takes its own where its edit goes ahead (the third vertex,
    // a sphere's release, a drag's first movement, an Erase or Paint press), so an abandoned
    // triangle, sphere or band costs no undo step.
    const int number = clickNumber(e);
    tool.reserveSlotForPress(e, number);
    recordClick(e, number, click);
    if (popupMoveUnderWay(e)) {
        finishPopupMove(e, click);
        return;
    }
    tool.press(e, flags, click, number);
    e.repaint();
    e.host.setMouseCapture(true);
}

void onMouseMove(Editor& e, unsigned flags, PixelPoint p) {
    const SymmetryAfterEvent symmetric(e);
    InteractionState& s = e.session.interaction;
    if (e.session.view.statusFixed == 0 && e.pane().lastPaint.statusBoxRect.contains(p.x, p.y)) {
        s.statusCorner = s.statusCorner == StatusCorner::TopLeft
                             ? StatusCorner::BottomRight
                             : StatusCorner::TopLeft; // jump away from the pointer
    }
    const ModelPoint cursor = modelPointFromClient(e.pane().camera, p.x, p.y);
    e.pane().camera.cursorDepth = cursor.x;
    e.pane().camera.cursorHorizontal = cursor.y;
    e.pane().camera.cursorVertical = cursor.z;
    s.lastPointer = p;
    if (flags == (kMiddle | kShift) && dragReference(e, p)) { // Shift moves a reference image
        e.repaint();
        return;
    }
    if (flags == kMiddle) { // middle button alone pans in any tool
        middlePanMove(e, p);
        e.repaint();
        return;
    }
    middlePanBreak(e);
    if ((flags & kLeft) == 0) {
        // The press's release never came (the capture was lost): a move with the button up
        // must not erase, paint, pan, zoom or drag vertices. The rubber band and the sphere's
        // rectangle edit nothing and go on following the pointer.
        forEachTool(e.session.tools, [&](Tool& tool) { tool.releaseLost(e); });
    }
    popupMoveStep(e, p);
    activeTool(e).move(e, p);
    e.repaint();
}

void onLeftButtonUp(Editor& e, unsigned flags, PixelPoint p) {
    const SymmetryAfterEvent symmetric(e);
    activeTool(e).release(e, flags, p);
    e.repaint();
    e.host.setMouseCapture(false);
}

void onRightButtonDown(Editor& e, unsigned, PixelPoint click) {
    const SymmetryAfterEvent symmetric(e);
    if (selectionDragged(e)) {
        return;
    }
    e.session.interaction.lastPointer = click;
    if (popupMoveUnderWay(e)) {
        cancelPopupMove(e);
        e.repaint();
        return;
    }
    int chosen = 0;
    if (toolPhaseActive(e)) {
        chosen = activeTool(e).rightPress(e, click);
    } else if (const auto hit = pickTriangle(e.pane(), e.document.store, click, false)) {
        chosen = openTrianglePopup(e, *hit, click);
    } else {
        e.document.selection.clear(e.document.store);
        chosen = e.host.popupMenu(kSelectionPopupMenu, click);
    }
    e.refreshModelToView();
    e.repaint();
    if (chosen != 0) {
        dispatchCommand(e, chosen);
    }
}

} // namespace fcw
