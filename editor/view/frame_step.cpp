#include "editor/view/frame_step.h"

#include "editor/editor.h"
#include "editor/interface_text.h"
#include "editor/tools/operation.h"
#include "editor/tools/tool_registry.h"
#include "interact/snap.h"
#include "render/depth_order.h"
#include "render/device_pixels.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace fcw {

namespace {

constexpr char kUnsupportedPixelDepth[] =
    FCW_TR_NOOP("Message", "現在の画面の色数ではこのモードはは使用できません");

PixelPoint project(const Camera& c, const Point3& p) {
    return {c.projectX(p.y), c.projectY(p.z)};
}

// The 6 x 6 square around a vertex. Computed from the unrounded position, so it may differ by
// a pixel from the projected vertex +-3.
Rect vertexMarker(const Camera& c, const Point3& p) {
    const double z = c.zoom;
    return normalised(
        Rect{truncToInt32(z * p.y + c.centreX + 3), truncToInt32(z * p.z + c.centreY + 3),
             truncToInt32(z * p.y - 3 + c.centreX), truncToInt32(z * p.z - 3 + c.centreY)});
}

// Shades what the paint draws: through the depth buffer every front-facing triangle that
// reaches the view, otherwise every triangle of the draw order that is drawn.
void shadeTriangles(Editor& e, MeshStore& store, const SceneFrame& f) {
    if (f.depthPass) {
        e.services.depthRenderer.prepareTriangles(store.viewTriangles, f.depthPass->lastIndex,
                                                  f.depthPass->last, e.session.view.brightness,
                                                  f.camera, e.session.view.showFacing);
        return;
    }
    for (int k = 0; k <= f.drawCount; ++k) {
        const int t = f.drawOrder[static_cast<std::size_t>(k)];
        if (t < 0 || t >= kTriangleSlots) {
            continue;
        }
        Triangle& tri = store.viewTriangles[static_cast<std::size_t>(t)];
        if (tri.normal.x >= 0 && t != f.hiddenTriangle) {
            tri.shade(e.session.view.brightness);
        }
    }
}

// The depth-buffer pass of the frame, without its renderer (preparePaint lends it).
void depthPass(const Editor& e, SceneFrame& f) {
    if (e.session.view.depthNormalDisplay == 0 || e.session.view.frameMode != FrameMode::Filled) {
        return;
    }
    const int bits = e.host.backBufferBitsPerPixel();
    if (!DepthBufferRenderer::supportsBitsPerPixel(bits)) {
        return; // settleDepthDisplay turns the display off before a paint could meet this
    }
    const bool provisional = drawingVerticesPlaced(e) > 0;
    f.depthPass =
        SceneFrame::DepthPass{nullptr, e.session.view.gridUnits(), e.document.store.lastIndex, bits,
                              provisional ? DepthBufferRenderer::LastTriangle::Provisional
                                          : DepthBufferRenderer::LastTriangle::Finished};
}

// The plane of live symmetry where the pane looks along it: its normal, turned as the view
// list is (the vertical-axis angle turns depth and horizontal, then the horizontal-axis angle
// depth and vertical), has no depth. The line runs through the origin across the pane.
void symmetryLine(const Editor& e, const Camera& c, SceneFrame& f) {
    if (!e.document.symmetry.on) {
        return;
    }
    const MirrorPlane plane = e.document.symmetry.plane;
    const double x = plane == MirrorPlane::FrontBack ? 1.0 : 0.0;
    const double y = plane == MirrorPlane::LeftRight ? 1.0 : 0.0;
    const double z = plane == MirrorPlane::UpDown ? 1.0 : 0.0;
    const double v = c.verticalAxisAngle;
    const double h = c.horizontalAxisAngle;
    const double x1 = x * std::cos(v) + y * std::sin(v);
    const double y1 = y * std::cos(v) - x * std::sin(v);
    const double depth = x1 * std::cos(h) + z * std::sin(h);
    const double z1 = z * std::cos(h) - x1 * std::sin(h);
    if (std::abs(depth) > 1e-6) {
        return;
    }
    const double length = std::hypot(y1, z1);
    const Rect& r = c.clientRect;
    const double reach = 2.0 * ((r.right - r.left) + (r.bottom - r.top));
    const double dx = -z1 / length * reach;
    const double dy = y1 / length * reach;
    f.symmetryLine = std::array<PixelPoint, 2>{
        PixelPoint{truncToInt32(c.centreX - dx), truncToInt32(c.centreY - dy)},
        PixelPoint{truncToInt32(c.centreX + dx), truncToInt32(c.centreY + dy)}};
}

// The slot the triangle pass leaves out: a half-drawn triangle or a sphere's reserved slot,
// or, while the range tool is busy, the free slot after the model that the sort takes in (a
// full store has none, and its last triangle is drawn). -1 when nothing is left out.
int hiddenSlot(const Editor& e) {
    if (const int slot = provisionalSlot(e); slot >= 0) {
        return slot;
    }
    return rangeToolBusy(e) && e.document.store.lastIndex + 1 < kTriangleSlots
               ? e.document.store.lastIndex + 1
               : -1;
}

// What the pointer placed, in the frame's pixels: the window's, or moved to the same place
// in a picture `ratio` times as fine. The grab box keeps its window size (the painter
// enlarges it about its centre, as the centre box).
PointerPlaces pointerPlaces(const Editor& e, double ratio) {
    const PixelPoint pointer = e.session.interaction.lastPointer;
    const RangeTool& range = e.session.tools.range;
    const Rect& sphere = e.session.tools.sphere.rectangle;
    if (ratio == 1.0) {
        return {pointer, range.band, range.grabBox, sphere};
    }
    auto scaled = [ratio](std::int32_t v) { return devicePosition(v, ratio); };
    auto scaledRect = [&](const Rect& r) {
        return Rect{scaled(r.left), scaled(r.top), scaled(r.right), scaled(r.bottom)};
    };
    const PixelPoint grab = centre(range.grabBox);
    return {{scaled(pointer.x), scaled(pointer.y)},
            scaledRect(range.band),
            boxAround(scaled(grab.x), scaled(grab.y)),
            scaledRect(sphere)};
}

// The pane's reference image where the camera puts it: centred `across` and `up` model units
// from the origin, `width` units wide, the height following the image's aspect. Nothing in
// 自由視点, for an empty or missing slot, or a hidden image.
std::optional<ReferenceLayer> referenceLayer(const Editor& e, const Pane& pane, const Camera& c) {
    const auto slot = referenceSlot(pane.kind);
    if (!slot) {
        return std::nullopt;
    }
    const ReferenceImage& r = e.document.references[*slot];
    if (!r.loaded() || !r.settings.shown) {
        return std::nullopt;
    }
    ReferenceLayer l;
    l.argb = r.argb;
    l.width = r.pixelWidth;
    l.height = r.pixelHeight;
    l.scale = c.zoom * r.settings.width / r.pixelWidth;
    l.left = c.centreX + c.zoom * r.settings.across - l.scale * r.pixelWidth / 2;
    l.top = c.centreY - c.zoom * r.settings.up - l.scale * r.pixelHeight / 2;
    l.opacity = r.settings.opacity;
    return l;
}

void markers(const Editor& e, const MeshStore& store, const Camera& c, SceneFrame& f) {
    const int mode = e.session.view.emphasisMode;
    if (e.document.selection.empty() && mode >= 1 && mode <= 3) {
        const int last = std::min<int>(e.document.store.lastIndex, kTriangleSlots - 1);
        f.vertexMarkers.reserve(3 * static_cast<std::size_t>(std::max(last + 1, 0)));
        for (int i = 0; i <= last; ++i) {
            if (i == e.document.store.lastIndex && toolPhaseActive(e)) {
                continue;
            }
            const Triangle& t = store.viewTriangles[static_cast<std::size_t>(i)];
            for (const Point3& p : t.v) {
                const bool show = mode == 3 || (mode == 2 && t.normal.x >= 0) ||
                                  (mode == 1 && std::abs(p.x - c.depth) <= 0.0001);
                if (show) {
                    f.vertexMarkers.push_back(vertexMarker(c, p));
                }
            }
        }
    }
    if (rangeToolBusy(e)) {
        for (const SelectedVertex& v : e.document.selection.vertices()) {
            if (v.triangle < 0 || v.triangle >= kTriangleSlots || v.vertex < 0 || v.vertex > 2) {
                continue;
            }
            f.selectionMarkers.push_back(
                vertexMarker(c, store.viewTriangles[static_cast<std::size_t>(v.triangle)]
                                    .v[static_cast<std::size_t>(v.vertex)]));
        }
    }
}

void statusBox(const Editor& e, PaneFrame& pf) {
    if (e.session.view.statusVisible == 0) {
        return; // the pointer keeps dodging where the box was last shown
    }
    const Rect box = statusBoxRectFor(e, pf.camera.clientRect);
    pf.lastPaint.statusBoxRect = box;
    pf.scene.status =
        SceneFrame::StatusBox{box, statusLines(e, pf.camera), e.session.interaction.currentColour};
}

void highlight(const Editor& e, const Camera& c, SceneFrame& f) {
    const int t = e.session.highlightedTriangle;
    if (t < 0 || t > std::min<int>(e.document.store.lastIndex, kTriangleSlots - 1)) {
        return;
    }
    const Triangle& tri = e.document.store.viewTriangles[static_cast<std::size_t>(t)];
    f.highlight = SceneFrame::Highlight{
        {project(c, tri.v[0]), project(c, tri.v[1]), project(c, tri.v[2])}, tri.colour | 0x808080u};
}

// A read-out of the status box: the value as %f writes it, put into the pattern's "%1" in the
// host's language (the catalogue never supplies a format of its own).
std::string reading(const Editor& e, const char* pattern, double value) {
    char number[512];
    std::snprintf(number, sizeof number, "%f", value);
    return fillIn(e.host.translate(text_context::kStatus, pattern), {number});
}

// The last draw-order position a sort fills: the last triangle, and while the range tool is
// busy the free slot after it too (never past the store's last slot).
int sortedLast(const Editor& e) {
    int n = e.document.store.lastIndex;
    if (rangeToolBusy(e)) {
        n += 1;
    }
    return std::min(n, kTriangleSlots - 1);
}

} // namespace

