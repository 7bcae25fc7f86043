#include "render/scene_painter.h"

#include "model/split_range.h"
#include "render/cache_bands.h"
#include "render/canvas.h"
#include "render/device_pixels.h"
#include "render/grid_geometry.h"
#include "render/later_repeats.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <utility>
#include <vector>

namespace fcw {

namespace {

constexpr Colour kWhite = 0x00FFFFFF;
constexpr Colour kBlack = 0;
constexpr Colour kGrey = 0x00808080; // the stock grey brush
constexpr Colour kSymmetryGreen = 0x0000A000;

constexpr Colour rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
    return r | (g << 8) | (b << 16);
}

PixelPoint project(const Camera& c, const Point3& p) {
    return {c.projectX(p.y), c.projectY(p.z)};
}

// The grid's lines of one pen, drawn with one call.
struct GridStroke {
    Pen pen;
    std::vector<LineSegment> segments;
};

// The grid in drawing order: its lines, then the two axes.
std::vector<GridStroke> gridStrokes(const SceneFrame& f) {
    const ViewOptions& view = f.view;
    const Camera& c = f.camera;
    const double zoom = c.zoom;
    const double ratio = c.pixelRatio;
    const std::int32_t width = c.clientRect.right - c.clientRect.left;
    const std::int32_t height = c.clientRect.bottom - c.clientRect.top;
    std::vector<GridStroke> strokes;
    // A grid finer than 4 window pixels is not drawn.
    if (const int s = view.gridUnits(); s != 0 && s * zoom >= 4.0 * ratio) {
        const auto offX = static_cast<double>(gridLineOffset(c.centreX, s, zoom));
        const auto offY = static_cast<double>(gridLineOffset(c.centreY, s, zoom));
        const std::uint32_t g = gridGrey(s, zoom / ratio); // by its window spacing
        GridStroke& stroke =
            strokes.emplace_back(GridStroke{{Pen::Style::Solid, 1, rgb(g, g, 255)}, {}});
        // Vertical lines across the width, horizontal ones down the height, so the grid
        // fills a tall window as well as a wide one.
        for (double l = 0; width - l * zoom > 0 || height - l * zoom > 0; l += s) {
            if (width - l * zoom > 0) {
                const std::int32_t x = truncToInt32(l * zoom + offX);
                stroke.segments.push_back({{x, 0}, {x, height}});
            }
            if (height - l * zoom > 0) {
                const std::int32_t y = truncToInt32(l * zoom + offY);
                stroke.segments.push_back({{0, y}, {width, y}});
            }
        }
    }
    const std::int32_t ox = truncToInt32(c.centreX);
    const std::int32_t oy = truncToInt32(c.centreY);
    strokes.push_back({{Pen::Style::Solid, deviceLength(3, ratio), rgb(0, 0, 255)},
                       {{{ox, 0}, {ox, height}}, {{0, oy}, {width, oy}}}});
    return strokes;
}

// Draws the grid's lines (the canvas clips them to the band being drawn), then the depth
// square.
void gridPass(const SceneFrame& f, std::span<const GridStroke> strokes, Canvas& canvas) {
    for (const GridStroke& stroke : strokes) {
        canvas.setPen(stroke.pen);
        canvas.lines(stroke.segments);
    }
    const Camera& c = f.camera;
    const double d = c.depth * c.zoom;
    canvas.setPen({Pen::Style::Solid, deviceLength(2, c.pixelRatio),
                   c.depth > 0 ? rgb(0, 0, 0xC0) : rgb(0x9B, 0x9B, 0xFF)});
    canvas.setBrush({Brush::Style::None, 0});
    canvas.rectangle(normalised(Rect{truncToInt32(c.centreX - d), truncToInt32(c.centreY - d),
                                     truncToInt32(d + c.centreX), truncToInt32(d + c.centreY)}));
}

void gridPass(const SceneFrame& f, Canvas& canvas) {
    if (f.view.anyGridSpacing()) {
        gridPass(f, gridStrokes(f), canvas);
    }
}

// A triangle the back-to-front pass draws, projected once for all bands.
struct ProjectedTriangle {
    PixelPoint points[4]; // the corners, the first repeated to close the outline
    Colour colour = 0;
    std::int32_t top = 0; // the rows it covers, both included
    std::int32_t bottom = 0;
    bool backFace = false; // drawn in kBackFaceRed with a black outline, whatever the mode
};

// Whether the pass fills every triangle it draws (back faces are always filled).
bool allFilled(FrameMode mode) {
    return mode == FrameMode::FilledWithEdges || mode == FrameMode::Filled;
}

// A filled triangle's pixels follow from its three directed edges alone, so two triangles with
// the same corners in the same turn cover the same pixels, and the nearer one, drawn later,
// paints over every pixel of the other. Orthographic panes see such twins wherever copies of
// a part line up along the view. Leaves the farther of each out; the picture is the same.
void dropPaintedOver(std::vector<ProjectedTriangle>& backToFront) {
    // Each triangle's corners turned to start at the least one (by row, then column).
    using Corners = std::array<PixelPoint, 3>;
    auto less = [](PixelPoint a, PixelPoint b) { return a.y != b.y ? a.y < b.y : a.x < b.x; };
    std::vector<Corners> keys;
    keys.reserve(backToFront.size());
    for (const ProjectedTriangle& t : backToFront) {
        const PixelPoint* p = t.points;
        const int first =
            less(p[1], p[0]) ? (less(p[2], p[1]) ? 2 : 1) : (less(p[2], p[0]) ? 2 : 0);
        keys.push_back({p[first], p[(first + 1) % 3], p[(first + 2) % 3]});
    }
    const std::vector<char> repeated = repeatedLater(
        std::span<const Corners>(keys),
        [](const Corners& c) {
            HashMix h;
            for (const PixelPoint& p : c) {
                h.add(p.x);
                h.add(p.y);
            }
            return h.value();
        },
        [](const Corners& a, const Corners& b) {
            return std::equal(a.begin(), a.end(), b.begin(),
                              [](PixelPoint p, PixelPoint q) { return p.x == q.x && p.y == q.y; });
        });
    std::size_t kept = 0;
    for (std::size_t i = 0; i < backToFront.size(); ++i) {
        if (repeated[i] == 0) {
            backToFront[kept++] = backToFront[i];
        }
    }
    backToFront.resize(kept);
}

// The vertex or selection markers without those an identical one later in the list covers
// again (a corner shared by several triangles is marked once per triangle).
std::vector<Rect> lastOfEachMarker(std::span<const Rect> markers) {
    const std::vector<char> repeated = repeatedLater(
        markers,
        [](const Rect& r) {
            HashMix h;
            h.add(r.left);
            h.add(r.top);
            h.add(r.right);
            h.add(r.bottom);
            return h.value();
        },
        [](const Rect& a, const Rect& b) {
            return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
        });
    std::vector<Rect> out;
    out.reserve(markers.size());
    for (std::size_t i = 0; i < markers.size(); ++i) {
        if (repeated[i] == 0) {
            out.push_back(markers[i]);
        }
    }
    return out;
}

std::vector<ProjectedTriangle> projectTriangles(const SceneFrame& f) {
    const Camera& c = f.camera;
    const auto slots = static_cast<int>(f.triangles.size());
    std::vector<ProjectedTriangle> out;
    out.reserve(static_cast<std::size_t>(std::max(f.drawCount + 1, 0)));
    for (int k = 0; k <= f.drawCount; ++k) {
        const int t = f.drawOrder[static_cast<std::size_t>(k)];
        if (t < 0 || t >= slots) {
            continue;
        }
        const Triangle& tri = f.triangles[static_cast<std::size_t>(t)];
        const bool backFace = tri.normal.x < 0;
        if ((backFace && !f.view.showFacing) || t == f.hiddenTriangle) {
            continue;
        }
        ProjectedTriangle p{{project(c, tri.v[0]), project(c, tri.v[1]), project(c, tri.v[2]),
                             project(c, tri.v[0])},
                            backFace ? kBackFaceRed : tri.shadedColour};
        p.backFace = backFace;
        p.top = std::min({p.points[0].y, p.points[1].y, p.points[2].y});
        p.bottom = std::max({p.points[0].y, p.points[1].y, p.points[2].y});
        out.push_back(p);
    }
    if (allFilled(f.view.frameMode)) {
        dropPaintedOver(out);
    }
    return out;
}

// Draws those of the triangles that reach the rows [top, bottom), back to front.
void drawTriangles(const SceneFrame& f, std::span<const ProjectedTriangle> triangles,
                   std::int64_t top, std::int64_t bottom, Canvas& canvas) {
    for (const ProjectedTriangle& tri : triangles) {
        if (tri.bottom < top || tri.top >= bottom) {
            continue;
        }
        if (tri.backFace) {
            canvas.setPen({Pen::Style::Solid, 1, kBlack});
            canvas.setBrush({Brush::Style::Solid, tri.colour});
            canvas.polygon(std::span(tri.points, 3));
            continue;
        }
        switch (f.view.frameMode) {
        case FrameMode::Outline:
            canvas.setPen({Pen::Style::Solid, 1, kBlack});
            canvas.polyline(tri.points);
            break;
        case FrameMode::ColouredOutline:
            canvas.setPen({Pen::Style::Solid, 1, tri.colour});
            canvas.polyline(tri.points);
            break;
        case FrameMode::FilledWithEdges:
            canvas.setPen({Pen::Style::Solid, 1, kBlack});
            canvas.setBrush({Brush::Style::Solid, tri.colour});
            canvas.polygon(std::span(tri.points, 3));
            break;
        case FrameMode::Filled:
            canvas.setPen({Pen::Style::Solid, 1, tri.colour});
            canvas.setBrush({Brush::Style::Solid, tri.colour});
            canvas.polygon(std::span(tri.points, 3));
            break;
        }
    }
}

// The background, the grid behind and the triangles. A picture taller than `bandRows` is drawn
// band by band, each band clipped to its rows: every pixel still gets the same drawing in the
// same order, but a band stays in the cache from its clearing to its last triangle instead of
// the whole frame going out to memory and back once per pass. Bands share no pixel, so when
// the canvas offers a second surface a helper thread draws every band it takes from the same
// counter; the picture is the same whichever thread draws which band.
void backToFront(const SceneFrame& f, Canvas& canvas, std::int32_t bandRows) {
    const std::vector<ProjectedTriangle> triangles = projectTriangles(f);
    const bool grid = f.view.anyGridSpacing() && !f.view.gridInFront;
    const std::vector<GridStroke> strokes = grid ? gridStrokes(f) : std::vector<GridStroke>{};
    auto band = [&](Canvas& surface, std::int64_t top, std::int64_t bottom) {
        std::span<const GridStroke> gridLeft(strokes);
        if (f.background && grid && !f.reference) {
            // The grid's first lines go in with the background, row by row.
            surface.setPen(strokes.front().pen);
            surface.fillRectThenLines(f.client, *f.background, strokes.front().segments);
            gridLeft = gridLeft.subspan(1);
        } else if (f.background) {
            surface.fillRect(f.client, *f.background);
        } else {
            surface.clearToTransparent(f.client);
        }
        if (f.reference) {
            surface.drawReference(*f.reference);
        }
        if (grid) {
            gridPass(f, gridLeft, surface);
        }
        drawTriangles(f, triangles, top, bottom, surface);
    };
    const std::int32_t height = canvas.height();
    if (bandRows <= 0 || height <= bandRows) {
        band(canvas, INT64_MIN, INT64_MAX);
        return;
    }
    const std::int32_t bands = (height - 1) / bandRows + 1;
    std::atomic<std::int32_t> next{0};
    auto drawBands = [&](Canvas& surface) {
        for (std::int32_t b = next++; b < bands; b = next++) {
            const std::int32_t top = b * bandRows;
            const Rect clip{0, top, canvas.width(), std::min(height, top + bandRows)};
            surface.setClip(&clip);
            band(surface, clip.top, clip.bottom);
        }
        surface.setClip(nullptr);
    };
    std::unique_ptr<Canvas> second = canvas.bandSurface();
    shareWithHelper(second != nullptr,
                    [&](int worker) { drawBands(worker == 0 ? canvas : *second); });
}

void depthBufferPass(const SceneFrame& f, const SceneFrame::DepthPass& pass, Canvas& canvas) {
    DepthBufferRenderer& r = *pass.renderer;
    DepthBufferRenderer::Frame frame{
        f.triangles,      pass.lastIndex,    pass.last, &f.camera,
        pass.gridSpacing, pass.bitsPerPixel, nullptr,   f.reference ? &*f.reference : nullptr,
        f.view.showFacing};
    // Each finished band goes into the picture at once, by the thread that drew it, while it
    // is still in the cache; a picture of another size than the renderer's is copied whole.
    const bool sameSize = canvas.width() == r.width() && canvas.height() == r.height();
    std::unique_ptr<Canvas> second = sameSize ? canvas.bandSurface() : nullptr;
    Canvas* const surfaces[2] = {&canvas, second ? second.get() : &canvas};
    if (sameSize) {
        frame.bandDone = [&](int worker, std::int32_t first, std::int32_t end) {
            Canvas& surface = *surfaces[worker];
            const Rect rows{0, first, surface.width(), end};
            surface.setClip(&rows);
            surface.replaceWithPixels(r.pixels(), r.width(), r.height(), r.rowBytes(),
                                      r.bitsPerPixel());
        };
    }
    const bool drawn = r.renderFrame(frame, second != nullptr);
    if (sameSize) {
        canvas.setClip(nullptr);
    }
    if (!drawn || !sameSize) {
        canvas.replaceWithPixels(r.pixels(), r.width(), r.height(), r.rowBytes(), r.bitsPerPixel());
    }
}

void moveBox(Canvas& canvas, const Rect& b, Colour penColour, Colour brushColour, double ratio) {
    const auto [cx, cy] = centre(b);
    canvas.invertLine({b.left, cy}, {b.right, cy});
    canvas.invertLine({cx, b.top}, {cx, b.bottom});
    canvas.setPen({Pen::Style::Solid, deviceLength(2, ratio), penColour});
    canvas.setBrush({Brush::Style::None, 0});
    const std::int32_t corner = deviceLength(20, ratio);
    canvas.roundRect(b, corner, corner);
    canvas.setPen({Pen::Style::Solid, deviceLength(1, ratio), kBlack});
    canvas.setBrush({Brush::Style::Solid, brushColour});
    const std::int32_t h = deviceLength(15, ratio); // the arrow heads
    const PixelPoint heads[4][3] = {
        {{b.left, cy}, {b.left + h, cy + h}, {b.left + h, cy - h}},
        {{b.right, cy}, {b.right - h, cy + h}, {b.right - h, cy - h}},
        {{cx, b.top}, {cx + h, b.top + h}, {cx - h, b.top + h}},
        {{cx, b.bottom}, {cx + h, b.bottom - h}, {cx - h, b.bottom - h}},
    };
    for (const auto& head : heads) {
        canvas.polygon(head);
    }
}

void toolPreview(const SceneFrame& f, Canvas& canvas) {
    const double ratio = f.camera.pixelRatio;
    const std::int32_t thin = deviceLength(1, ratio);
    const Pen dotted{Pen::Style::Dotted, thin, kBlack};
    if (f.sphereBox) {
        canvas.setPen(dotted);
        canvas.setBrush({Brush::Style::None, 0});
        canvas.rectangle(*f.sphereBox);
        canvas.ellipse(*f.sphereBox);
    }
    if (!f.rubberLine.empty()) {
        canvas.setPen({Pen::Style::Solid, thin, kBlack});
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
        canvas.setPen({Pen::Style::Solid, deviceLength(2, ratio), rgb(200, 0, 0)});
        canvas.setBrush({Brush::Style::None, 0});
        canvas.rectangle(normalised(a, b));
        moveBox(canvas, f.moveBoxes->grabBox, rgb(0, 0, 0x80), kGrey, ratio);
        moveBox(canvas, f.moveBoxes->centreBox, rgb(255, 0, 0), kBlack, ratio);
    }
}

void markers(const SceneFrame& f, Canvas& canvas) {
    const std::int32_t thin = deviceLength(1, f.camera.pixelRatio);
    if (!f.vertexMarkers.empty()) {
        canvas.setPen({Pen::Style::Solid, thin, rgb(0, 0, 255)});
        canvas.setBrush({Brush::Style::Solid, rgb(255, 0, 0)});
        canvas.rectangles(lastOfEachMarker(f.vertexMarkers));
    }
    if (!f.selectionMarkers.empty()) {
        canvas.setPen({Pen::Style::Solid, thin, rgb(255, 0, 0)});
        canvas.setBrush({Brush::Style::Solid, rgb(0, 0, 255)});
        canvas.rectangles(lastOfEachMarker(f.selectionMarkers));
    }
    for (const PixelPoint& p : f.snapMarkers) {
        canvas.invertSnapMarker(p.x, p.y);
    }
}

void statusBox(const SceneFrame::StatusBox& s, Canvas& canvas, double ratio) {
    const Rect& box = s.box;
    canvas.setClip(&box);
    canvas.fillRect(box, kWhite);
    for (std::int32_t k = 0; k < deviceLength(1, ratio); ++k) {
        canvas.frameRect({box.left + k, box.top + k, box.right - k, box.bottom - k}, kBlack);
    }
    for (const StatusLine& line : s.lines) {
        canvas.text(box.left + line.x, box.top + line.y, line.text);
    }
    auto at = [ratio](std::int32_t windowPixels) { return devicePosition(windowPixels, ratio); };
    canvas.fillRect({box.left + at(100), box.top + at(72), box.left + at(130), box.top + at(88)},
                    s.currentColour);
    canvas.setClip(nullptr);
}

void highlight(const SceneFrame::Highlight& h, Canvas& canvas) {
    canvas.setPen({Pen::Style::None, 0, 0});
    canvas.setBrush({Brush::Style::BackwardDiagonalHatch, h.colour});
    canvas.polygon(h.corners);
}

} // namespace

std::int32_t paintBandRows(std::int32_t width) {
    return cacheBandRows(4 * std::max<std::int64_t>(width, 1));
}

void paintScene(const SceneFrame& f, Canvas& canvas) {
    paintScene(f, canvas, paintBandRows(canvas.width()));
}

void paintScene(const SceneFrame& f, Canvas& canvas, std::int32_t bandRows) {
    canvas.setClip(nullptr);
    canvas.setPixelRatio(f.camera.pixelRatio);
    if (!f.depthPass) {
        backToFront(f, canvas, bandRows);
    } else {
        depthBufferPass(f, *f.depthPass, canvas);
    }
    if (f.symmetryLine) {
        canvas.setPen({Pen::Style::Solid, deviceLength(1, f.camera.pixelRatio), kSymmetryGreen});
        canvas.line((*f.symmetryLine)[0], (*f.symmetryLine)[1]);
    }
    toolPreview(f, canvas);
    if (f.view.gridInFront) {
        gridPass(f, canvas);
    }
    markers(f, canvas);
    if (f.status) {
        statusBox(*f.status, canvas, f.camera.pixelRatio);
    }
    if (f.highlight) {
        highlight(*f.highlight, canvas);
    }
}

} // namespace fcw
