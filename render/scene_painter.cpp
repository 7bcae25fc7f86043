#include "render/scene_painter.h"

#include "editor/editor.h"
#include "interact/snap.h"
#include "render/canvas.h"
#include "editor/scene_frame.h"
#include "render/depth_order.h"
#include "render/grid_geometry.h"

#include <algorithm>
#include <cstdio>

namespace fcw {

namespace {

constexpr Colour kWhite = 0x00FFFFFF;
constexpr Colour kBlack = 0;
constexpr Colour kGrey = 0x00808080; // the stock grey brush

constexpr Colour rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
    return r | (g << 8) | (b << 16);
}

// Number of the last drawOrder entry in use, as sortByDepth counts it.
int drawCount(const Editor& e) {
    int n = e.store.lastIndex;
    if (rangeToolBusy(e)) {
        n += 1;
    }
    return std::min(n, kTriangleSlots - 1);
}

PixelPoint project(const Camera& c, const Point3& p) {
    return {c.projectX(p.y), c.projectY(p.z)};
}

void gridPass(const Editor& e, Canvas& canvas) {
    const ViewOptions& view = e.view;
    if (!view.anyGridSpacing()) {
        return;
    }
    const Camera& c = e.camera;
    const double zoom = c.zoom;
    const std::int32_t width = c.clientRect.right - c.clientRect.left;
    const std::int32_t height = c.clientRect.bottom - c.clientRect.top;
    const std::pair<bool, int> grids[] = {{view.gridSpacing5, 5},
                                          {view.gridSpacing10, 10},
                                          {view.gridSpacing20, 20},
                                          {view.gridSpacing40, 40}};
    for (const auto& [on, s] : grids) {
        if (!on || s * zoom < 4.0) { // a grid finer than 4 pixels is not drawn
            continue;
        }
        const auto offX = static_cast<double>(gridLineOffset(c.centreX, s, zoom));
        const auto offY = static_cast<double>(gridLineOffset(c.centreY, s, zoom));
        const std::uint32_t g = gridGrey(s, zoom);
        canvas.setPen({Pen::Style::Solid, 1, rgb(g, g, 255)});
        // Both line families run while the vertical ones stay inside the width.
        for (double l = 0; width - l * zoom > 0; l += s) {
            const std::int32_t x = truncToInt32(l * zoom + offX);
            const std::int32_t y = truncToInt32(l * zoom + offY);
            canvas.line({x, 0}, {x, height});
            canvas.line({0, y}, {width, y});
        }
    }
    canvas.setPen({Pen::Style::Solid, 3, rgb(0, 0, 255)});
    const std::int32_t ox = truncToInt32(c.centreX);
    const std::int32_t oy = truncToInt32(c.centreY);
    canvas.line({ox, 0}, {ox, height});
    canvas.line({0, oy}, {width, oy});

    const double d = c.depth * zoom;
    canvas.setPen({Pen::Style::Solid, 2, c.depth > 0 ? rgb(0, 0, 0xC0) : rgb(0x9B, 0x9B, 0xFF)});
    canvas.setBrush({Brush::Style::None, 0});
    canvas.rectangle(normalised(Rect{truncToInt32(c.centreX - d), truncToInt32(c.centreY - d),
                                truncToInt32(d + c.centreX), truncToInt32(d + c.centreY)}));
}

void drawTriangles(Editor& e, Canvas& canvas, int n) {
    const Camera& c = e.camera;
    const bool phaseActive = toolPhaseActive(e);
    for (int k = 0; k <= n; ++k) {
        const int t = e.drawOrder[static_cast<std::size_t>(k)];
        if (t < 0 || t >= kTriangleSlots) {
            continue;
        }
        Triangle& tri = e.store.viewTriangles[static_cast<std::size_t>(t)];
        if (tri.normal.x < 0 || (t == n && phaseActive)) {
            continue;
        }
        const PixelPoint points[4] = {project(c, tri.v[0]), project(c, tri.v[1]),
                                      project(c, tri.v[2]), project(c, tri.v[0])};
        tri.shade(e.view.brightness);
        switch (e.view.frameMode) {
        case 0:
            canvas.setPen({Pen::Style::Solid, 1, kBlack});
            canvas.polyline(points);
            break;
        case 1:
            canvas.setPen({Pen::Style::Solid, 1, tri.shadedColour});
            canvas.polyline(points);
            break;
        case 2:
            canvas.setPen({Pen::Style::Solid, 1, kBlack});
            canvas.setBrush({Brush::Style::Solid, tri.shadedColour});
            canvas.polygon(std::span(points, 3));
            break;
        default:
            canvas.setPen({Pen::Style::Solid, 1, tri.shadedColour});
            canvas.setBrush({Brush::Style::Solid, tri.shadedColour});
            canvas.polygon(std::span(points, 3));
            break;
        }
    }
}

void depthBufferPass(Editor& e, Canvas& canvas) {
    DepthBufferRenderer& r = e.depthRenderer;
    const bool ok = r.prepare(32); // the back buffer is always 32 bits per pixel
    e.view.depthNormalDisplay = ok ? 1 : 0;
    if (ok) {
        if (const int spacing = gridSpacing(e.view); spacing != 0) {
            r.drawGrid(spacing, e.camera);
        }
        const bool provisional = drawingVerticesPlaced(e) > 0;
        r.renderTriangles(e.store.viewTriangles, e.store.lastIndex,
                          provisional ? DepthBufferRenderer::LastTriangle::Provisional
                                      : DepthBufferRenderer::LastTriangle::Finished,
                          e.view.brightness, e.camera);
    }
    canvas.replaceWithPixels(r.pixels(), r.width(), r.height(), r.rowBytes(), r.bitsPerPixel());
}

void moveBox(Canvas& canvas, const Rect& b, Colour penColour, Colour brushColour) {
    const auto [cx, cy] = centre(b);
    canvas.invertLine({b.left, cy}, {b.right, cy});
    canvas.invertLine({cx, b.top}, {cx, b.bottom});
    canvas.setPen({Pen::Style::Solid, 2, penColour});
    canvas.setBrush({Brush::Style::None, 0});
    canvas.roundRect(b, 20, 20);
    canvas.setPen({Pen::Style::Solid, 1, kBlack});
    canvas.setBrush({Brush::Style::Solid, brushColour});
    const PixelPoint heads[4][3] = {
        {{b.left, cy}, {b.left + 15, cy + 15}, {b.left + 15, cy - 15}},
        {{b.right, cy}, {b.right - 15, cy + 15}, {b.right - 15, cy - 15}},
        {{cx, b.top}, {cx + 15, b.top + 15}, {cx - 15, b.top + 15}},
        {{cx, b.bottom}, {cx + 15, b.bottom - 15}, {cx - 15, b.bottom - 15}},
    };
    for (const auto& head : heads) {
        canvas.polygon(head);
    }
}

void toolPreview(Editor& e, Canvas& canvas) {
    InteractionState& s = e.interaction;
    const Camera& c = e.camera;
    const Pen dotted{Pen::Style::Dotted, 1, kBlack};
    const Pen solid{Pen::Style::Solid, 1, kBlack};
    switch (s.toolMode) {
    case ToolMode::Sphere:
        if (sphereDragShown(e)) {
            canvas.setPen(dotted);
            canvas.setBrush({Brush::Style::None, 0});
            const Rect& r = s.selectionRect;
            const Rect box = normalised(r);
            canvas.rectangle(box);
            canvas.ellipse(box);
        }
        break;
    case ToolMode::DrawTriangle:
        if (drawingVerticesPlaced(e) > 0 && e.store.lastIndex >= 0) {
            const Triangle& t = e.store.viewTriangles[static_cast<std::size_t>(e.store.lastIndex)];
            canvas.setPen(solid);
            const PixelPoint v0 = project(c, t.v[0]);
            if (drawingVerticesPlaced(e) == 1) {
                const PixelPoint points[3] = {v0, s.lastPointer, v0};
                canvas.polyline(points);
            } else {
                const PixelPoint points[4] = {v0, project(c, t.v[1]), s.lastPointer, v0};
                canvas.polyline(points);
            }
        }
        break;
    case ToolMode::RangeMove:
        if (rubberBandShown(e)) {
            canvas.setPen(dotted);
            canvas.setBrush({Brush::Style::None, 0});
            const Rect& r = s.selectionRect;
            canvas.rectangle(normalised(r));
        }
        if (!e.selection.empty() && !e.host.isShiftDown() &&
            (selectionDragged(e) || selectionShown(e))) {
            const Rect& client = c.clientRect;
            s.centreBox = boxAround((client.left + client.right) / 2,
                                    (client.top + client.bottom) / 2);
            const PixelPoint a = centre(s.centreBox);
            const PixelPoint b = centre(s.grabBox);
            canvas.setPen({Pen::Style::Solid, 2, rgb(200, 0, 0)});
            canvas.setBrush({Brush::Style::None, 0});
            canvas.rectangle(normalised(a, b));
            moveBox(canvas, s.grabBox, rgb(0, 0, 0x80), kGrey);
            moveBox(canvas, s.centreBox, rgb(255, 0, 0), kBlack);
        }
        break;
    default:
        break;
    }
}

void vertexMarker(Canvas& canvas, const Camera& c, const Point3& p) {
    const double z = c.zoom;
    canvas.rectangle(normalised(Rect{truncToInt32(z * p.y + c.centreX + 3),
                                truncToInt32(z * p.z + c.centreY + 3),
                                truncToInt32(z * p.y - 3 + c.centreX),
                                truncToInt32(z * p.z - 3 + c.centreY)}));
}

void markers(Editor& e, Canvas& canvas) {
    const Camera& c = e.camera;
    const int mode = e.view.emphasisMode;
    if (e.selection.empty() && mode >= 1 && mode <= 3) {
        canvas.setPen({Pen::Style::Solid, 1, rgb(0, 0, 255)});
        canvas.setBrush({Brush::Style::Solid, rgb(255, 0, 0)});
        const int last = std::min<int>(e.store.lastIndex, kTriangleSlots - 1);
        for (int i = 0; i <= last; ++i) {
            if (i == e.store.lastIndex && toolPhaseActive(e)) {
                continue;
            }
            const Triangle& t = e.store.viewTriangles[static_cast<std::size_t>(i)];
            for (const Point3& p : t.v) {
                const bool show = mode == 3 || (mode == 2 && t.normal.x >= 0) ||
                                  (mode == 1 && std::abs(p.x - c.depth) <= 0.0001);
                if (show) {
                    vertexMarker(canvas, c, p);
                }
            }
        }
    }
    if (rangeToolBusy(e)) {
        canvas.setPen({Pen::Style::Solid, 1, rgb(255, 0, 0)});
        canvas.setBrush({Brush::Style::Solid, rgb(0, 0, 255)});
        for (const SelectedVertex& v : e.selection.vertices()) {
            if (v.triangle < 0 || v.triangle >= kTriangleSlots || v.vertex < 0 || v.vertex > 2) {
                continue;
            }
            vertexMarker(canvas, c,
                         e.store.viewTriangles[static_cast<std::size_t>(v.triangle)]
                             .v[static_cast<std::size_t>(v.vertex)]);
        }
    }
}

void snapMarker(const Editor& e, Canvas& canvas) {
    const InteractionState& s = e.interaction;
    PixelPoint p = s.lastPointer;
    // The marker's corner is 8 pixels up and left of the point; a snap onto a vertex off the
    // 32-bit pixel range (a damaged file's coordinates) stays at the range's end.
    auto draw = [&](PixelPoint at) {
        canvas.invertSnapMarker(saturateToInt32(std::int64_t{at.x} - 8),
                                saturateToInt32(std::int64_t{at.y} - 8));
    };
    switch (s.toolMode) {
    case ToolMode::DrawTriangle: {
        const int placed = drawingVerticesPlaced(e);
        const auto next = static_cast<std::size_t>(placed + 1);
        if (e.snap.gridSnap[next] && e.view.anyGridSpacing()) {
            roundPointToGrid(e.camera, e.view, e.snap, p);
            draw(p);
        }
        if (e.snap.vertexSnap[next] && e.store.lastIndex >= 0 &&
            (placed == 0 || e.store.lastIndex > 0)) {
            previewVertexSnap(e.store, e.camera, placed, p);
            draw(p);
        }
        break;
    }
    case ToolMode::Sphere:
        roundPointToGrid(e.camera, e.view, e.snap, p);
        if (anyGridSnap(e.snap)) {
            draw(p);
        }
        break;
    case ToolMode::RangeMove:
        if (anyGridSnap(e.snap) && selectionDragged(e)) {
            const PixelPoint g = centre(s.grabBox);
            const PixelPoint c = centre(s.centreBox);
            PixelPoint d{g.x - c.x, g.y - c.y};
            roundOffsetToGrid(e.camera, e.view, e.snap, d);
            draw({c.x + d.x, c.y + d.y});
        }
        break;
    default:
        break;
    }
}

void statusBox(Editor& e, Canvas& canvas) {
    const Rect box = statusBoxRectFor(e);
    e.interaction.statusBoxRect = box;
    canvas.setClip(&box);
    canvas.fillRect(box, kWhite);
    canvas.frameRect(box, kBlack);
    for (const StatusLine& line : statusLines(e)) {
        canvas.text(box.left + line.x, box.top + line.y, line.text);
    }
    canvas.fillRect({box.left + 100, box.top + 72, box.left + 130, box.top + 88},
                    e.interaction.currentColour);
    canvas.setClip(nullptr);
}

std::string format(const char* pattern, double value) {
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, pattern, value);
    return buffer;
}

} // namespace

