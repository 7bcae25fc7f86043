// Whole paints of small views through the batch player and the Qt canvas.

#include "editor/batch/batch_player.h"
#include "editor/view/frame_step.h"
#include "interact/sphere.h"
#include "reference_pictures.h"
#include "render/qt_canvas.h"
#include "render/scene_painter.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <sstream>

namespace fcw {
namespace {

constexpr Colour kWhite = 0x00FFFFFF;
constexpr Colour kLightSquare = 0x00FF9B9B; // RGB(0x9B, 0x9B, 0xFF)

struct View {
    std::ostringstream out;
    BatchPlayer player{out, out};
    Editor& e = player.editor();
    explicit View(const char* size) {
        EXPECT_FALSE(player.runLine(size));
        EXPECT_FALSE(player.runLine("command 32895")); // no status box
        e.session.view.emphasisMode = 0;
    }
    QtCanvas paint() {
        const SceneFrame f = stepFrame(e);
        QtCanvas c(f.client.right, f.client.bottom);
        paintScene(f, c);
        return c;
    }
};

// Depth 0: the depth square collapses to a point at the origin in the light colour, on the
// painter's path (the 2-pixel pen's dot) as on the depth-buffer path.
TEST(PaintedView, DepthSquareAtDepthZeroIsALightPointAtTheOrigin) {
    View v("size 64 48");
    ASSERT_FALSE(v.player.runLine("command 32777")); // a grid: axes and square are drawn
    v.e.pane().camera.originOffsetX = 3;             // the origin at (35, 24)
    const QtCanvas c = v.paint();
    const int x = 35;
    const int y = 24;
    EXPECT_EQ(c.pixel(x, y), kLightSquare);
    EXPECT_EQ(c.pixel(x + 1, y + 1), kLightSquare);
}

// A window taller than wide: the horizontal grid lines go on below y = width on both paths.
TEST(PaintedView, GridFillsATallWindowOnBothPaths) {
    for (const bool depthBuffer : {false, true}) {
        View v("size 40 120");
        ASSERT_FALSE(v.player.runLine("command 32777")); // 5-unit grid
        if (depthBuffer) {
            ASSERT_FALSE(v.player.runLine("command 32808"));
            v.e.session.view.depthNormalDisplay = 1;
        }
        const QtCanvas c = v.paint();
        // Lines every 5 pixels from the origin at (20, 60); grey 258 - 15 = 243.
        const Colour grid = 243 | 243 << 8 | 255 << 16;
        int rowsWithGrid = 0;
        for (int y = 45; y < 120; ++y) {
            rowsWithGrid += c.pixel(2, y) == grid ? 1 : 0;
        }
        EXPECT_GE(rowsWithGrid, 14) << depthBuffer; // the rows below 45, one every 5
        EXPECT_EQ(c.pixel(2, 100), grid) << depthBuffer;
    }
}

// The 16-bit layout, end to end: colours lose their low bits and the fill sits one column
// further right than in 32 bits.
TEST(PaintedView, SixteenBitBackBufferRendersInRgb565) {
    View v("size 64 48");
    ASSERT_FALSE(v.player.runLine("command 32808"));
    v.e.session.view.depthNormalDisplay = 1;
    v.e.document.store.lastIndex = 0;
    Triangle& t = v.e.document.store.viewTriangles[0];
    t.setVertex(0, Point3(0, -10, -10));
    t.setVertex(1, Point3(0, 10, -10));
    t.setVertex(2, Point3(0, -10, 10));
    t.setColour(0x00123456);
    t.computePolar();
    t.computeNormal();
    v.e.refreshViewToModel();
    const QtCanvas full = v.paint();
    ASSERT_FALSE(v.player.runLine("pixelformat 16"));
    const QtCanvas reduced = v.paint();
    const Colour c32 = full.pixel(30, 20);
    ASSERT_NE(c32, kWhite);
    EXPECT_EQ(reduced.pixel(31, 20), c32 & 0x00F8FCF8);
    ASSERT_FALSE(v.player.runLine("pixelformat 24"));
    EXPECT_EQ(v.paint().pixel(30, 20), c32);
    // An unsupported depth turns the display off as it is set, so no paint meets it.
    ASSERT_FALSE(v.player.runLine("pixelformat 15"));
    EXPECT_EQ(v.e.session.view.depthNormalDisplay, 0);
    EXPECT_EQ(v.paint().pixel(30, 20), c32 & 0x00FFFFFF); // back to front
}

// Drawn in bands of any height, on one thread or shared with a helper, the background, grid and
// triangles come out as in one pass: overlapping spheres that cross the band edges, the grid
// and the axes, in every mode.
TEST(PaintedView, BandedPaintMatchesOnePass) {
    View v("size 97 71");
    v.e.session.view.grid = GridSpacing::Five;
    v.e.session.view.emphasisMode = 3;
    v.e.pane().camera.depth = 7;
    MeshStore& s = v.e.document.store;
    const Colour colours[] = {0x00204080, 0x00A03010, 0x0030C060};
    for (int i = 0; i < 3; ++i) {
        ++s.lastIndex;
        const double x = -30 + i * 22.0;
        generateSphere(s, {0, x, -28.0 + i * 9}, {0, x + 8, 20.0 + i * 5}, 7, 6, false, 1.0,
                       colours[i]);
    }
    v.e.refreshViewToModel();
    for (int mode = 0; mode <= 3; ++mode) {
        v.e.session.view.frameMode = static_cast<FrameMode>(mode);
        const SceneFrame f = stepFrame(v.e);
        QtCanvas whole(97, 71);
        whole.setConcurrentBands(false);
        paintScene(f, whole, 0);
        for (const int rows : {1, 2, 16, 70}) {
            for (const bool concurrent : {false, true}) {
                QtCanvas banded(97, 71);
                banded.setConcurrentBands(concurrent);
                paintScene(f, banded, rows);
                EXPECT_EQ(banded.image(), whole.image())
                    << "mode " << mode << ", rows " << rows << (concurrent ? ", two threads" : "");
            }
        }
    }
}

// A reference image behind the model: placed by the pane's camera, the top-left image pixel
// at the top-left, blended over the white at its opacity, on both paint paths; only in the
// pane of its direction.
TEST(PaintedView, ReferenceImageIsBlendedBehindInItsPaneOnly) {
    testing::TempFolder folder("fcw-refpaint");
    const std::string picture = folder.path("p.pic");
    testing::writePicture(picture, 20, 10, 0xFF0000FF); // blue, the first pixel black
    const Colour halfBlue = 128 | 128 << 8 | 255 << 16;
    const Colour halfBlack = 128 | 128 << 8 | 128 << 16;
    for (const bool depthBuffer : {false, true}) {
        View v("size 200 100");
        v.player.setReferenceDecoder(testing::decodeTestPicture);
        ASSERT_FALSE(v.player.runLine("command 33012")); // 正面, origin at (100, 50)
        ASSERT_FALSE(v.player.runLine("answer file " + picture));
        ASSERT_FALSE(v.player.runLine("command 33020"));
        v.e.document.references[0].settings = {10, 5, 40, 50, true, false}; // 2 pixels a pixel
        if (depthBuffer) {
            ASSERT_FALSE(v.player.runLine("command 32808"));
            v.e.session.view.depthNormalDisplay = 1;
        }
        const QtCanvas c = v.paint(); // the image covers x 90..130, y 35..55
        EXPECT_EQ(c.pixel(90, 35), halfBlack) << depthBuffer;
        EXPECT_EQ(c.pixel(91, 36), halfBlack) << depthBuffer;
        EXPECT_EQ(c.pixel(92, 35), halfBlue) << depthBuffer;
        EXPECT_EQ(c.pixel(129, 54), halfBlue) << depthBuffer;
        EXPECT_EQ(c.pixel(130, 54), kWhite) << depthBuffer;
        EXPECT_EQ(c.pixel(89, 40), kWhite) << depthBuffer;
        EXPECT_EQ(c.pixel(120, 55), kWhite) << depthBuffer;
        for (const char* other : {"command 33013", "command 33014", "command 33015"}) {
            ASSERT_FALSE(v.player.runLine(other));
            EXPECT_EQ(v.paint().pixel(120, 40), kWhite) << other;
        }
    }
}

} // namespace
} // namespace fcw
