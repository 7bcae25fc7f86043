#include "editor/batch/batch_player.h"
#include "editor/batch/state_dump.h"
#include "editor/tools/mouse_tools.h"
#include "editor/view/frame_step.h"
#include "render/qt_canvas.h"
#include "render/scene_painter.h"
#include "test_host.h"

#include <gtest/gtest.h>

#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdlib>
#include <sstream>
#include <vector>

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
    EXPECT_EQ(c.pixel(2, 2), 0u);   // outline
    EXPECT_EQ(c.pixel(7, 5), 0u);   // last column and row of the box
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

// The batched rectangles of the vertex markers give the pixels of one rectangle() each, for
// boxes cut by the clip on every side, one pixel wide or tall, points, empty and huge ones.
TEST(QtCanvas, BatchedRectanglesMatchOneByOne) {
    // The huge one first, so that the others draw over its fill.
    const std::vector<Rect> rects = {{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX},
                                     {10, 10, 16, 16},
                                     {1, 5, 7, 11},
                                     {30, 1, 38, 6},
                                     {5, 24, 11, 29},
                                     {20, 12, 21, 18},
                                     {12, 20, 19, 21},
                                     {25, 15, 25, 15},
                                     {18, 9, 14, 4},
                                     {8, 8, 14, 14}};
    const Rect clip{3, 2, 35, 27};
    for (const Pen::Style style : {Pen::Style::Solid, Pen::Style::Dotted}) {
        QtCanvas batched(40, 30);
        QtCanvas single(40, 30);
        for (QtCanvas* c : {&batched, &single}) {
            c->setClip(&clip);
            c->setPen({style, 1, 0x00FF0000});
            c->setBrush({Brush::Style::Solid, 0x000000FF});
        }
        batched.rectangles(rects);
        for (const Rect& r : rects) {
            single.rectangle(r);
        }
        EXPECT_EQ(batched.image(), single.image()) << static_cast<int>(style);
        EXPECT_EQ(batched.pixel(13, 10), 0x00FF0000u);
        EXPECT_EQ(batched.pixel(2, 7), 0x00FFFFFFu); // left of the clip
    }
}

// The background and the grid's lines in one pass give the picture of a fill, then the lines:
// lines through every row, lines through some, wide, dotted, crossing and outside the fill.
TEST(QtCanvas, FillThenLinesMatchesTheFillFollowedByTheLines) {
    const std::vector<std::vector<LineSegment>> cases = {
        {{{4, 0}, {4, 30}}, {{9, 0}, {9, 30}}, {{0, 7}, {40, 7}}},
        {{{4, 0}, {4, 30}}, {{9, 3}, {9, 20}}, {{12, 30}, {12, 0}}},
        {{{2, 0}, {2, 30}}, {{38, 0}, {38, 30}}, {{-5, 0}, {-5, 30}}},
        {{{20, 0}, {20, 30}}, {{0, 15}, {40, 15}}, {{3, 3}, {30, 25}}},
    };
    const Rect clip{0, 5, 40, 21}; // a band of rows
    for (const Rect fill : {Rect{0, 0, 40, 30}, Rect{3, 0, 35, 30}, Rect{0, 8, 40, 12}}) {
        for (const Pen pen : {Pen{Pen::Style::Solid, 1, 0x00C08080}, Pen{Pen::Style::Solid, 3, 0},
                              Pen{Pen::Style::Dotted, 1, 0}}) {
            for (const std::vector<LineSegment>& segments : cases) {
                QtCanvas together(40, 30);
                QtCanvas apart(40, 30);
                for (QtCanvas* c : {&together, &apart}) {
                    c->setClip(&clip);
                    c->setPen(pen);
                }
                together.fillRectThenLines(fill, 0x00334455, segments);
                apart.fillRect(fill, 0x00334455);
                apart.lines(segments);
                ASSERT_EQ(together.image(), apart.image())
                    << fill.left << "," << fill.top << " pen " << pen.width;
            }
        }
    }
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
    EXPECT_EQ(h.pixel(7, 0), kRed);
    EXPECT_EQ(h.pixel(15, 0), kRed);
    EXPECT_EQ(h.pixel(0, 0), kWhite);
    EXPECT_EQ(h.pixel(6, 1), kRed); // "/" lines: x + y constant
    EXPECT_EQ(h.pixel(8, 1), kWhite);
}