Rect statusBoxRectFor(const Editor& e) {
    const Rect& client = e.camera.clientRect;
    const std::int32_t w = client.right - client.left;
    const std::int32_t h = client.bottom - client.top;
    if (e.interaction.statusCorner == 4) {
        return {w - 390, h - 100, w, h};
    }
    return {0, 0, 390, 100};
}

std::vector<StatusLine> statusLines(const Editor& e) {
    const Camera& c = e.camera;
    char count[64];
    std::snprintf(count, sizeof count, "ポリゴンの数(%d)", e.store.lastIndex + 1);
    return {
        {20, 10, count},
        {20, 30, format("縦軸回転 = (%f)", angleInDegrees(c.verticalAxisAngle))},
        {20, 50, format("横軸回転 = (%f)", angleInDegrees(c.horizontalAxisAngle))},
        {20, 70, "現在の色"},
        {200, 10, format("縦＝(%f)", c.readoutVertical())},
        {200, 30, format("横＝(%f)", c.readoutHorizontal())},
        {200, 50, format("奥行き＝(%f)", c.readoutDepth())},
    };
}

void paintScene(Editor& e, Canvas& canvas) {
    const int n = drawCount(e);
    e.camera.computeCentre();
    const Rect& client = e.camera.clientRect;
    e.interaction.centreBox =
        boxAround((client.right - client.left) / 2, (client.bottom - client.top) / 2);
    canvas.setClip(nullptr);
    const bool depthPath = e.view.depthNormalDisplay != 0 && e.view.frameMode == 3;
    // The depth-buffer path replaces the whole picture, background and grid included.
    if (!depthPath) {
        canvas.fillRect(client, kWhite);
    }
    sortByDepth(e);
    if (!e.view.gridInFront && !depthPath) {
        gridPass(e, canvas);
    }
    if (depthPath) {
        depthBufferPass(e, canvas);
    } else {
        drawTriangles(e, canvas, n);
    }
    toolPreview(e, canvas);
    if (e.view.gridInFront) {
        gridPass(e, canvas);
    }
    markers(e, canvas);
    snapMarker(e, canvas);
    if (e.view.statusVisible != 0) {
        statusBox(e, canvas);
    }
}

void setFrameMode(Editor& editor, int mode) {
    editor.view.frameMode = static_cast<std::int8_t>(mode);
    editor.repaint();
}

void setGridInFront(Editor& editor, bool inFront) {
    editor.view.gridInFront = inFront;
    editor.repaint();
}

} // namespace fcw
