#include "editor/batch_player.h"
#include "render/qt_canvas.h"
#include "render/scene_painter.h"

#include <gtest/gtest.h>

#include <QGuiApplication>

#include <cstdlib>
#include <sstream>

namespace fcw {
namespace {

constexpr Colour kWhite = 0x00FFFFFF;
constexpr Colour kRed = 0x000000FF;

TEST(QtCanvas, LinesIncludeTheStartAndExcludeTheEnd) {
    QtCanvas c(16, 12);
    c.setPen({Pen::Style::Solid, 1, kRed});
    c.line({2, 3}, {6, 3});
    for (int x = 2; x < 6; ++x) {
        EXPECT_EQ(c.pixel(x, 3), kRed) << x;
    }
    EXPECT_EQ(c.pixel(6, 3), kWhite);
    EXPECT_EQ(c.pixel(1, 3), kWhite);
    c.line({0, 0}, {4, 4});
    EXPECT_EQ(c.pixel(3, 3), kRed);
    EXPECT_EQ(c.pixel(4, 4), kWhite);

    QtCanvas dots(16, 12);
    dots.setPen({Pen::Style::Dotted, 1, 0});
    dots.line({0, 5}, {8, 5});
    EXPECT_EQ(dots.pixel(0, 5), 0u);
    EXPECT_EQ(dots.pixel(1, 5), kWhite);
    EXPECT_EQ(dots.pixel(2, 5), 0u);

    QtCanvas wide(16, 12);
    wide.setPen({Pen::Style::Solid, 3, 0});
    wide.line({2, 5}, {8, 5});
    EXPECT_EQ(wide.pixel(4, 4), 0u);
    EXPECT_EQ(wide.pixel(4, 6), 0u);
    EXPECT_EQ(wide.pixel(4, 7), kWhite);
}

TEST(QtCanvas, RectanglesExcludeTheirRightAndBottomEdges) {
    QtCanvas c(16, 12);
    c.setPen({Pen::Style::Solid, 1, 0});
    c.setBrush({Brush::Style::Solid, kRed});
    c.rectangle({2, 2, 8, 6});
    EXPECT_EQ(c.pixel(2, 2), 0u);  // outline
    EXPECT_EQ(c.pixel(7, 5), 0u);  // last column and row of the box
    EXPECT_EQ(c.pixel(4, 3), kRed); // interior
    EXPECT_EQ(c.pixel(8, 3), kWhite);
    EXPECT_EQ(c.pixel(3, 6), kWhite);
    c.fillRect({10, 1, 12, 3}, 0x00123456);
    EXPECT_EQ(c.pixel(11, 2), 0x00123456u);
    EXPECT_EQ(c.pixel(12, 2), kWhite);
    c.frameRect({0, 8, 4, 12}, 0);
    EXPECT_EQ(c.pixel(3, 11), 0u);
    EXPECT_EQ(c.pixel(1, 9), kWhite);
}

TEST(QtCanvas, PolygonsFillWithTheirBrushAndHatchesLeaveGaps) {
    QtCanvas c(16, 12);
    c.setPen({Pen::Style::Solid, 1, 0});
    c.setBrush({Brush::Style::Solid, kRed});
    const PixelPoint tri[3] = {{1, 1}, {13, 1}, {1, 10}};
    c.polygon(tri);
    EXPECT_EQ(c.pixel(3, 3), kRed);
    EXPECT_EQ(c.pixel(1, 1), 0u);
    EXPECT_EQ(c.pixel(12, 9), kWhite);
    QtCanvas h(16, 12);
    h.setPen({Pen::Style::None, 1, 0});
    h.setBrush({Brush::Style::BackwardDiagonalHatch, kRed});
    h.rectangle({0, 0, 16, 12});
    EXPECT_EQ(h.pixel(0, 0), kRed);
    EXPECT_EQ(h.pixel(8, 0), kRed);
    EXPECT_EQ(h.pixel(1, 0), kWhite);
    EXPECT_EQ(h.pixel(7, 1), kRed); // "/" lines: x + y constant
    EXPECT_EQ(h.pixel(9, 1), kWhite);
}

TEST(QtCanvas, InversionsUndoThemselvesAndTheMarkerMatchesItsRows) {
    QtCanvas c(20, 20);
    c.invertSnapMarker(2, 3);
    for (int row = 0; row < 15; ++row) {
        for (int col = 0; col < 15; ++col) {
            EXPECT_EQ(c.pixel(2 + col, 3 + row), kSnapMarkerRows[row][col] == 'X' ? 0u : kWhite);
        }
    }
    c.invertSnapMarker(2, 3);
    c.invertLine({0, 0}, {10, 0});
    EXPECT_EQ(c.pixel(5, 0), 0u);
    c.invertLine({0, 0}, {10, 0});
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 20; ++x) {
            ASSERT_EQ(c.pixel(x, y), kWhite);
        }
    }
}

