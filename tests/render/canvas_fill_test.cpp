// Fills against their outlines on tiny pictures: whole pictures compared with references, and
// the fill-equals-outline-span rule over many generated triangles.

#include "editor/batch/batch_player.h"
#include "editor/view/frame_step.h"
#include "render/qt_canvas.h"
#include "render/scene_painter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <numeric>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace fcw {
namespace {

constexpr Colour kWhite = 0x00FFFFFF;
constexpr Colour kRed = 0x000000FF;

// The picture as text, one row per line: '.' white, '#' black, 'r' red, '?' anything else.
std::string picture(const QtCanvas& c) {
    std::string out;
    for (int y = 0; y < c.height(); ++y) {
        for (int x = 0; x < c.width(); ++x) {
            const Colour p = c.pixel(x, y);
            out += p == kWhite ? '.' : p == 0 ? '#' : p == kRed ? 'r' : '?';
        }
        out += '\n';
    }
    return out;
}

QtCanvas triangle(PixelPoint a, PixelPoint b, PixelPoint c, Colour pen, int w = 12, int h = 9) {
    QtCanvas canvas(w, h);
    canvas.setPen({Pen::Style::Solid, 1, pen});
    canvas.setBrush({Brush::Style::Solid, kRed});
    const PixelPoint points[3] = {a, b, c};
    canvas.polygon(points);
    return canvas;
}

TEST(CanvasFill, BlackEdgedTriangleHasNoFillOutsideItsOutline) {
    EXPECT_EQ(picture(triangle({1, 1}, {10, 3}, {3, 7}, 0)), "............\n"
                                                             ".###........\n"
                                                             ".#rr####....\n"
                                                             "..#rrrrr###.\n"
                                                             "..#rrrrr##..\n"
                                                             "..#rrr##....\n"
                                                             "...###......\n"
                                                             "...#........\n"
                                                             "............\n");
}

TEST(CanvasFill, SameColourEdgeLeavesNoSeamAndClipsCleanly) {
    EXPECT_EQ(picture(triangle({1, 1}, {10, 3}, {3, 7}, kRed)), "............\n"
                                                                ".rrr........\n"
                                                                ".rrrrrrr....\n"
                                                                "..rrrrrrrrr.\n"
                                                                "..rrrrrrrr..\n"
                                                                "..rrrrrr....\n"
                                                                "...rrr......\n"
                                                                "...r........\n"
                                                                "............\n");
    // Corners far outside: the top edge leaves the picture at row 1 and the rows below are
    // filled to the picture's edges.
    EXPECT_EQ(picture(triangle({-40, -2}, {30, 4}, {-40, 20}, kRed, 6, 4)), "......\n"
                                                                            "r.....\n"
                                                                            "rrrrrr\n"
                                                                            "rrrrrr\n");
}

// Every generated triangle, in both edge styles and partly outside the picture: each row's
// fill runs exactly from the leftmost to the rightmost pixel its outline has in that row (the
// outline drawn alone, shifted into a larger picture that holds it whole).
TEST(CanvasFill, FillSpansExactlyTheOutlineOfAnyTriangle) {
    std::mt19937 rng(2);
    std::uniform_int_distribution<int> coord(-6, 26);
    for (int n = 0; n < 400; ++n) {
        const PixelPoint p[3] = {
            {coord(rng), coord(rng)}, {coord(rng), coord(rng)}, {coord(rng), coord(rng)}};
        QtCanvas outline(40, 40);
        outline.setPen({Pen::Style::Solid, 1, 0});
        auto shifted = [](PixelPoint q) { return PixelPoint{q.x + 10, q.y + 10}; };
        const PixelPoint closed[4] = {shifted(p[0]), shifted(p[1]), shifted(p[2]), shifted(p[0])};
        outline.polyline(closed);
        const QtCanvas edged = triangle(p[0], p[1], p[2], 0, 20, 20);
        const QtCanvas seamless = triangle(p[0], p[1], p[2], kRed, 20, 20);
        for (int y = 0; y < 20; ++y) {
            int left = 40;
            int right = -40;
            for (int x = -10; x < 30; ++x) {
                if (outline.pixel(x + 10, y + 10) == 0) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
            }
            for (int x = 0; x < 20; ++x) {
                const bool outlined = outline.pixel(x + 10, y + 10) == 0;
                const bool inside = x >= left && x <= right;
                ASSERT_EQ(edged.pixel(x, y), outlined ? 0
                                             : inside ? kRed
                                                      : kWhite)
                    << n << ": " << x << "," << y;
                ASSERT_EQ(seamless.pixel(x, y), inside || outlined ? kRed : kWhite)
                    << n << ": " << x << "," << y;
            }
        }
    }
}

// The triangle (0,-40,-40), (0,40,-40), (0,0,0) in a 100 x 100 view, as the painter draws it
// without edges: no white pixel between its outermost pixels on any row.
TEST(CanvasFill, PaintedTriangleWithoutEdgesHasNoHoles) {
    std::ostringstream out;
    BatchPlayer player(out, out);
    for (const char* line : {"size 100 100", "command 32808", "command 32895"}) {
        ASSERT_FALSE(player.runLine(line)) << line;
    }
    Editor& e = player.editor();
    e.session.view.emphasisMode = 0;
    e.document.store.lastIndex = 0;
    Triangle& t = e.document.store.viewTriangles[0];
    t.setVertex(0, Point3(0, -40, -40));
    t.setVertex(1, Point3(0, 40, -40));
    t.setVertex(2, Point3(0, 0, 0));
    t.setColour(0x00FF0000);
    t.computePolar();
    t.computeNormal();
    e.refreshViewToModel();
    const SceneFrame frame = stepFrame(e);
    QtCanvas canvas(100, 100);
    paintScene(frame, canvas);
    int holes = 0;
    int filled = 0;
    for (int y = 0; y < 100; ++y) {
        int left = 100;
        int right = -1;
        for (int x = 0; x < 100; ++x) {
            if (canvas.pixel(x, y) != kWhite) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
        for (int x = left; x <= right; ++x) {
            holes += canvas.pixel(x, y) == kWhite ? 1 : 0;
            filled += 1;
        }
    }
    EXPECT_EQ(holes, 0);
    EXPECT_GT(filled, 1500);
}

// The painter leaves out a triangle that a later one with the same corners in the same turn
// covers, and a marker repeated later: the picture must be the one drawing every triangle and
// marker in order gives, whatever the twins' colours, corner order or turn.
TEST(CanvasFill, RepeatsLeftOutPaintTheSamePictureAsEverything) {
    std::mt19937 random(7);
    auto coordinate = [&] { return static_cast<int>(random() % 48) - 4; };
    for (int round = 0; round < 40; ++round) {
        std::vector<Triangle> triangles;
        std::vector<std::array<PixelPoint, 3>> corners;
        for (int k = 0; k < 30; ++k) {
            std::array<PixelPoint, 3> c{};
            if (k > 0 && random() % 2 == 0) { // a twin: turned one step, or the other way round
                c = corners[random() % corners.size()];
                if (random() % 3 == 0) {
                    std::swap(c[1], c[2]);
                } else {
                    std::rotate(c.begin(), c.begin() + 1, c.end());
                }
            } else {
                for (PixelPoint& p : c) {
                    p = {coordinate(), coordinate()};
                }
            }
            Triangle t;
            for (int i = 0; i < 3; ++i) {
                t.setVertex(i, Point3(0, c[static_cast<std::size_t>(i)].x,
                                      c[static_cast<std::size_t>(i)].y));
            }
            t.normal.x = 1;
            t.shadedColour = static_cast<Colour>(random() & 0xFFFFFF);
            triangles.push_back(t);
            corners.push_back(c);
        }
        std::vector<std::int16_t> order(triangles.size());
        std::iota(order.begin(), order.end(), std::int16_t{0});
        std::vector<Rect> markers;
        for (int k = 0; k < 20; ++k) {
            const int x = coordinate();
            const int y = coordinate();
            markers.push_back(k > 0 && random() % 2 == 0 ? markers[random() % markers.size()]
                                                         : Rect{x, y, x + 6, y + 6});
        }
        SceneFrame frame;
        frame.client = {0, 0, 40, 40};
        frame.camera.clientRect = frame.client;
        frame.triangles = triangles;
        frame.drawOrder = order;
        frame.drawCount = static_cast<int>(order.size()) - 1;
        frame.vertexMarkers = markers;
        for (const FrameMode mode : {FrameMode::FilledWithEdges, FrameMode::Filled}) {
            frame.view.frameMode = mode;
            QtCanvas painted(40, 40);
            paintScene(frame, painted);
            QtCanvas expected(40, 40);
            for (std::size_t k = 0; k < triangles.size(); ++k) {
                const Colour fill = triangles[k].shadedColour;
                expected.setPen({Pen::Style::Solid, 1, mode == FrameMode::Filled ? fill : 0});
                expected.setBrush({Brush::Style::Solid, fill});
                expected.polygon(corners[k]);
            }
            expected.setPen({Pen::Style::Solid, 1, 0x00FF0000});
            expected.setBrush({Brush::Style::Solid, 0x000000FF});
            for (const Rect& r : markers) {
                expected.rectangle(r);
            }
            ASSERT_EQ(painted.image(), expected.image()) << round << " " << static_cast<int>(mode);
        }
    }
}

} // namespace
} // namespace fcw