void addSnapMarker(SceneFrame& f, PixelPoint at) {
    // The marker's corner is 8 pixels up and left of the point; a snap onto a vertex off the
    // 32-bit pixel range (a damaged file's coordinates) stays at the range's end.
    f.snapMarkers.push_back(
        {saturateToInt32(std::int64_t{at.x} - 8), saturateToInt32(std::int64_t{at.y} - 8)});
}

namespace {

// The frame of `pane` with `store`'s view list turned by its camera. Only the active pane
// shows the tool's preview, the snap markers, the status box and the highlight.
PaneFrame paneFrame(const Editor& e, const MeshStore& store, const Pane& pane, double pointerRatio,
                    bool active, const TurnedModel* sorted = nullptr) {
    PaneFrame pf;
    pf.camera = pane.camera;
    pf.camera.computeCentre();
    const Camera& camera = pf.camera;
    const Rect& client = camera.clientRect;
    pf.lastPaint.statusBoxRect = pane.lastPaint.statusBoxRect;
    pf.lastPaint.centreBox =
        boxAround((client.right - client.left) / 2, (client.bottom - client.top) / 2);
    pf.lastPaint.drawOrder = pane.lastPaint.drawOrder; // entries past the sorted range stay
    pf.lastPaint.drawOrderLast = sortedLast(e);
    if (sorted != nullptr && sorted->orderLast == pf.lastPaint.drawOrderLast) {
        std::copy(sorted->order.begin(), sorted->order.end(), pf.lastPaint.drawOrder.begin());
    } else {
        sortByDepth(store.depthKeys, pf.lastPaint.drawOrderLast, pf.lastPaint.drawOrder);
    }
    SceneFrame& f = pf.scene;
    f.triangles = store.viewTriangles;
    f.drawOrder = pf.lastPaint.drawOrder;
    f.drawCount = pf.lastPaint.drawOrderLast;
    f.hiddenTriangle = hiddenSlot(e);
    depthPass(e, f);
    symmetryLine(e, camera, f);
    const PointerPlaces pointer = pointerPlaces(e, pointerRatio);
    if (active) {
        activeTool(e).addPreview(e, pointer, pf);
    }
    markers(e, store, camera, f);
    if (active) {
        activeTool(e).addSnapMarkers(e, pointer, pf);
        statusBox(e, pf);
        highlight(e, camera, f);
    }
    f.camera = camera;
    f.client = client;
    f.view = e.session.view;
    f.reference = referenceLayer(e, pane, camera);
    return pf;
}

} // namespace

