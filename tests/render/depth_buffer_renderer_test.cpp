#include "render/depth_buffer_renderer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <mutex>
#include <set>
#include <vector>

namespace fcw {
namespace {

std::vector<PixelPoint> walk(PixelPoint a, PixelPoint b) {
    std::vector<PixelPoint> out;
    DepthBufferRenderer::walkLine(a, b, [&](std::int64_t x, std::int64_t y) {
        out.push_back({static_cast<std::int32_t>(x), static_cast<std::int32_t>(y)});
    });
    return out;
}

Triangle facing(Point3 a, Point3 b, Point3 c, Colour colour) {
    Triangle t;
    t.setVertex(0, a);
    t.setVertex(1, b);
    t.setVertex(2, c);
    t.setColour(colour);
    t.computeNormal();
    t.computePolar();
    return t;
}

struct Scene {
    DepthBufferRenderer renderer;
    Camera camera;
    explicit Scene(int bits, int width = 64, int height = 48) {
        camera.clientRect = {0, 0, width, height};
        camera.computeCentre();
        camera.centreX = 0; // model units are pixels from the top-left
        camera.centreY = 0;
        renderer.resize(camera.clientRect);
        EXPECT_TRUE(renderer.prepare(bits));
    }
    // The frame step's part, then the paint's.
    void render(std::vector<Triangle>& tris, int last, DepthBufferRenderer::LastTriangle kind) {
        renderer.prepareTriangles(tris, last, kind, 0.0, camera);
        renderer.renderTriangles(tris, last, kind, camera);
    }
    const std::uint8_t* at(int x, int y) const {
        return renderer.pixels().data() + y * renderer.rowBytes() + x * renderer.bytesPerPixel();
    }
};

TEST(DepthBufferRenderer, LineWalkStartsWhereTheClassSaysAndVisitsBothEnds) {
    EXPECT_EQ(walk({0, 0}, {3, 1}), (std::vector<PixelPoint>{{0, 0}, {1, 0}, {2, 0}, {3, 1}}));
    // Opposite signs, flat: from (max x, min y) walking left.
    EXPECT_EQ(walk({0, 1}, {3, 0}), (std::vector<PixelPoint>{{3, 0}, {2, 0}, {1, 0}, {0, 1}}));
    // Opposite signs, steep: from (min x, max y) walking up.
    EXPECT_EQ(walk({1, 0}, {0, 3}), (std::vector<PixelPoint>{{0, 3}, {0, 2}, {0, 1}, {1, 0}}));
    // Equal |dx| and |dy|: same signs is flat, opposite signs is steep.
    EXPECT_EQ(walk({2, 2}, {0, 0}), (std::vector<PixelPoint>{{0, 0}, {1, 1}, {2, 2}}));
    EXPECT_EQ(walk({0, 2}, {2, 0}), (std::vector<PixelPoint>{{0, 2}, {1, 1}, {2, 0}}));
    EXPECT_EQ(walk({5, 7}, {5, 7}), (std::vector<PixelPoint>{{5, 7}}));
    EXPECT_EQ(walk({4, 9}, {4, 6}).front(), (PixelPoint{4, 6}));
    EXPECT_TRUE(walk({INT32_MIN, 0}, {INT32_MAX, 0}).empty()); // absurd: not walked
}

TEST(DepthBufferRenderer, PixelLayoutsByteForByte) {
    const Colour colour = 0x00C08040; // R 0x40, G 0x80, B 0xC0
    Scene s16(16);
    s16.renderer.drawLine(1, 1, 1, 1, colour);
    EXPECT_EQ(s16.at(1, 1)[0], ((((0x80 >> 2) & 7) << 5) | (0xC0 >> 3)));
    EXPECT_EQ(s16.at(1, 1)[1], ((0x40 & 0xF8) | (0x80 >> 5)));

    Scene s24(24, 5, 3); // odd width: rows padded to 16 bytes
    EXPECT_EQ(s24.renderer.rowBytes(), 16u);
    s24.renderer.drawLine(4, 2, 4, 2, colour);
    EXPECT_EQ(s24.at(4, 2)[0], 0xC0);
    EXPECT_EQ(s24.at(4, 2)[1], 0x80);
    EXPECT_EQ(s24.at(4, 2)[2], 0x40);
    EXPECT_EQ(s24.renderer.pixels().size(), 48u);

    Scene s32(32);
    s32.renderer.drawLine(3, 2, 3, 2, colour);
    EXPECT_EQ(s32.at(3, 2)[0], 0xC0);
    EXPECT_EQ(s32.at(3, 2)[2], 0x40);
    EXPECT_EQ(s32.at(3, 2)[3], 0xFF); // the fourth byte stays as cleared
    EXPECT_EQ(s32.at(0, 0)[0], 0xFF); // white background

    DepthBufferRenderer odd;
    odd.resize({0, 0, 8, 8});
    EXPECT_FALSE(odd.prepare(8));
}

TEST(DepthBufferRenderer, FillsFrontFacingTrianglesWithTheStrictDepthTest) {
    Scene s(32);
    // Clockwise on screen = facing the viewer. Two identical triangles at equal depth: the
    // first (lower index) stays.
    std::vector<Triangle> tris = {
        facing({10, 2, 2}, {10, 30, 2}, {10, 2, 30}, 0x0000FF),
        facing({10, 2, 2}, {10, 30, 2}, {10, 2, 30}, 0x00FF00),
        facing({20, 2, 2}, {20, 2, 30}, {20, 30, 2}, 0xFF0000), // faces away: never filled
    };
    s.render(tris, 2, DepthBufferRenderer::LastTriangle::Finished);
    EXPECT_EQ(s.at(5, 5)[2], 0xFF);
    EXPECT_EQ(s.at(5, 5)[1], 0x00);
    EXPECT_FLOAT_EQ(s.renderer.depthAt(5, 5), -10.0f * -1.0f);
    // The bottom row of the extent (y = 30) is not filled.
    EXPECT_EQ(s.at(2, 30)[1], 0xFF);
    EXPECT_EQ(s.at(2, 29)[1], 0x00);
}

TEST(DepthBufferRenderer, NearerWinsRegardlessOfOrderAndSixteenBitsShiftsRight) {
    Scene s(32);
    std::vector<Triangle> tris = {
        facing({-5, 2, 2}, {-5, 30, 2}, {-5, 2, 30}, 0x0000FF),
        facing({5, 2, 2}, {5, 30, 2}, {5, 2, 30}, 0x00FF00),
    };
    s.render(tris, 1, DepthBufferRenderer::LastTriangle::Finished);
    EXPECT_EQ(s.at(4, 4)[1], 0xFF); // green, the nearer one
    EXPECT_EQ(s.at(4, 4)[2], 0x00);

    Scene s16(16);
    Scene s32(32);
    std::vector<Triangle> one = {facing({0, 2, 2}, {0, 30, 2}, {0, 2, 30}, 0)};
    s16.render(one, 0, DepthBufferRenderer::LastTriangle::Finished);
    s32.render(one, 0, DepthBufferRenderer::LastTriangle::Finished);
    EXPECT_EQ(s32.at(2, 3)[0], 0x00);
    EXPECT_EQ(s16.at(2, 3)[0], 0xFF); // 16-bit starts one column further right
    EXPECT_EQ(s16.at(3, 3)[0], 0x00);
}

TEST(DepthBufferRenderer, SkipsEdgeOnProvisionalAndFlatTriangles) {
    Scene s(32);
    std::vector<Triangle> tris = {
        facing({0, 2, 2}, {0, 2.00005, 2}, {0, 2, 3}, 0), // normal.x = 0.00005: not filled
        facing({0, 2, 10}, {0, 30, 10}, {0, 12, 10}, 0),  // one pixel high: no row
        facing({0, 2, 2}, {0, 30, 2}, {0, 2, 30}, 0),     // provisional
    };
    s.render(tris, 2, DepthBufferRenderer::LastTriangle::Provisional);
    for (std::uint8_t byte : s.renderer.pixels()) {
        ASSERT_EQ(byte, 0xFF);
    }
}

TEST(DepthBufferRenderer, PreparingShadesOnlyTheTrianglesThatAreDrawn) {
    Scene s(32);
    std::vector<Triangle> tris = {
        facing({0, 2, 2}, {0, 30, 2}, {0, 2, 30}, 0x204060),      // drawn
        facing({0, 2, 2}, {0, 2, 30}, {0, 30, 2}, 0x204060),      // faces away
        facing({0, 100, 2}, {0, 130, 2}, {0, 100, 30}, 0x204060), // right of the view
        facing({0, 2, 2}, {0, 30, 2}, {0, 2, 30}, 0x204060),      // provisional
    };
    for (Triangle& t : tris) {
        t.shadedColour = 0x00ABCDEF;
    }
    s.renderer.prepareTriangles(tris, 3, DepthBufferRenderer::LastTriangle::Provisional, 0.5,
                                s.camera);
    Triangle lit = tris[0];
    lit.shade(0.5);
    EXPECT_EQ(tris[0].shadedColour, lit.shadedColour);
    EXPECT_NE(tris[0].shadedColour, 0x00ABCDEFu);
    EXPECT_EQ(tris[0].screenLeft, 2);
    EXPECT_EQ(tris[0].screenBottom, 30);
    EXPECT_EQ(tris[1].shadedColour, 0x00ABCDEFu);
    EXPECT_EQ(tris[2].shadedColour, 0x00ABCDEFu);
    EXPECT_EQ(tris[2].screenLeft, 100); // its extent is known, but it is not lit
    EXPECT_EQ(tris[3].shadedColour, 0x00ABCDEFu);
    // Drawing uses the prepared colour.
    s.renderer.renderTriangles(tris, 3, DepthBufferRenderer::LastTriangle::Provisional, s.camera);
    EXPECT_EQ(s.at(5, 5)[0], (lit.shadedColour >> 16) & 0xFF);
    EXPECT_EQ(s.at(5, 5)[2], lit.shadedColour & 0xFF);
}

TEST(DepthBufferRenderer, HugeAndOffscreenTrianglesStayInsideTheBuffers) {
    Scene s(24, 7, 5);
    std::vector<Triangle> tris = {
        facing({0, -1e6, -1e6}, {0, 1e6, -1e6}, {0, -1e6, 1e6}, 0x123456),
        facing({0, -50, -50}, {0, -10, -50}, {0, -50, -10}, 0x654321),
    };
    s.render(tris, 1, DepthBufferRenderer::LastTriangle::Finished);
    s.renderer.drawLine(-100, -100, 100, 100, 0);
    // A view of no pixels (a window not shown yet, a pane too small) clears nothing.
    DepthBufferRenderer empty;
    empty.resize({0, 0, 0, 0});
    empty.resize({0, 0, 5, 0});
    SUCCEED(); // AddressSanitizer reports any write outside the buffers
}

TEST(DepthBufferRenderer, GridDensityAxesAndTheViewGrowing) {
    DepthBufferRenderer r;
    Camera c;
    c.clientRect = {0, 0, 64, 48};
    c.zoom = 0.5;
    c.computeCentre(); // origin at (32, 24)
    r.resize(c.clientRect);
    r.prepare(32);
    r.drawGrid(5, c); // 2.5 pixels apart: no grid lines, only axes and the depth square
    auto pixel = [&](int x, int y) { return r.pixels().data() + y * r.rowBytes() + x * 4; };
    EXPECT_EQ(pixel(2, 1)[0], 0xFF);
    EXPECT_EQ(pixel(2, 1)[1], 0xFF);
    EXPECT_EQ(pixel(33, 5)[1], 0x00); // axis: blue 255, green 0
    EXPECT_EQ(pixel(33, 5)[0], 0xFF);

    c.zoom = 1.0;
    c.computeCentre();
    r.prepare(32);
    r.drawGrid(5, c);
    EXPECT_EQ(pixel(2, 1)[2], 243); // the line at x = 2 (32 mod 5), grey 258 - 15
    EXPECT_EQ(pixel(2, 1)[1], 243);

    // The view grows past the first buffers: they grow with it.
    c.clientRect = {0, 0, 300, 200};
    r.resize(c.clientRect);
    ASSERT_TRUE(r.prepare(24));
    r.drawLine(299, 199, 299, 199, 0);
    EXPECT_EQ(r.pixels().size(), 200u * 900u);
}

// A whole frame in bands, on one thread or two, is the picture of prepare, drawGrid and
// renderTriangles one after the other, in every pixel layout: interpenetrating triangles that
// cross many bands (a view tall enough for several), the grid, the axes and the depth square.
// Every row is handed over exactly once, by the worker that drew it.
TEST(DepthBufferRenderer, AFrameInBandsIsTheSamePictureOnOneThreadOrTwo) {
    std::vector<Triangle> tris;
    for (int i = 0; i < 40; ++i) {
        const double x = 7.0 * (i % 9);
        const double y = 31.0 * (i / 9);
        tris.push_back(facing({10.0 + i % 3, x, y}, {-4.0 * (i % 5), x + 60, y + 5},
                              {3.0, x + 10, y + 150}, static_cast<Colour>(0x102030 * (i + 1))));
    }
    const int last = static_cast<int>(tris.size()) - 1;
    for (const int bits : {16, 24, 32}) {
        Scene whole(bits, 4000, 301); // wide: rows of a band fit the cache, so there are many
        whole.camera.depth = 9;
        whole.renderer.prepareTriangles(tris, last, DepthBufferRenderer::LastTriangle::Finished,
                                        0.0, whole.camera);
        whole.renderer.drawGrid(10, whole.camera);
        whole.renderer.renderTriangles(tris, last, DepthBufferRenderer::LastTriangle::Finished,
                                       whole.camera);
        const std::vector<std::uint8_t> expected(whole.renderer.pixels().begin(),
                                                 whole.renderer.pixels().end());
        for (const bool concurrent : {false, true}) {
            Scene banded(bits, 4000, 301);
            std::vector<int> handedOver(301, 0);
            std::set<int> workers;
            DepthBufferRenderer::Frame frame{
                tris, last,   DepthBufferRenderer::LastTriangle::Finished, &whole.camera, 10,
                bits, nullptr};
            std::mutex m;
            frame.bandDone = [&](int worker, std::int32_t first, std::int32_t end) {
                const std::lock_guard<std::mutex> lock(m);
                workers.insert(worker);
                for (std::int32_t y = first; y < end; ++y) {
                    ++handedOver[static_cast<std::size_t>(y)];
                }
            };
            ASSERT_TRUE(banded.renderer.renderFrame(frame, concurrent));
            const std::vector<std::uint8_t> got(banded.renderer.pixels().begin(),
                                                banded.renderer.pixels().end());
            EXPECT_EQ(got, expected) << bits << " bits" << (concurrent ? ", two threads" : "");
            EXPECT_EQ(std::count(handedOver.begin(), handedOver.end(), 1), 301);
            if (!concurrent) {
                EXPECT_EQ(workers, std::set<int>{0});
            }
        }
    }
    DepthBufferRenderer unsupported;
    unsupported.resize({0, 0, 4, 4});
    EXPECT_FALSE(unsupported.renderFrame(
        {tris, last, DepthBufferRenderer::LastTriangle::Finished, nullptr, 0, 8, nullptr}));
}

} // namespace
} // namespace fcw
