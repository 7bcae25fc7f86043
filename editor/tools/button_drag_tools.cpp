#include "editor/tools/button_drag_tools.h"

#include "editor/edit_transaction.h"
#include "editor/editor.h"
#include "editor/tools/pick.h"
#include "model/mesh_edits.h"

#include <algorithm>

namespace fcw {

namespace {

constexpr double kPanLimit = 15000.0; // model units, either way
constexpr double kZoomPerPixel = 0.01;

void eraseAt(Editor& e, PixelPoint p) {
    if (const auto hit = pickTriangle(e.pane(), e.document.store, p, true)) {
        removeViewTriangle(e.document.store, e.document.selection, *hit);
    }
    e.refreshViewToModel();
}

void paintAt(Editor& e, PixelPoint p) {
    if (const auto hit = pickTriangle(e.pane(), e.document.store, p, false)) {
        recolourTriangle(e.document.store, *hit, e.session.interaction.currentColour);
    }
}

void pan(Editor& e, std::int32_t dx, std::int32_t dy) {
    Camera& c = e.pane().camera;
    c.originOffsetX = std::clamp(c.originOffsetX + dx / c.zoom, -kPanLimit, kPanLimit);
    c.originOffsetY = std::clamp(c.originOffsetY + dy / c.zoom, -kPanLimit, kPanLimit);
}

} // namespace

void HoldTool::press(Editor& e, unsigned, PixelPoint click, int) {
    phase = HoldPhase::Held;
    pressed(e, click);
}

void HoldTool::move(Editor& e, PixelPoint p) {
    if (phase == HoldPhase::Held) {
        held(e, p);
    }
}

// An Erase or Paint press is one edit with the moves that follow while the button is held.
void EraseTool::pressed(Editor& e, PixelPoint click) {
    EditTransaction edit(e, EditTransaction::Start::WithinOperation);
    edit.goAhead();
    eraseAt(e, click);
    edit.commit();
}

void EraseTool::held(Editor& e, PixelPoint p) {
    eraseAt(e, p);
}

void PaintTool::pressed(Editor& e, PixelPoint click) {
    EditTransaction edit(e, EditTransaction::Start::WithinOperation);
    edit.goAhead();
    paintAt(e, click);
    edit.commit();
}

void PaintTool::held(Editor& e, PixelPoint p) {
    paintAt(e, p);
}

void OriginMoveTool::pressed(Editor& e, PixelPoint click) {
    e.session.interaction.dragLast = click;
}

void OriginMoveTool::held(Editor& e, PixelPoint p) {
    PixelPoint& last = e.session.interaction.dragLast;
    pan(e, p.x - last.x, p.y - last.y);
    last = p;
}

void ZoomTool::pressed(Editor& e, PixelPoint click) {
    e.session.interaction.dragLast = click;
}

void ZoomTool::held(Editor& e, PixelPoint p) {
    PixelPoint& last = e.session.interaction.dragLast;
    const std::int32_t dy = p.y - last.y;
    last = p;
    e.pane().camera.zoom =
        std::clamp(e.pane().camera.zoom - dy * kZoomPerPixel, kMinZoom, kMaxZoom);
}

void middlePanMove(Editor& e, PixelPoint p) {
    InteractionState& s = e.session.interaction;
    if (e.session.tools.middlePan.fresh) {
        s.dragLast = p;
    }
    e.session.tools.middlePan.fresh = false;
    const std::int32_t dx = p.x - s.dragLast.x;
    const std::int32_t dy = p.y - s.dragLast.y;
    s.dragLast = p;
    pan(e, dx, dy);
    if (selectionShown(e)) {
        offset(e.session.tools.range.band, dx, dy);
    }
}

void middlePanBreak(Editor& e) {
    e.session.tools.middlePan.fresh = true;
}

} // namespace fcw