// The hatch is the one Qt's own backward-diagonal brush draws (the platform's hatch brushes
// agree), anchored at the picture's corner whatever the shape; a polygon hatches exactly the
// pixels it would fill.
TEST(QtCanvas, HatchMatchesThePlatformPatternPixelForPixel) {
    QImage reference(16, 12, QImage::Format_RGB32);
    reference.fill(Qt::white);
    {
        QPainter p(&reference);
        p.setPen(Qt::NoPen);
        p.setBrush(QBrush(Qt::black, Qt::BDiagPattern));
        p.drawRect(0, 0, 16, 12);
    }
    QtCanvas rect(16, 12);
    rect.setPen({Pen::Style::None, 1, 0});
    rect.setBrush({Brush::Style::BackwardDiagonalHatch, 0});
    rect.rectangle({0, 0, 16, 12});
    for (int y = 0; y < 12; ++y) {
        for (int x = 0; x < 16; ++x) {
            ASSERT_EQ(rect.pixel(x, y), reference.pixel(x, y) == qRgb(0, 0, 0) ? 0u : kWhite)
                << x << "," << y;
        }
    }

    QtCanvas solid(16, 12);
    QtCanvas hatched(16, 12);
    const PixelPoint tri[3] = {{-3, 1}, {15, 2}, {2, 11}};
    solid.setPen({Pen::Style::None, 1, 0});
    solid.setBrush({Brush::Style::Solid, kRed});
    solid.polygon(tri);
    hatched.setPen({Pen::Style::None, 1, 0});
    hatched.setBrush({Brush::Style::BackwardDiagonalHatch, kRed});
    hatched.polygon(tri);
    int hatchedPixels = 0;
    for (int y = 0; y < 12; ++y) {
        for (int x = 0; x < 16; ++x) {
            const bool onLine = (x + y) % 8 == 7;
            const Colour expected = solid.pixel(x, y) == kRed && onLine ? kRed : kWhite;
            ASSERT_EQ(hatched.pixel(x, y), expected) << x << "," << y;
            hatchedPixels += expected == kRed ? 1 : 0;
        }
    }
    EXPECT_GE(hatchedPixels, 8);
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

// Text comes from a cache of stamped pixels: the same pixels as drawing it straight onto the
// picture, at any position, clipped like everything else, and again from the cache.
TEST(QtCanvas, CachedTextIsThePixelsTheFontDraws) {
    const std::string line = "奥行き＝(12.500000)";
    QImage direct(200, 40, QImage::Format_RGB32);
    direct.fill(Qt::white);
    {
        QPainter painter(&direct);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        QFont font(QStringLiteral("IPAGothic"));
        font.setPixelSize(12);
        font.setStyleStrategy(QFont::NoAntialias);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(7, 9 + QFontMetrics(font).ascent(), QString::fromStdString(line));
    }
    QtCanvas c(200, 40);
    for (int pass = 0; pass < 2; ++pass) {
        c.fillRect({0, 0, 200, 40}, kWhite);
        c.text(7, 9, line);
        ASSERT_TRUE(c.image() == direct) << pass;
    }
    const Rect clip{0, 0, 20, 40};
    c.fillRect({0, 0, 200, 40}, kWhite);
    c.setClip(&clip);
    c.text(7, 9, line);
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 200; ++x) {
            ASSERT_EQ(c.image().pixel(x, y), x < 20 ? direct.pixel(x, y) : qRgb(255, 255, 255));
        }
    }
}

