#include "editor/tools/triangle_popup.h"

#include "editor/dialogs/palette_dialog.h"
#include "editor/edit_transaction.h"
#include "editor/editor.h"
#include "editor/tools/tool_registry.h"
#include "editor/view/frame_step.h"
#include "model/mesh_edits.h"

namespace fcw {

namespace {

Triangle& viewAt(Editor& e, int i) {
    return e.document.store.viewTriangles[static_cast<std::size_t>(i)];
}
Triangle& modelAt(Editor& e, int i) {
    return e.document.store.modelTriangles[static_cast<std::size_t>(i)];
}

void translateView(Editor& e, int t, std::int32_t dx, std::int32_t dy) {
    Triangle& tri = viewAt(e, t);
    const double zoom = e.pane().camera.zoom;
    for (Point3& p : tri.v) {
        p.y += dx / zoom;
        p.z += dy / zoom;
    }
    tri.computePolar();
    tri.computeNormal();
}

// One step of the move: the triangle, and the selection rectangle with it, by the pointer's
// delta since the previous step.
void stepTo(Editor& e, PixelPoint p) {
    InteractionState& s = e.session.interaction;
    const std::int32_t dx = p.x - s.dragLast.x;
    const std::int32_t dy = p.y - s.dragLast.y;
    offset(e.session.tools.range.band, dx, dy);
    s.dragLast = p;
    translateView(e, s.pickedTriangle, dx, dy);
    e.refreshViewToModel();
}

bool pickedValid(const Editor& e) {
    const int t = e.session.interaction.pickedTriangle;
    return t >= 0 && t <= e.document.store.lastIndex;
}

} // namespace

int openTrianglePopup(Editor& e, int triangle, PixelPoint click) {
    InteractionState& s = e.session.interaction;
    // Kept as the triangle itself, not as a place in the draw order: the paint below sorts
    // again, maybe over a different count.
    s.pickedTriangle = static_cast<std::int16_t>(triangle);
    e.session.highlightedTriangle = s.pickedTriangle;
    e.repaint(); // the hatched triangle shows while the menu is up
    const int chosen = e.host.popupMenu(kTrianglePopupMenu, click);
    e.session.highlightedTriangle = -1;
    return chosen;
}

bool popupMoveUnderWay(const Editor& e) {
    return e.session.tools.popupMove.phase == PopupMovePhase::Moving;
}

void popupMoveStep(Editor& e, PixelPoint p) {
    if (popupMoveUnderWay(e)) {
        stepTo(e, p);
    }
}

void finishPopupMove(Editor& e, PixelPoint click) {
    e.session.tools.popupMove.phase = PopupMovePhase::Idle;
    // The click's common start reserved or kept a drawing slot; the click ends the drawing.
    activeTool(e).releaseSlotOfPress(e);
    clearToolPhases(e);
    if (!pickedValid(e)) {
        return;
    }
    // The move goes ahead now: its snapshot is the model with the triangle where it was
    // before the move (the copy "移動" kept), taken without the slot the click reserved.
    Triangle& t = modelAt(e, e.session.interaction.pickedTriangle);
    const TriangleCore moved = t.core();
    t.assign(e.document.store.scratchTriangle);
    EditTransaction edit(e, EditTransaction::Start::WithinOperation);
    edit.goAhead();
    t.assign(moved);
    t.computePolar();
    t.computeNormal();
    stepTo(e, click);
    edit.commit();
}

void cancelPopupMove(Editor& e) {
    e.session.tools.popupMove.phase = PopupMovePhase::Idle;
    if (!pickedValid(e)) {
        return;
    }
    Triangle& t = modelAt(e, e.session.interaction.pickedTriangle);
    t.assign(e.document.store.scratchTriangle);
    t.computePolar();
    t.computeNormal();
    e.refreshModelToView();
}

void popupDeleteTriangle(Editor& e) {
    // Never the unfinished triangle: the next click would write to the slot before the first.
    EditTransaction edit(e);
    if (!pickedValid(e)) {
        return;
    }
    edit.goAhead();
    removeViewTriangle(e.document.store, e.document.selection,
                       e.session.interaction.pickedTriangle);
    edit.commit(EditRefresh::ViewToModel);
    sortByDepth(e);
}

void popupMoveTriangle(Editor& e) {
    InteractionState& s = e.session.interaction;
    abandonDrawing(e);
    if (!pickedValid(e)) {
        return;
    }
    e.document.store.scratchTriangle.assign(modelAt(e, s.pickedTriangle));
    const Triangle& v = viewAt(e, s.pickedTriangle);
    // The centroid is used as it is, not multiplied by the zoom.
    e.host.setPointerPosition({truncToInt32(e.pane().camera.centreX + v.centroid.y),
                               truncToInt32(e.pane().camera.centreY + v.centroid.z)});
    s.dragLast = s.lastPointer;
    e.session.tools.popupMove.phase = PopupMovePhase::Moving;
}

void popupCancel(Editor&) {}

void popupReverseTriangle(Editor& e) {
    if (!pickedValid(e)) {
        return;
    }
    const int t = e.session.interaction.pickedTriangle;
    runEdit(e, [&] {
        modelAt(e, t).reverseWinding();
        viewAt(e, t).reverseWinding();
    });
}

void popupColourTriangle(Editor& e) {
    choosePaintColour(e);
    if (!pickedValid(e)) {
        return;
    }
    runEdit(e, [&] {
        recolourTriangle(e.document.store, e.session.interaction.pickedTriangle,
                         e.session.interaction.currentColour);
    });
}

void popupPickColour(Editor& e) {
    if (pickedValid(e)) {
        e.session.interaction.currentColour =
            viewAt(e, e.session.interaction.pickedTriangle).colour;
    }
}

} // namespace fcw