TEST(QtCanvas, DrawingNeverChangesACopyOfThePicture) {
    QtCanvas c(8, 8);
    const QImage copy = c.image();
    c.fillRect({0, 0, 8, 8}, kRed);
    c.setPen({Pen::Style::Solid, 1, 0});
    c.line({0, 0}, {7, 7});
    EXPECT_EQ(copy.pixel(3, 3), qRgb(255, 255, 255));
    EXPECT_EQ(c.pixel(3, 3), 0u);
}

TEST(QtCanvas, ClipAndHugeCoordinatesStayInside) {
    QtCanvas c(16, 12);
    const Rect clip{4, 4, 8, 8};
    c.setClip(&clip);
    c.fillRect({0, 0, 16, 12}, kRed);
    EXPECT_EQ(c.pixel(3, 3), kWhite);
    EXPECT_EQ(c.pixel(4, 4), kRed);
    c.setClip(nullptr);
    c.setPen({Pen::Style::Solid, 3, 0});
    c.line({INT32_MIN, 0}, {INT32_MAX, 5});
    c.line({-1000000, -5}, {1000000, 5});
    const PixelPoint huge[3] = {{-2000000000, -2000000000}, {2000000000, 0}, {0, 2000000000}};
    c.setBrush({Brush::Style::Solid, 0});
    c.polygon(huge);
    EXPECT_EQ(c.pixel(8, 6), 0u);
}

TEST(QtCanvas, DepthBufferPixelsDecodeInEveryLayout) {
    const std::uint8_t bgrx[] = {0xC0, 0x80, 0x40, 0xFF};
    const std::uint8_t bgr[] = {0xC0, 0x80, 0x40, 0x00};
    const std::uint8_t rgb565[] = {static_cast<std::uint8_t>((((0x80 >> 2) & 7) << 5) | (0xC0 >> 3)),
                                   static_cast<std::uint8_t>((0x40 & 0xF8) | (0x80 >> 5))};
    QtCanvas c(1, 1);
    c.replaceWithPixels(bgrx, 1, 1, 4, 32);
    EXPECT_EQ(c.pixel(0, 0), 0x00C08040u);
    c.replaceWithPixels(bgr, 1, 1, 4, 24);
    EXPECT_EQ(c.pixel(0, 0), 0x00C08040u);
    c.replaceWithPixels(rgb565, 1, 1, 2, 16);
    EXPECT_EQ(c.pixel(0, 0), 0x00C08040u);
}

TEST(QtCanvas, PaintedSceneHasTheGridAndAFilledTriangle) {
    std::ostringstream out;
    std::ostringstream err;
    BatchPlayer player(out, err);
    for (const char* line : {"size 64 48", "command 32814", "command 32895", "down 10 10",
                             "down 40 10", "down 10 40", "answer file /dev/null"}) {
        ASSERT_FALSE(player.runLine(line)) << line;
    }
    Editor& e = player.editor();
    e.view.emphasisMode = 0;
    QtCanvas c(64, 48);
    paintScene(e, c);
    EXPECT_EQ(c.pixel(32, 2), 0x00FF0000u); // the vertical axis through the origin, blue
    EXPECT_EQ(c.pixel(15, 15) & 0xFFu, (c.pixel(15, 15) >> 8) & 0xFFu); // grey shade inside
    EXPECT_NE(c.pixel(15, 15), kWhite);
    EXPECT_EQ(c.pixel(10, 10), 0u); // black edge at the first vertex
}

} // namespace
} // namespace fcw

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
