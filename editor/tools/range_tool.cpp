#include "editor/tools/range_tool.h"

#include "editor/edit_transaction.h"
#include "editor/editor.h"
#include "editor/tools/mouse_tools.h"
#include "editor/view/frame_step.h"
#include "editor/view/keyboard.h"
#include "interact/snap.h"
#include "model/split_range.h"

#include <vector>

namespace fcw {

namespace {

using namespace mouse_flags;

// Moves every selected vertex, then brings each moved triangle's caches up to date once: they
// depend only on its final corners (a triangle with all three corners selected would otherwise
// be recomputed three times on every pointer move), and each triangle's are its own, so a large
// selection is shared with a helper thread.
void moveSelection(Editor& e, std::int32_t dx, std::int32_t dy) {
    const double zoom = e.pane().camera.zoom;
    std::vector<std::int16_t> moved;
    moved.reserve(e.document.selection.vertices().size());
    for (const SelectedVertex& v : e.document.selection.vertices()) {
        Point3& p = e.document.store.viewTriangles[static_cast<std::size_t>(v.triangle)]
                        .v[static_cast<std::size_t>(v.vertex)];
        p.y += dx / zoom;
        p.z += dy / zoom;
        if (moved.empty() || moved.back() != v.triangle) { // the list keeps corners together
            moved.push_back(v.triangle);
        }
    }
    splitRange(static_cast<int>(moved.size()), kTriangleSplitThreshold, [&](int first, int last) {
        for (int i = first; i <= last; ++i) {
            Triangle& t = e.document.store.viewTriangles[static_cast<std::size_t>(moved[i])];
            t.computePolar();
            t.computeNormal();
        }
    });
}

// The first step of a drag that moves something is where the edit goes ahead: the snapshot of
// the model before it is taken, and the edit counted, there. Later drags of the same selection
// belong to the same undo step until another edit or an undo comes between.
void countDragOnce(Editor& e, std::int32_t dx, std::int32_t dy) {
    if ((dx == 0 && dy == 0) || e.document.selection.empty() || dragAlreadyCounted(e)) {
        return;
    }
    EditTransaction edit(e, EditTransaction::Start::WithinOperation);
    edit.goAhead();
    edit.commit();
    e.session.tools.range.countedAtSerial = e.historySerial();
}

// A band snapshots nothing: it changes no vertex.
void startRubberBand(Editor& e, PixelPoint click) {
    e.session.tools.range.phase = RangePhase::RubberBand;
    e.session.tools.range.anchor = click;
    roundPointToGrid(e.pane().camera, e.session.view, e.session.snap, e.session.tools.range.anchor);
}

void pressOnSelection(Editor& e, unsigned flags, PixelPoint click) {
    InteractionState& s = e.session.interaction;
    RangeTool& tool = e.session.tools.range;
    if ((flags & kShift) != 0) {
        startRubberBand(e, click);
    } else if (e.pane().lastPaint.centreBox.contains(click.x, click.y) ||
               e.session.tools.range.grabBox.contains(click.x, click.y)) {
        if (!e.session.tools.range.grabBox.contains(click.x, click.y)) {
            e.session.tools.range.grabBox = boxAroundClientCentre(e);
        }
        s.dragLast = tool.dragStart = click;
        tool.phase = RangePhase::Dragging;
    } else {
        tool.phase = RangePhase::Idle;
        e.document.selection.clear(e.document.store);
        startRubberBand(e, click);
    }
}

// Toggles the mark of every vertex whose screen point lies in the normalised band.
void markVerticesInBand(Editor& e) {
    const InteractionState& s = e.session.interaction;
    const Camera& c = e.pane().camera;
    const std::int32_t ox = truncToInt32(c.centreX);
    const std::int32_t oy = truncToInt32(c.centreY);
    for (int i = 0; i <= e.document.store.lastIndex; ++i) {
        const Triangle& v = e.document.store.viewTriangles[static_cast<std::size_t>(i)];
        if (!s.selectHiddenVertices && v.normal.x < 0) {
            continue;
        }
        for (std::size_t k = 0; k < 3; ++k) {
            const std::int32_t px =
                saturateToInt32(std::int64_t{truncToInt32(c.zoom * v.v[k].y)} + ox);
            const std::int32_t py =
                saturateToInt32(std::int64_t{truncToInt32(c.zoom * v.v[k].z)} + oy);
            if (e.session.tools.range.band.contains(px, py)) {
                e.document.selection.toggleMark(e.document.store, i, static_cast<int>(k));
            }
        }
    }
}

void finishRubberBand(Editor& e, unsigned flags, PixelPoint release) {
    RangeTool& tool = e.session.tools.range;
    e.session.tools.range.band = {e.session.tools.range.anchor.x, e.session.tools.range.anchor.y,
                                  release.x, release.y};
    e.session.tools.range.grabBox = boxAroundClientCentre(e);
    if ((flags & kShift) == 0) {
        e.document.selection.clear(e.document.store);
    }
    e.session.tools.range.band = normalised(e.session.tools.range.band);
    markVerticesInBand(e);
    e.document.selection.rebuild(e.document.store);
    tool.countedAtSerial = 0;
    if (e.document.selection.empty()) {
        tool.phase = RangePhase::Idle;
        e.session.tools.range.band = {};
        return;
    }
    tool.phase = RangePhase::SelectionShown;
}

void finishDrag(Editor& e, PixelPoint release) {
    InteractionState& s = e.session.interaction;
    RangeTool& tool = e.session.tools.range;
    std::int32_t dx = release.x - s.dragLast.x;
    std::int32_t dy = release.y - s.dragLast.y;
    if (e.session.view.anyGridSpacing()) {
        // The total displacement is rounded to the grid; the rectangles follow the correction.
        offset(e.session.tools.range.band, dx, dy);
        offset(e.session.tools.range.grabBox, dx, dy);
        const PixelPoint total{release.x - tool.dragStart.x, release.y - tool.dragStart.y};
        PixelPoint rounded = total;
        roundOffsetToGrid(e.pane().camera, e.session.view, e.session.snap, rounded);
        dx = rounded.x - total.x;
        dy = rounded.y - total.y;
        offset(e.session.tools.range.band, dx, dy);
        offset(e.session.tools.range.grabBox, dx, dy);
    }
    countDragOnce(e, dx, dy);
    moveSelection(e, dx, dy);
    e.refreshViewToModel();
    tool.phase = RangePhase::SelectionShown;
}

// Ctrl+arrow: the selection moves by one pixel of the view. The first nudge of a run is its
// edit; the later ones belong to the same undo step.
bool nudgeSelection(Editor& e, Key key) {
    NudgePhase& run = e.session.tools.range.nudge;
    const double d = 1.0 / e.pane().camera.zoom;
    double dy = 0.0;
    double dz = 0.0;
    switch (key) {
    case Key::Left:
        dy = -d;
        break;
    case Key::Up:
        dz = -d;
        break;
    case Key::Right:
        dy = d;
        break;
    case Key::Down:
        dz = d;
        break;
    default:
        run = NudgePhase::Idle;
        return false;
    }
    // The run's first nudge is its edit; the later ones belong to the same undo step.
    EditTransaction edit(e, EditTransaction::Start::WithinOperation);
    if (run == NudgePhase::Idle) {
        edit.goAhead();
    }
    for (const SelectedVertex& v : e.document.selection.vertices()) {
        Triangle& t = e.document.store.viewTriangles[static_cast<std::size_t>(v.triangle)];
        Point3& p = t.v[static_cast<std::size_t>(v.vertex)];
        if (key == Key::Left || key == Key::Right) {
            p.y += dy;
        } else {
            p.z += dz;
        }
        t.computePolar();
        t.computeNormal(); // the painter culls and shades by it until the next refresh
    }
    run = NudgePhase::Running;
    edit.commit();
    if (e.document.store.lastIndex >= 0) {
        e.refreshViewToModel();
    }
    return true;
}

} // namespace

Rect boxAroundClientCentre(const Editor& e) {
    const Rect& c = e.pane().camera.clientRect;
    return boxAround((c.left + c.right) / 2, (c.top + c.bottom) / 2);
}

void RangeTool::press(Editor& e, unsigned flags, PixelPoint click, int) {
    RangeTool& tool = *this;
    e.session.tools.range.band = normalised(e.session.tools.range.band);
    e.session.tools.range.band.right = e.session.tools.range.band.left;
    e.session.tools.range.band.bottom = e.session.tools.range.band.top;
    switch (tool.phase) {
    case RangePhase::Idle:
        tool.phase = RangePhase::RubberBand;
        tool.anchor = click;
        if ((flags & kShift) == 0) {
            e.document.selection.clear(
                e.document.store); // a band without Shift starts a new selection
        }
        break;
    case RangePhase::SelectionShown:
        pressOnSelection(e, flags, click);
        break;
    case RangePhase::RubberBand:
    case RangePhase::Dragging:
        tool.phase = RangePhase::Idle; // the previous release went missing
        break;
    }
}

void RangeTool::move(Editor& e, PixelPoint p) {
    InteractionState& s = e.session.interaction;
    if (phase == RangePhase::RubberBand) {
        e.session.tools.range.band = {e.session.tools.range.anchor.x,
                                      e.session.tools.range.anchor.y, p.x, p.y};
        const PixelPoint middle = centre(e.session.tools.range.band);
        e.session.tools.range.grabBox = boxAround(middle.x, middle.y);
    } else if (phase == RangePhase::Dragging) {
        const std::int32_t dx = p.x - s.dragLast.x;
        const std::int32_t dy = p.y - s.dragLast.y;
        offset(e.session.tools.range.band, dx, dy);
        offset(e.session.tools.range.grabBox, dx, dy);
        s.dragLast = p;
        countDragOnce(e, dx, dy);
        moveSelection(e, dx, dy);
        e.refreshViewToModel();
    }
}

void RangeTool::release(Editor& e, unsigned flags, PixelPoint release) {
    if (phase == RangePhase::RubberBand) {
        finishRubberBand(e, flags, release);
    } else if (phase == RangePhase::Dragging) {
        finishDrag(e, release);
    }
}

void RangeTool::releaseLost(Editor&) {
    if (phase == RangePhase::Dragging) {
        phase = RangePhase::SelectionShown;
    }
}

bool RangeTool::key(Editor& e, Key pressed, bool controlDown) {
    if (!e.document.selection.empty() && controlDown) {
        if (nudgeSelection(e, pressed)) {
            e.repaint();
        }
        return true;
    }
    nudge = NudgePhase::Idle;
    return false;
}

void RangeTool::end(Editor&) {
    nudge = NudgePhase::Idle;
    if (phase == RangePhase::Dragging) {
        phase = RangePhase::SelectionShown;
    } else if (phase == RangePhase::RubberBand) {
        phase = RangePhase::Idle;
    }
}

int RangeTool::rightPress(Editor& e, PixelPoint click) {
    phase = RangePhase::Idle;
    e.session.tools.range.band = normalised(e.session.tools.range.band);
    if (e.pane().lastPaint.centreBox.contains(click.x, click.y) ||
        e.session.tools.range.grabBox.contains(click.x, click.y)) {
        return e.host.popupMenu(kSelectionPopupMenu, click);
    }
    e.document.selection.clear(e.document.store);
    return 0;
}

void showSelection(Editor& e, DragCounting counting) {
    e.session.tools.range.phase = RangePhase::SelectionShown;
    e.session.tools.range.countedAtSerial =
        counting == DragCounting::AlreadyCounted ? e.historySerial() : 0;
}

bool dragAlreadyCounted(const Editor& e) {
    return e.session.tools.range.countedAtSerial == e.historySerial();
}

// The band while it is drawn; the centre and grab boxes while a selection is shown or dragged
// (hidden while Shift adds to it).
void RangeTool::addPreview(const Editor& e, const PointerPlaces& pointer, PaneFrame& pf) const {
    if (rubberBandShown(e)) {
        pf.scene.rubberBand = normalised(pointer.band);
    }
    if (!e.document.selection.empty() && (selectionDragged(e) || selectionShown(e)) &&
        !e.host.isShiftDown()) {
        const Rect& client = pf.camera.clientRect;
        pf.lastPaint.centreBox =
            boxAround((client.left + client.right) / 2, (client.top + client.bottom) / 2);
        pf.scene.moveBoxes = SceneFrame::MoveBoxes{pf.lastPaint.centreBox, pointer.grabBox};
    }
}

// Where a drag would put the selection: the grab box's offset from the centre box, snapped.
void RangeTool::addSnapMarkers(const Editor& e, const PointerPlaces& pointer, PaneFrame& pf) const {
    if (anyGridSnap(e.session.snap) && selectionDragged(e)) {
        const PixelPoint g = centre(pointer.grabBox);
        const PixelPoint c = centre(pf.lastPaint.centreBox);
        PixelPoint d{g.x - c.x, g.y - c.y};
        roundOffsetToGrid(pf.camera, e.session.view, e.session.snap, d);
        addSnapMarker(pf.scene, {c.x + d.x, c.y + d.y});
    }
}

} // namespace fcw