PaneFrame frameFor(const Editor& e, const Pane& pane, double pointerRatio) {
    return paneFrame(e, e.document.store, pane, pointerRatio, true);
}

namespace {

// Lends the frame the depth renderer and shades what it draws.
SceneFrame finishFrame(Editor& e, MeshStore& store, PaneFrame& pf) {
    SceneFrame& f = pf.scene;
    if (f.depthPass) {
        f.depthPass->renderer = &e.services.depthRenderer;
    }
    shadeTriangles(e, store, f);
    return std::move(pf.scene);
}

// Whether `turned` still holds the model as the editor's store has it: the same triangles'
// colours and corners (the turned view list and depth keys follow from them), and the same
// depth key for the free slot a busy range tool sorts in.
bool sameModel(const Editor& e, const MeshStore& turned) {
    const MeshStore& store = e.document.store;
    if (turned.lastIndex != store.lastIndex) {
        return false;
    }
    const int last = sortedLast(e);
    for (int i = 0; i <= last; ++i) {
        if (!sameCore(store.modelTriangles[static_cast<std::size_t>(i)].core(),
                      turned.modelTriangles[static_cast<std::size_t>(i)].core())) {
            return false;
        }
    }
    for (int i = store.lastIndex + 1; i <= last; ++i) {
        if (store.depthKeys[static_cast<std::size_t>(i)] !=
            turned.depthKeys[static_cast<std::size_t>(i)]) {
            return false;
        }
    }
    return true;
}

// Brings `turned` up to the editor's model turned by `camera`'s angles, unless it already is.
void turnForPane(const Editor& e, const Camera& camera, TurnedModel& turned) {
    if (turned.store && turned.verticalAxisAngle == camera.verticalAxisAngle &&
        turned.horizontalAxisAngle == camera.horizontalAxisAngle && sameModel(e, *turned.store)) {
        return;
    }
    if (!turned.store) {
        turned.store = std::make_unique<MeshStore>();
    }
    *turned.store = e.document.store;
    turned.store->refreshModelToView(camera.verticalAxisAngle, camera.horizontalAxisAngle);
    turned.verticalAxisAngle = camera.verticalAxisAngle;
    turned.horizontalAxisAngle = camera.horizontalAxisAngle;
    turned.orderLast = -2;
    turned.shadedLast = -2;
}

// Keeps the sorted range of a frame of `turned`'s store for the next one.
void keepOrder(const PaneFrame& pf, TurnedModel& turned) {
    const int last = pf.lastPaint.drawOrderLast;
    if (turned.orderLast != last) {
        const auto end = pf.lastPaint.drawOrder.begin() + (last + 1);
        turned.order.assign(pf.lastPaint.drawOrder.begin(), end);
        turned.orderLast = last;
    }
}

// finishFrame for a frame of `turned`'s store: its view list keeps its shading from the last
// frame when that frame drew the same slots at the same brightness.
SceneFrame finishTurnedFrame(Editor& e, TurnedModel& turned, PaneFrame& pf) {
    const SceneFrame& f = pf.scene;
    if (!f.depthPass && turned.shadedLast == f.drawCount &&
        turned.shadedHidden == f.hiddenTriangle &&
        turned.shadedBrightness == e.session.view.brightness) {
        return std::move(pf.scene);
    }
    turned.shadedLast = f.depthPass ? -2 : f.drawCount;
    turned.shadedHidden = f.hiddenTriangle;
    turned.shadedBrightness = e.session.view.brightness;
    return finishFrame(e, *turned.store, pf);
}

} // namespace

