#include "editor/mouse_tools.h"

#include "editor/commands.h"
#include "editor/editor.h"
#include "interact/model_point.h"
#include "interact/snap.h"
#include "interact/sphere.h"
#include "model/mesh_edits.h"
#include "ops/selection_walk.h"
#include "editor/frame_step.h"
#include "render/depth_order.h"
#include "editor/palette_dialog.h"

#include <algorithm>
#include <cmath>

namespace fcw {

namespace {

using namespace mouse_flags;

constexpr double kPanLimit = 15000.0;
constexpr double kMinToolZoom = 0.1;
constexpr double kMaxZoom = 10.0;

Triangle& viewAt(Editor& e, int i) {
    return e.store.viewTriangles[static_cast<std::size_t>(i)];
}
Triangle& modelAt(Editor& e, int i) {
    return e.store.modelTriangles[static_cast<std::size_t>(i)];
}

// The triangle index at a pick's order position.
int pickedIndex(const Editor& e, int orderPos) {
    return e.drawOrder[static_cast<std::size_t>(drawOrderScanLast(e) - orderPos)];
}

void moveSelection(Editor& e, std::int32_t dx, std::int32_t dy) {
    const double zoom = e.camera.zoom;
    for (const SelectedVertex& v : e.selection.vertices()) {
        Triangle& t = viewAt(e, v.triangle);
        Point3& p = t.v[static_cast<std::size_t>(v.vertex)];
        p.y += dx / zoom;
        p.z += dy / zoom;
        t.computePolar();
        t.computeNormal();
    }
}

void startRubberBand(Editor& e, PixelPoint click) {
    InteractionState& s = e.interaction;
    s.editPhase = 1;
    e.takeSnapshot();
    s.clickPoints[1] = click;
    roundPointToGrid(e.camera, e.view, e.snap, s.clickPoints[1]);
}

void translateView(Editor& e, int t, std::int32_t dx, std::int32_t dy) {
    Triangle& tri = viewAt(e, t);
    const double zoom = e.camera.zoom;
    for (Point3& p : tri.v) {
        p.y += dx / zoom;
        p.z += dy / zoom;
    }
    tri.computePolar();
    tri.computeNormal();
}

bool refuseForCapacity(Editor& e) {
    const InteractionState& s = e.interaction;
    const int last = e.store.lastIndex;
    bool refuse = false;
    if (s.toolMode == ToolMode::DrawTriangle) {
        refuse = s.editPhase == 0 && last + 1 >= kMaxTriangles;
    } else if (s.toolMode == ToolMode::Sphere) {
        refuse = last + sphereTriangleCount(e.settings.sphereLongitudeLines,
                                            e.settings.sphereLatitudeLines,
                                            s.sphereQuadSplit) >=
                 kMaxTriangles;
    }
    if (refuse) {
        showTooManyPolygons(e);
    }
    return refuse;
}

void eraseAt(Editor& e, PixelPoint p) {
    if (const auto hit = pickTriangle(e, p, true)) {
        removeViewTriangle(e.store, e.selection, pickedIndex(e, *hit));
    }
    e.refreshViewToModel();
}

void paintAt(Editor& e, PixelPoint p) {
    if (const auto hit = pickTriangle(e, p, false)) {
        const int t = pickedIndex(e, *hit);
        recolourTriangle(e.store, t, e.interaction.currentColour);
    }
}

void finishPopupMove(Editor& e, PixelPoint click) {
    InteractionState& s = e.interaction;
    const std::int32_t dx = click.x - s.dragLast.x;
    const std::int32_t dy = click.y - s.dragLast.y;
    offset(s.selectionRect, dx, dy);
    s.dragLast = click;
    translateView(e, s.pickedTriangle, dx, dy);
    e.refreshViewToModel();
    s.movingTriangle = false;
    s.editPhase = 0;
    if (s.toolMode == ToolMode::DrawTriangle) {
        --e.store.lastIndex; // the click reserved a provisional slot
    }
    e.countEdit(); // the popup took the snapshot
}

void drawTriangleDown(Editor& e) {
    InteractionState& s = e.interaction;
    const double zoom = e.camera.zoom;
    Triangle& t = modelAt(e, e.store.lastIndex);
    t.setVertex(s.editPhase - 1, Point3(s.clickModelPoint.x / zoom, s.clickModelPoint.y / zoom,
                                        s.clickModelPoint.z / zoom));
    t.computePolar();
    t.setColour(s.currentColour);
    e.refreshModelToView();
    if (s.editPhase == 3) {
        e.countEdit();
        Triangle& v = viewAt(e, e.store.lastIndex);
        t.computeNormal();
        v.computeNormal();
        if (v.normal.x < 0) { // a new triangle always faces the viewer
            t.reverseWinding();
            v.reverseWinding();
        }
        s.editPhase = 0;
    }
}

void rangeMoveDown(Editor& e, unsigned flags, PixelPoint click) {
    InteractionState& s = e.interaction;
    s.selectionRect = normalised(s.selectionRect);
    s.selectionRect.right = s.selectionRect.left;
    s.selectionRect.bottom = s.selectionRect.top;
    if (s.editPhase == 1) {
        e.takeSnapshot();
        if ((flags & kShift) == 0) {
            e.selection.clear(e.store); // a band without Shift starts a new selection
        }
    } else if (s.editPhase == 3) {
        if ((flags & kShift) != 0) {
            startRubberBand(e, click);
        } else if (s.centreBox.contains(click.x, click.y) ||
                   s.grabBox.contains(click.x, click.y)) {
            if (!s.grabBox.contains(click.x, click.y)) {
                const Rect& c = e.camera.clientRect;
                s.grabBox = boxAround((c.left + c.right) / 2, (c.top + c.bottom) / 2);
            }
            s.dragLast = s.dragStart = click;
            s.dragging = true;
        } else {
            s.editPhase = 0;
            e.selection.clear(e.store);
            e.takeSnapshot();
            startRubberBand(e, click);
        }
    } else {
        s.editPhase = 0;
    }
}

void rangeMoveUp(Editor& e, unsigned flags, PixelPoint release) {
    InteractionState& s = e.interaction;
    const Camera& c = e.camera;
    if (s.editPhase == 1) {
        s.selectionRect = {s.clickPoints[1].x, s.clickPoints[1].y, release.x, release.y};
        s.grabBox = boxAround((c.clientRect.left + c.clientRect.right) / 2,
                              (c.clientRect.top + c.clientRect.bottom) / 2);
        if ((flags & kShift) == 0) {
            e.selection.clear(e.store);
        }
        s.selectionRect = normalised(s.selectionRect);
        const std::int32_t ox = truncToInt32(c.centreX);
        const std::int32_t oy = truncToInt32(c.centreY);
        for (int i = 0; i <= e.store.lastIndex; ++i) {
            Triangle& v = viewAt(e, i);
            if (!s.selectHiddenVertices && v.normal.x < 0) {
                continue;
            }
            for (std::size_t k = 0; k < 3; ++k) {
                const std::int32_t px =
                    saturateToInt32(std::int64_t{truncToInt32(c.zoom * v.v[k].y)} + ox);
                const std::int32_t py =
                    saturateToInt32(std::int64_t{truncToInt32(c.zoom * v.v[k].z)} + oy);
                if (s.selectionRect.contains(px, py)) {
                    e.selection.toggleMark(e.store, i, static_cast<int>(k));
                }
            }
        }
        e.selection.rebuild(e.store);
        s.editPhase = 2;
        if (!e.selection.empty()) {
            e.takeSnapshot();
        }
        s.moveCounted = false;
        if (e.selection.empty()) {
            s.editPhase = 0;
            s.selectionRect = {};
        }
    } else if (s.editPhase == 3) {
        std::int32_t dx = release.x - s.dragLast.x;
        std::int32_t dy = release.y - s.dragLast.y;
        if (e.view.anyGridSpacing()) {
            offset(s.selectionRect, dx, dy);
            offset(s.grabBox, dx, dy);
            const PixelPoint total{release.x - s.dragStart.x, release.y - s.dragStart.y};
            PixelPoint rounded = total;
            roundOffsetToGrid(c, e.view, e.snap, rounded);
            dx = rounded.x - total.x;
            dy = rounded.y - total.y;
            offset(s.selectionRect, dx, dy);
            offset(s.grabBox, dx, dy);
        }
        moveSelection(e, dx, dy);
        if (!s.moveCounted) {
            if (!e.selection.empty()) {
                e.countEdit();
            }
            s.moveCounted = true;
        }
        e.refreshViewToModel();
        e.refreshModelToView();
        s.editPhase = 2;
        s.dragging = false;
    }
}

void sphereDown(Editor& e) {
    InteractionState& s = e.interaction;
    e.countEdit();
    ++e.store.lastIndex; // the reserved slot
    s.selectionRect = normalised(s.selectionRect);
    s.selectionRect.right = s.selectionRect.left;
    s.selectionRect.bottom = s.selectionRect.top;
    roundPointToGrid(e.camera, e.view, e.snap, s.clickPoints[1]);
    s.sphereStart = {e.camera.depth, s.clickPoints[1].x - e.camera.centreX,
                     s.clickPoints[1].y - e.camera.centreY};
}

void sphereUp(Editor& e, PixelPoint release) {
    InteractionState& s = e.interaction;
    if (s.editPhase != 1) {
        return;
    }
    PixelPoint end = release;
    roundPointToGrid(e.camera, e.view, e.snap, end);
    s.selectionRect = normalised(s.clickPoints[1], end);
    s.sphereEnd = {e.camera.depth, end.x - e.camera.centreX, end.y - e.camera.centreY};
    if (s.sphereStart.z == s.sphereEnd.z) {
        --e.store.lastIndex; // zero height: nothing made
    } else {
        generateSphere(e.store, s.sphereStart, s.sphereEnd, e.settings.sphereLongitudeLines,
                       e.settings.sphereLatitudeLines, s.sphereQuadSplit, e.camera.zoom,
                       s.currentColour);
        e.refreshViewToModel();
        e.refreshModelToView();
    }
    s.editPhase = 0;
}

void pan(Editor& e, std::int32_t dx, std::int32_t dy) {
    Camera& c = e.camera;
    c.originOffsetX = std::clamp(c.originOffsetX + dx / c.zoom, -kPanLimit, kPanLimit);
    c.originOffsetY = std::clamp(c.originOffsetY + dy / c.zoom, -kPanLimit, kPanLimit);
}

} // namespace

bool pointInTriangle(const Triangle& t, const Camera& c, PixelPoint point) {
    double dx[3];
    double dy[3];
    for (std::size_t i = 0; i < 3; ++i) {
        dx[i] = c.zoom * t.v[i].y - (point.x - c.centreX);
        dy[i] = c.zoom * t.v[i].z - (point.y - c.centreY);
    }
    auto angle = [&](std::size_t a, std::size_t b) {
        const double la = std::sqrt(dx[a] * dx[a] + dy[a] * dy[a]);
        const double lb = std::sqrt(dx[b] * dx[b] + dy[b] * dy[b]);
        if (la == 0.0 || lb == 0.0) {
            return -1.0; // on a vertex
        }
        // A rounding step past +-1 gives NaN, and NaN compares as outside.
        return std::acos((dx[a] * dx[b] + dy[a] * dy[b]) / (la * lb));
    };
    const double a01 = angle(0, 1);
    const double a12 = angle(1, 2);
    const double a02 = angle(0, 2);
    if (a01 < 0 || a12 < 0 || a02 < 0) {
        return true; // a point exactly on a vertex counts as inside
    }
    const double ratio = (a01 + a12 + a02) / (2 * std::acos(-1.0));
    return 0.999999999999 < ratio && ratio < 1.0000000000001;
}

std::optional<int> pickTriangle(const Editor& e, PixelPoint point, bool skipBackFacing) {
    // The whole sorted range: after a paint with a selection shown it holds the free slot
    // after the last triangle too, and stopping at lastIndex would miss the nearest one.
    const int last = e.store.lastIndex;
    const int scanLast = drawOrderScanLast(e);
    for (int i = 0; i <= scanLast; ++i) {
        const int t = e.drawOrder[static_cast<std::size_t>(scanLast - i)];
        if (t < 0 || t > last) {
            continue; // stale order entry (no paint since the store changed)
        }
        const Triangle& tri = e.store.viewTriangles[static_cast<std::size_t>(t)];
        if (skipBackFacing && tri.normal.x < 0) {
            continue;
        }
        if (pointInTriangle(tri, e.camera, point)) {
            return i;
        }
    }
    return std::nullopt;
}

void onLeftButtonDown(Editor& e, unsigned flags, PixelPoint click) {
    InteractionState& s = e.interaction;
    e.setModified(true);
    if (s.toolMode == ToolMode::Sphere && s.editPhase != 0) {
        return; // the rectangle's release was lost: this press goes on with the same drag
    }
    if (refuseForCapacity(e)) {
        return;
    }
    const ToolMode mode = s.toolMode;
    const bool snapshotTools = mode == ToolMode::RangeMove || mode == ToolMode::DrawTriangle ||
                               mode == ToolMode::Sphere;
    if (snapshotTools && !s.movingTriangle && s.editPhase == 0) {
        e.takeSnapshot();
    }
    s.editPhase = static_cast<std::int8_t>(s.editPhase + 1);
    if (mode == ToolMode::DrawTriangle) {
        if (s.editPhase == 4) {
            s.editPhase = 1;
        }
        if (s.editPhase == 1) {
            ++e.store.lastIndex; // the provisional triangle's slot
        }
    }
    const auto point = static_cast<std::size_t>(std::clamp<int>(s.editPhase, 1, 3));
    s.clickPoints[point] = click;
    s.clickModelPoint = modelPointFromClient(e.camera, click.x, click.y);
    if (e.snap.vertexSnap[point] && e.store.lastIndex != 0) {
        s.clickModelPoint = snapToVertex(e.store, e.camera, s.clickModelPoint, click);
    }
    if (e.snap.gridSnap[point]) {
        if (const auto snapped = snapClickToGrid(e.camera, e.view, click)) {
            s.clickModelPoint = *snapped;
        }
    }
    if (s.movingTriangle) {
        finishPopupMove(e, click);
        return;
    }
    switch (mode) {
    case ToolMode::DrawTriangle:
        drawTriangleDown(e);
        break;
    case ToolMode::Erase:
        s.buttonHeld = true;
        s.editPhase = 0;
        e.takeSnapshot();
        e.countEdit();
        eraseAt(e, click);
        break;
    case ToolMode::Paint:
        s.buttonHeld = true;
        s.editPhase = 0;
        e.takeSnapshot();
        e.countEdit();
        paintAt(e, click);
        break;
    case ToolMode::RangeMove:
        rangeMoveDown(e, flags, click);
        break;
    case ToolMode::Sphere:
        sphereDown(e);
        break;
    case ToolMode::OriginMove:
    case ToolMode::Zoom:
        s.buttonHeld = true;
        s.dragLast = click;
        s.editPhase = 0;
        break;
    }
    e.repaint();
    e.host.setMouseCapture(true);
}

void onMouseMove(Editor& e, unsigned flags, PixelPoint p) {
    InteractionState& s = e.interaction;
    if (e.view.statusFixed == 0 && s.statusBoxRect.contains(p.x, p.y)) {
        s.statusCorner = s.statusCorner == 0 ? 4 : 0; // jump away from the pointer
    }
    const ModelPoint cursor = modelPointFromClient(e.camera, p.x, p.y);
    e.camera.cursorDepth = cursor.x;
    e.camera.cursorHorizontal = cursor.y;
    e.camera.cursorVertical = cursor.z;
    s.lastPointer = p;
    if (flags == kMiddle) { // middle button alone pans in any tool
        if (s.middleDragFresh) {
            s.dragLast = p;
        }
        s.middleDragFresh = false;
        const std::int32_t dx = p.x - s.dragLast.x;
        const std::int32_t dy = p.y - s.dragLast.y;
        s.dragLast = p;
        pan(e, dx, dy);
        if (s.toolMode == ToolMode::RangeMove && s.editPhase == 2) {
            offset(s.selectionRect, dx, dy);
        }
        e.repaint();
        return;
    }
    s.middleDragFresh = true;
    if (s.movingTriangle) {
        const std::int32_t dx = p.x - s.dragLast.x;
        const std::int32_t dy = p.y - s.dragLast.y;
        offset(s.selectionRect, dx, dy);
        s.dragLast = p;
        translateView(e, s.pickedTriangle, dx, dy);
        e.refreshViewToModel();
    }
    switch (s.toolMode) {
    case ToolMode::Erase:
        if (s.buttonHeld) {
            eraseAt(e, p);
        }
        break;
    case ToolMode::Paint:
        if (s.buttonHeld) {
            paintAt(e, p);
        }
        break;
    case ToolMode::RangeMove:
        if (s.editPhase == 1) {
            s.selectionRect = {s.clickPoints[1].x, s.clickPoints[1].y, p.x, p.y};
            const PixelPoint middle = centre(s.selectionRect);
            s.grabBox = boxAround(middle.x, middle.y);
        } else if (s.dragging) {
            const std::int32_t dx = p.x - s.dragLast.x;
            const std::int32_t dy = p.y - s.dragLast.y;
            offset(s.selectionRect, dx, dy);
            offset(s.grabBox, dx, dy);
            s.dragLast = p;
            moveSelection(e, dx, dy);
            e.refreshViewToModel();
            e.refreshModelToView();
        }
        break;
    case ToolMode::Sphere:
        if (s.editPhase == 1) {
            s.selectionRect = {s.clickPoints[1].x, s.clickPoints[1].y, p.x, p.y};
        }
        break;
    case ToolMode::OriginMove:
        if (s.buttonHeld) {
            pan(e, p.x - s.dragLast.x, p.y - s.dragLast.y);
            s.dragLast = p;
        }
        break;
    case ToolMode::Zoom:
        if (s.buttonHeld) {
            const std::int32_t dy = p.y - s.dragLast.y;
            s.dragLast = p;
            e.camera.zoom = std::clamp(e.camera.zoom - dy * 0.01, kMinToolZoom, kMaxZoom);
        }
        break;
    case ToolMode::DrawTriangle:
        break;
    }
    e.repaint();
}

void onLeftButtonUp(Editor& e, unsigned flags, PixelPoint p) {
    InteractionState& s = e.interaction;
    switch (s.toolMode) {
    case ToolMode::Erase:
    case ToolMode::Paint:
    case ToolMode::OriginMove:
    case ToolMode::Zoom:
        s.buttonHeld = false;
        break;
    case ToolMode::RangeMove:
        rangeMoveUp(e, flags, p);
        break;
    case ToolMode::Sphere:
        sphereUp(e, p);
        break;
    case ToolMode::DrawTriangle:
        break;
    }
    e.repaint();
    e.host.setMouseCapture(false);
}

void onRightButtonDown(Editor& e, unsigned, PixelPoint click) {
    InteractionState& s = e.interaction;
    if (s.dragging) {
        return;
    }
    s.lastPointer = click;
    int chosen = 0;
    if (s.movingTriangle) { // cancel the popup move: restore the stored copy
        modelAt(e, s.pickedTriangle).assign(e.store.scratchTriangle);
        modelAt(e, s.pickedTriangle).computePolar();
        modelAt(e, s.pickedTriangle).computeNormal();
        s.movingTriangle = false;
        e.refreshModelToView();
        e.repaint();
        return;
    }
    if (s.editPhase != 0) {
        s.editPhase = 0;
        if (s.toolMode == ToolMode::RangeMove) {
            s.selectionRect = normalised(s.selectionRect);
            if (s.centreBox.contains(click.x, click.y) || s.grabBox.contains(click.x, click.y)) {
                chosen = e.host.popupMenu(kSelectionPopupMenu, click);
            } else {
                e.selection.clear(e.store);
            }
        } else if (s.toolMode == ToolMode::DrawTriangle || s.toolMode == ToolMode::Sphere) {
            --e.store.lastIndex; // the provisional triangle or the reserved slot
        }
    } else if (const auto hit = pickTriangle(e, click, false)) {
        s.pickedTriangle = static_cast<std::int16_t>(pickedIndex(e, *hit));
        e.highlightedTriangle = s.pickedTriangle;
        e.repaint(); // the hatched triangle shows while the menu is up
        e.takeSnapshot();
        s.pickedOrderPos = *hit;
        chosen = e.host.popupMenu(kTrianglePopupMenu, click);
        e.highlightedTriangle = -1;
    } else {
        e.selection.clear(e.store);
        chosen = e.host.popupMenu(kSelectionPopupMenu, click);
    }
    e.refreshModelToView();
    e.repaint();
    if (chosen != 0) {
        dispatchCommand(e, chosen);
    }
}

void popupDeleteTriangle(Editor& e) {
    InteractionState& s = e.interaction;
    // Never the unfinished triangle: the next click would write to the slot before the first.
    abandonDrawing(s, e.store);
    if (s.pickedTriangle < 0 || s.pickedTriangle > e.store.lastIndex) {
        return;
    }
    removeViewTriangle(e.store, e.selection, s.pickedTriangle);
    e.refreshViewToModel();
    e.countEdit();
    sortByDepth(e);
}

void popupMoveTriangle(Editor& e) {
    InteractionState& s = e.interaction;
    abandonDrawing(s, e.store);
    if (s.pickedTriangle < 0 || s.pickedTriangle > e.store.lastIndex) {
        return;
    }
    e.store.scratchTriangle.assign(modelAt(e, s.pickedTriangle));
    const Triangle& v = viewAt(e, s.pickedTriangle);
    // The centroid is used as it is, not multiplied by the zoom.
    e.host.setPointerPosition({truncToInt32(e.camera.centreX + v.centroid.y),
                               truncToInt32(e.camera.centreY + v.centroid.z)});
    s.dragLast = s.lastPointer;
    s.movingTriangle = true;
}

void popupCancel(Editor&) {}

namespace {

// The picked triangle, found again through the draw order, or -1 when the store changed.
int pickedAgain(const Editor& e) {
    const int last = e.store.lastIndex;
    const int pos = drawOrderScanLast(e) - e.interaction.pickedOrderPos;
    if (pos < 0 || pos > drawOrderScanLast(e)) {
        return -1;
    }
    const int t = e.drawOrder[static_cast<std::size_t>(pos)];
    return t >= 0 && t <= last ? t : -1;
}

} // namespace

void popupReverseTriangle(Editor& e) {
    const int t = pickedAgain(e);
    if (t < 0) {
        return;
    }
    modelAt(e, t).reverseWinding();
    viewAt(e, t).reverseWinding();
    e.countEdit();
}

void popupColourTriangle(Editor& e) {
    choosePaintColour(e);
    const int t = e.interaction.pickedTriangle;
    if (t < 0 || t > e.store.lastIndex) {
        return;
    }
    recolourTriangle(e.store, t, e.interaction.currentColour);
    e.countEdit();
}

void popupPickColour(Editor& e) {
    const int t = e.interaction.pickedTriangle;
    if (t >= 0 && t <= e.store.lastIndex) {
        e.interaction.currentColour = viewAt(e, t).colour;
    }
}

} // namespace fcw