TEST(QtCanvas, DepthBufferPixelsDecodeInEveryLayout) {
    const std::uint8_t bgrx[] = {0xC0, 0x80, 0x40, 0xFF};
    const std::uint8_t bgr[] = {0xC0, 0x80, 0x40, 0x00};
    const std::uint8_t rgb565[] = {
        static_cast<std::uint8_t>((((0x80 >> 2) & 7) << 5) | (0xC0 >> 3)),
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
    e.session.view.emphasisMode = 0;
    QtCanvas c(64, 48);
    paintScene(stepFrame(e), c);
    EXPECT_EQ(c.pixel(32, 2), 0x00FF0000u); // the vertical axis through the origin, blue
    EXPECT_EQ(c.pixel(15, 15) & 0xFFu, (c.pixel(15, 15) >> 8) & 0xFFu); // grey shade inside
    EXPECT_NE(c.pixel(15, 15), kWhite);
    EXPECT_EQ(c.pixel(10, 10), 0u); // black edge at the first vertex
}

// What a paint leaves behind that the JSON dump does not show.
std::string paintState(const Editor& e) {
    std::ostringstream s;
    const LastPaint& i = e.pane().lastPaint;
    s << dumpState(e, true) << ' ' << e.pane().camera.centreX << ' ' << e.pane().camera.centreY
      << ' ' << i.centreBox.left << ' ' << i.centreBox.top << ' ' << i.statusBoxRect.left << ' '
      << i.statusBoxRect.top << ' ' << e.session.view.depthNormalDisplay << ' ' << i.drawOrderLast;
    for (int k = 0; k <= e.pane().lastPaint.drawOrderLast; ++k) {
        s << ' ' << e.pane().lastPaint.drawOrder[static_cast<std::size_t>(k)];
    }
    for (int t = 0; t <= e.document.store.lastIndex; ++t) {
        const Triangle& tri = e.document.store.viewTriangles[static_cast<std::size_t>(t)];
        s << ' ' << tri.shadedColour << ' ' << tri.screenLeft << ' ' << tri.screenBottom;
    }
    return s.str();
}

TEST(QtCanvas, PaintingTwiceFromOneStateGivesOnePictureAndChangesNothing) {
    std::ostringstream out;
    std::ostringstream err;
    BatchPlayer player(out, err);
    for (const char* line :
         {"size 400 300", "command 32814", "down 150 150", "down 250 150", "down 150 250",
          "command 32803", "down 100 120", "move 300 280 left", "up 300 280", "move 30 20"}) {
        ASSERT_FALSE(player.runLine(line)) << line;
    }
    Editor& e = player.editor();
    for (const bool depthBuffer : {false, true}) {
        e.session.view.frameMode = depthBuffer ? FrameMode::Filled : FrameMode::FilledWithEdges;
        e.session.view.depthNormalDisplay = depthBuffer ? 1 : 0;
        QtCanvas first(400, 300);
        const SceneFrame frame = stepFrame(e);
        const std::string before = paintState(e);
        paintScene(frame, first);
        EXPECT_EQ(paintState(e), before) << depthBuffer; // the painter writes nothing
        QtCanvas second(400, 300);
        paintScene(stepFrame(e), second);
        EXPECT_EQ(paintState(e), before) << depthBuffer; // nor does a second frame step
        EXPECT_EQ(first.image(), second.image()) << depthBuffer;
        EXPECT_NE(first.pixel(170, 200), kWhite) << depthBuffer; // inside the triangle
    }
}

// A host whose popup menu takes a picture of the view while it is up.
class PicturingHost : public testing::FakeHost {
  public:
    Editor* editor = nullptr;
    QImage picture;
    int popupMenu(int, PixelPoint) override {
        QtCanvas canvas(64, 48);
        paintScene(stepFrame(*editor), canvas);
        picture = canvas.image();
        return 0;
    }
};

TEST(QtCanvas, AHeadlessPictureShowsTheRightClickHatchUntilTheMenuCloses) {
    PicturingHost host;
    Editor e(host);
    host.editor = &e;
    e.pane().camera.clientRect = {0, 0, 64, 48};
    e.session.view.statusVisible = 0;
    e.session.view.emphasisMode = 0;
    // On screen (2, 2), (62, 2), (2, 46) around the origin at (32, 24).
    testing::appendTriangle(e, {0, -30, -22}, {0, 30, -22}, {0, -30, 22}, 0x00204000);
    QtCanvas plain(64, 48);
    paintScene(stepFrame(e), plain);
    onRightButtonDown(e, mouse_flags::kRight, {12, 12});
    ASSERT_FALSE(host.picture.isNull());
    const Colour hatch = 0x00204000 | 0x808080;
    auto pixelOf = [](const QImage& image, int x, int y) {
        const QRgb p = image.pixel(x, y);
        return static_cast<Colour>(qRed(p)) | (static_cast<Colour>(qGreen(p)) << 8) |
               (static_cast<Colour>(qBlue(p)) << 16);
    };
    EXPECT_EQ(pixelOf(host.picture, 10, 13), hatch);               // 10 + 13 = 23 = 7 (mod 8)
    EXPECT_EQ(pixelOf(host.picture, 11, 13), plain.pixel(11, 13)); // between the lines
    EXPECT_EQ(pixelOf(host.picture, 40, 40), kWhite);              // outside the triangle
    QtCanvas after(64, 48);
    paintScene(stepFrame(e), after);
    EXPECT_EQ(after.image(), plain.image());
}

} // namespace
} // namespace fcw

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