SceneFrame preparePaint(Editor& e, Pane& pane) {
    PaneFrame pf = frameFor(e, pane);
    pane.camera.computeCentre(); // the origin's window position this frame used
    pane.lastPaint = std::move(pf.lastPaint);
    pf.scene.drawOrder = pane.lastPaint.drawOrder;
    return finishFrame(e, e.document.store, pf);
}

void recordFrame(Editor& e, Pane& pane) {
    PaneFrame pf = frameFor(e, pane);
    pane.camera.computeCentre();
    pane.lastPaint = std::move(pf.lastPaint);
}

SceneFrame prepareScaledPaint(Editor& e, Pane& pane, const Camera& device, double ratio) {
    if (ratio == 1.0) {
        return preparePaint(e, pane);
    }
    preparePaint(e, pane);
    Pane scaled;
    scaled.camera = device;
    scaled.kind = pane.kind; // the pane's reference image shows at every scale
    scaled.lastPaint.statusBoxRect = pane.lastPaint.statusBoxRect;
    scaled.lastPaint.drawOrder = pane.lastPaint.drawOrder;
    PaneFrame pf = frameFor(e, scaled, ratio);
    // The same depth keys sort the same: the frame draws the window's order.
    pf.scene.drawOrder = pane.lastPaint.drawOrder;
    return finishFrame(e, e.document.store, pf);
}

