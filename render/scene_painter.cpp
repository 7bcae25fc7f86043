#include "render/scene_painter.h"

#include "render/canvas.h"
#include "render/grid_geometry.h"

#include <utility>

namespace fcw {

namespace {

constexpr Colour kWhite = 0x00FFFFFF;
constexpr Colour kBlack = 0;
constexpr Colour kGrey = 0x00808080; // the stock grey brush

constexpr Colour rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
    return r | (g << 8) | (b << 16);
}

PixelPoint project(const Camera& c, const Point3& p) {
    return {c.projectX(p.y), c.projectY(p.z)};
}

void gridPass(const SceneFrame& f, Canvas& canvas) {
    const ViewOptions& view = f.view;
    if (!view.anyGridSpacing()) {
        return;
    }
    const Camera& c = f.camera;
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
        // Vertical lines across the width, horizontal ones down the height, so the grid
        // fills a tall window as well as a wide one.
        for (double l = 0; width - l * zoom > 0 || height - l * zoom > 0; l += s) {
            if (width - l * zoom > 0) {
                const std::int32_t x = truncToInt32(l * zoom + offX);
                canvas.line({x, 0}, {x, height});
            }
            if (height - l * zoom > 0) {
                const std::int32_t y = truncToInt32(l * zoom + offY);
                canvas.line({0, y}, {width, y});
            }
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

void drawTriangles(const SceneFrame& f, Canvas& canvas) {
    const Camera& c = f.camera;
    const auto slots = static_cast<int>(f.triangles.size());
    for (int k = 0; k <= f.drawCount; ++k) {
        const int t = f.drawOrder[static_cast<std::size_t>(k)];
        if (t < 0 || t >= slots) {
            continue;
        }
        const Triangle& tri = f.triangles[static_cast<std::size_t>(t)];
        if (tri.normal.x < 0 || t == f.hiddenTriangle) {
            continue;
        }
        const PixelPoint points[4] = {project(c, tri.v[0]), project(c, tri.v[1]),
                                      project(c, tri.v[2]), project(c, tri.v[0])};
        switch (f.view.frameMode) {
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

void depthBufferPass(const SceneFrame& f, const SceneFrame::DepthPass& pass, Canvas& canvas) {
    DepthBufferRenderer& r = *pass.renderer;
    if (r.prepare(pass.bitsPerPixel)) {
        if (pass.gridSpacing != 0) {
            r.drawGrid(pass.gridSpacing, f.camera);
        }
        r.renderTriangles(f.triangles, pass.lastIndex, pass.last, f.camera);
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

void toolPreview(const SceneFrame& f, Canvas& canvas) {
    const Pen dotted{Pen::Style::Dotted, 1, kBlack};
    if (f.sphereBox) {
        canvas.setPen(dotted);
        canvas.setBrush({Brush::Style::None, 0});
        canvas.rectangle(*f.sphereBox);
        canvas.ellipse(*f.sphereBox);
    }
    if (!f.rubberLine.empty()) {
        canvas.setPen({Pen::Style::Solid, 1, kBlack});
        canvas.polyline(f.rubberLine);
    }
    if (f.rubberBand) {
        canvas.setPen(dotted);
        canvas.setBrush({Brush::Style::None, 0});
        canvas.rectangle(*f.rubberBand);
    }
    if (f.moveBoxes) {
        const PixelPoint a = centre(f.moveBoxes->centreBox);
        const PixelPoint b = centre(f.moveBoxes->grabBox);
        canvas.setPen({Pen::Style::Solid, 2, rgb(200, 0, 0)});
        canvas.setBrush({Brush::Style::None, 0});
        canvas.rectangle(normalised(a, b));
        moveBox(canvas, f.moveBoxes->grabBox, rgb(0, 0, 0x80), kGrey);
        moveBox(canvas, f.moveBoxes->centreBox, rgb(255, 0, 0), kBlack);
    }
}

void markers(const SceneFrame& f, Canvas& canvas) {
    if (!f.vertexMarkers.empty()) {
        canvas.setPen({Pen::Style::Solid, 1, rgb(0, 0, 255)});
        canvas.setBrush({Brush::Style::Solid, rgb(255, 0, 0)});
        for (const Rect& r : f.vertexMarkers) {
            canvas.rectangle(r);
        }
    }
    if (!f.selectionMarkers.empty()) {
        canvas.setPen({Pen::Style::Solid, 1, rgb(255, 0, 0)});
        canvas.setBrush({Brush::Style::Solid, rgb(0, 0, 255)});
        for (const Rect& r : f.selectionMarkers) {
            canvas.rectangle(r);
        }
    }
    for (const PixelPoint& p : f.snapMarkers) {
        canvas.invertSnapMarker(p.x, p.y);
    }
}

void statusBox(const SceneFrame::StatusBox& s, Canvas& canvas) {
    const Rect& box = s.box;
    canvas.setClip(&box);
    canvas.fillRect(box, kWhite);
    canvas.frameRect(box, kBlack);
    for (const StatusLine& line : s.lines) {
        canvas.text(box.left + line.x, box.top + line.y, line.text);
    }
    canvas.fillRect({box.left + 100, box.top + 72, box.left + 130, box.top + 88}, s.currentColour);
    canvas.setClip(nullptr);
}

void highlight(const SceneFrame::Highlight& h, Canvas& canvas) {
    canvas.setPen({Pen::Style::None, 0, 0});
    canvas.setBrush({Brush::Style::BackwardDiagonalHatch, h.colour});
    canvas.polygon(h.corners);
}

} // namespace

void paintScene(const SceneFrame& f, Canvas& canvas) {
    canvas.setClip(nullptr);
    if (!f.depthPass) {
        canvas.fillRect(f.client, kWhite);
        if (!f.view.gridInFront) {
            gridPass(f, canvas);
        }
        drawTriangles(f, canvas);
    } else {
        depthBufferPass(f, *f.depthPass, canvas);
    }
    toolPreview(f, canvas);
    if (f.view.gridInFront) {
        gridPass(f, canvas);
    }
    markers(f, canvas);
    if (f.status) {
        statusBox(*f.status, canvas);
    }
    if (f.highlight) {
        highlight(*f.highlight, canvas);
    }
}

} // namespace fcw