SceneFrame prepareOtherPanePaint(Editor& e, Pane& pane, TurnedModel& turned, const Camera& device,
                                 double ratio) {
    turnForPane(e, pane.camera, turned);
    MeshStore& scratch = *turned.store;
    PaneFrame window = paneFrame(e, scratch, pane, 1.0, false, &turned);
    keepOrder(window, turned);
    pane.camera.computeCentre();
    pane.lastPaint = std::move(window.lastPaint);
    if (ratio == 1.0) {
        window.scene.drawOrder = pane.lastPaint.drawOrder;
        return finishTurnedFrame(e, turned, window);
    }
    Pane scaled;
    scaled.camera = device;
    scaled.kind = pane.kind; // the pane's reference image shows at every scale
    scaled.lastPaint.drawOrder = pane.lastPaint.drawOrder;
    PaneFrame pf = paneFrame(e, scratch, scaled, ratio, false, &turned);
    pf.scene.drawOrder = pane.lastPaint.drawOrder;
    return finishTurnedFrame(e, turned, pf);
}

void settleDepthDisplay(Editor& e) {
    if (e.session.view.depthNormalDisplay == 0 || e.session.view.frameMode != FrameMode::Filled ||
        DepthBufferRenderer::supportsBitsPerPixel(e.host.backBufferBitsPerPixel())) {
        return;
    }
    e.session.view.depthNormalDisplay = 0;
    e.host.messageBox(e.host.translate(text_context::kMessage, kUnsupportedPixelDepth),
                      MessageButtons::Ok, MessageIcon::Warning);
}

SceneFrame stepFrame(Editor& e) {
    return preparePaint(e, e.pane());
}

void sortByDepth(Editor& editor) {
    LastPaint& last = editor.pane().lastPaint;
    last.drawOrderLast = sortedLast(editor);
    sortByDepth(editor.document.store.depthKeys, last.drawOrderLast, last.drawOrder);
}

int drawOrderScanLast(const Pane& pane, int lastIndex) {
    return std::min<int>(std::max<int>(pane.lastPaint.drawOrderLast, lastIndex),
                         kTriangleSlots - 1);
}

Rect statusBoxRectFor(const Editor& e, const Rect& client) {
    const std::int32_t w = client.right - client.left;
    const std::int32_t h = client.bottom - client.top;
    if (e.session.interaction.statusCorner == StatusCorner::BottomRight) {
        return {w - 390, h - 100, w, h};
    }
    return {0, 0, 390, 100};
}

std::vector<StatusLine> statusLines(const Editor& e, const Camera& c) {
    const std::string count =
        fillIn(e.host.translate(text_context::kStatus, FCW_TR_NOOP("Status", "ポリゴンの数(%1)")),
               {std::to_string(e.document.store.lastIndex + 1)});
    return {
        {20, 10, count},
        {20, 30,
         reading(e, FCW_TR_NOOP("Status", "縦軸回転 = (%1)"), angleInDegrees(c.verticalAxisAngle))},
        {20, 50,
         reading(e, FCW_TR_NOOP("Status", "横軸回転 = (%1)"),
                 angleInDegrees(c.horizontalAxisAngle))},
        {20, 70, e.host.translate(text_context::kStatus, FCW_TR_NOOP("Status", "現在の色"))},
        {200, 10, reading(e, FCW_TR_NOOP("Status", "縦＝(%1)"), c.readoutVertical())},
        {200, 30, reading(e, FCW_TR_NOOP("Status", "横＝(%1)"), c.readoutHorizontal())},
        {200, 50, reading(e, FCW_TR_NOOP("Status", "奥行き＝(%1)"), c.readoutDepth())},
    };
}

} // namespace fcw
