#include "editor/commands/commands.h"
#include "editor/tools/mouse_tools.h"
#include "editor/view/frame_step.h"
#include "editor/view/navigation.h"
#include "render/canvas.h"
#include "render/scene_painter.h"
#include "test_host.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace fcw {
namespace {

using testing::appendTriangle;
using testing::FakeHost;

// Records every drawing call as text, with the pen and brush in force.
class RecordingCanvas : public Canvas {
  public:
    std::vector<std::string> calls;
    std::int32_t width() const override { return 64; }
    std::int32_t height() const override { return 48; }
    void setPen(const Pen& p) override { pen_ = p; }
    void setBrush(const Brush& b) override { brush_ = b; }
    void setClip(const Rect* r) override {
        calls.push_back(r ? "clip " + rect(*r) : std::string("unclip"));
    }
    void line(PixelPoint a, PixelPoint b) override {
        calls.push_back("line " + pt(a) + " " + pt(b) + penText());
    }
    void invertLine(PixelPoint a, PixelPoint b) override {
        calls.push_back("not " + pt(a) + " " + pt(b));
    }
    void polyline(std::span<const PixelPoint> p) override {
        calls.push_back("polyline " + std::to_string(p.size()) + penText());
    }
    void polygon(std::span<const PixelPoint> p) override {
        calls.push_back("polygon " + std::to_string(p.size()) + penText() + brushText());
    }
    void rectangle(const Rect& r) override {
        calls.push_back("rect " + rect(r) + penText() + brushText());
    }
    void roundRect(const Rect& r, int, int) override { calls.push_back("round " + rect(r)); }
    void ellipse(const Rect& r) override { calls.push_back("ellipse " + rect(r)); }
    void fillRect(const Rect& r, Colour c) override {
        calls.push_back("fill " + rect(r) + " " + std::to_string(c));
    }
    void frameRect(const Rect& r, Colour) override { calls.push_back("frame " + rect(r)); }
    void invertSnapMarker(std::int32_t x, std::int32_t y) override {
        calls.push_back("marker " + pt({x, y}));
    }
    void text(std::int32_t x, std::int32_t y, const std::string& t) override {
        calls.push_back("text " + pt({x, y}) + " " + t);
    }
    void replaceWithPixels(std::span<const std::uint8_t>, std::int32_t w, std::int32_t h,
                           std::size_t, int bits) override {
        calls.push_back("pixels " + std::to_string(w) + "x" + std::to_string(h) + "@" +
                        std::to_string(bits));
    }
    int count(const std::string& prefix) const {
        int n = 0;
        for (const auto& c : calls) {
            n += c.rfind(prefix, 0) == 0 ? 1 : 0;
        }
        return n;
    }

  private:
    static std::string pt(PixelPoint p) {
        return "(" + std::to_string(p.x) + "," + std::to_string(p.y) + ")";
    }
    static std::string rect(const Rect& r) {
        return pt({r.left, r.top}) + "-" + pt({r.right, r.bottom});
    }
    std::string penText() const {
        return " pen" + std::to_string(pen_.width) + ":" + std::to_string(pen_.colour) +
               (pen_.style == Pen::Style::Dotted ? ":dot"
                : pen_.style == Pen::Style::None ? ":none"
                                                 : "");
    }
    std::string brushText() const {
        if (brush_.style == Brush::Style::None) {
            return " nobrush";
        }
        return (brush_.style == Brush::Style::BackwardDiagonalHatch ? " hatch:" : " brush:") +
               std::to_string(brush_.colour);
    }
    Pen pen_;
    Brush brush_;
};

struct Fixture {
    FakeHost host;
    Editor e{host};
    RecordingCanvas canvas;
    Fixture() { e.pane().camera.clientRect = {0, 0, 800, 600}; }
};

TEST(ScenePainter, NoGridFlagDrawsNoGridAxesOrDepthSquare) {
    Fixture f;
    f.e.session.view.statusVisible = 0;
    paintScene(stepFrame(f.e), f.canvas);
    EXPECT_EQ(f.canvas.calls,
              (std::vector<std::string>{"unclip", "fill (0,0)-(800,600) 16777215"}));
    f.e.session.view.gridInFront = true;
    paintScene(stepFrame(f.e), f.canvas);
    EXPECT_EQ(f.canvas.count("line"), 0);
}

TEST(ScenePainter, SnapMarkerOnAVertexFarOffThePixelRange) {
    // Found by the state fuzzer after opening a damaged document: the vertex snap preview
    // lands on a vertex some 1e12 pixels away, and placing the marker overflowed.
    Fixture f;
    f.e.session.view.statusVisible = 0;
    appendTriangle(f.e, {0, -1e12, -1e12}, {0, -1e12 + 5, -1e12}, {0, -1e12, -1e12 + 5}, 1);
    f.e.session.interaction.toolMode = ToolMode::DrawTriangle;
    f.e.session.snap.vertexSnap[1] = true;
    f.e.session.interaction.lastPointer = {10, 10};
    paintScene(stepFrame(f.e), f.canvas);
    EXPECT_EQ(f.canvas.count("marker (-2147483648,-2147483648)"), 1);
}

TEST(ScenePainter, GridSpacingFortyAtZoomOneUsesItsGreyThenAxesAndSquare) {
    Fixture f;
    f.e.session.view.statusVisible = 0;
    f.e.session.view.grid = GridSpacing::Forty;
    paintScene(stepFrame(f.e), f.canvas);
    // 258 - 120 = 138: RGB(138, 138, 255); lines at 400 mod 40 = 0, 40, ...
    EXPECT_EQ(f.canvas.calls[2],
              "line (0,0) (0,600) pen1:" + std::to_string(138 | 138 << 8 | 255 << 16));
    // 15 horizontal grid lines down the 600-pixel height (none below it), the vertical one
    // at x = 0 and the horizontal axis.
    EXPECT_EQ(f.canvas.count("line (0,"), 15 + 1 + 1);
    EXPECT_NE(std::find(f.canvas.calls.begin(), f.canvas.calls.end(),
                        "line (400,0) (400,600) pen3:16711680"),
              f.canvas.calls.end());
    // Depth 0: the square collapses onto the origin in the light colour.
    EXPECT_EQ(f.canvas.calls.back(), "rect (400,300)-(400,300) pen2:16751515 nobrush");
}

TEST(ScenePainter, BackFacingTrianglesAreSkippedInEveryFrameMode) {
    Fixture f;
    f.e.session.view.statusVisible = 0;
    f.e.session.view.emphasisMode = 0;
    appendTriangle(f.e, {0, 0, 0}, {0, 10, 0}, {0, 0, 10}, 0x0000FF); // faces the viewer
    appendTriangle(f.e, {0, 0, 0}, {0, 0, 10}, {0, 10, 0}, 0x00FF00); // faces away
    const char* expected[] = {"polyline 4 pen1:0", "polyline 4 pen1:7697919",
                              "polygon 3 pen1:0 brush:7697919",
                              "polygon 3 pen1:7697919 brush:7697919"};
    for (int mode = 0; mode < 4; ++mode) {
        f.canvas.calls.clear();
        f.e.session.view.frameMode = static_cast<FrameMode>(mode);
        paintScene(stepFrame(f.e), f.canvas);
        ASSERT_EQ(f.canvas.calls.size(), 3u) << mode;
        EXPECT_EQ(f.canvas.calls[2], expected[mode]);
    }
    // The depth-buffer path replaces the picture with the renderer's pixels.
    f.canvas.calls.clear();
    f.e.session.view.depthNormalDisplay = 1;
    f.e.services.depthRenderer.resize(f.e.pane().camera.clientRect);
    paintScene(stepFrame(f.e), f.canvas);
    ASSERT_GE(f.canvas.calls.size(), 2u);
    EXPECT_EQ(f.canvas.calls[1], "pixels 800x600@32"); // no white fill first: it is replaced
}

// 33035 shows the back faces red with a black outline in every frame mode and through the
// depth buffer; a second 33035 hides them again.
TEST(ScenePainter, FacingShowsBackFacesRedAndHidesThemAgain) {
    Fixture f;
    f.e.session.view.statusVisible = 0;
    f.e.session.view.emphasisMode = 0;
    appendTriangle(f.e, {0, 20, 0}, {0, 20, 10}, {0, 30, 0}, 0x00FF00); // faces away
    const std::string red = "polygon 3 pen1:0 brush:" + std::to_string(kBackFaceRed);
    ASSERT_GE(kBackFaceRed & 0xFF, 200u);
    ASSERT_LE((kBackFaceRed >> 8) & 0xFF, 110u);
    ASSERT_LE(kBackFaceRed >> 16, 110u);
    for (const bool on : {true, false}) {
        dispatchCommand(f.e, command_id::kShowFacing);
        ASSERT_EQ(findCommand(command_id::kShowFacing)->isChecked(f.e), on);
        for (int mode = 0; mode < 4; ++mode) {
            f.canvas.calls.clear();
            f.e.session.view.frameMode = static_cast<FrameMode>(mode);
            paintScene(stepFrame(f.e), f.canvas);
            EXPECT_EQ(f.canvas.count(red), on ? 1 : 0) << mode;
            EXPECT_EQ(f.canvas.calls.size(), on ? 3u : 2u) << mode;
        }
        f.e.session.view.depthNormalDisplay = 1;
        f.e.services.depthRenderer.resize(f.e.pane().camera.clientRect);
        paintScene(stepFrame(f.e), f.canvas);
        const Camera& c = f.e.pane().camera;
        const Point3& centroid = f.e.document.store.viewTriangles[0].centroid;
        const std::size_t at = (static_cast<std::size_t>(c.projectY(centroid.z)) * 800 +
                                static_cast<std::size_t>(c.projectX(centroid.y))) *
                               4;
        const auto pixels = f.e.services.depthRenderer.pixels();
        const Colour shown = pixels[at + 2] | pixels[at + 1] << 8 | pixels[at] << 16;
        EXPECT_EQ(shown, on ? kBackFaceRed : 0xFFFFFFu);
        f.e.session.view.depthNormalDisplay = 0;
    }
}

TEST(ScenePainter, MarkersFollowTheEmphasisModeAndGiveWayToASelection) {
    Fixture f;
    f.e.session.view.statusVisible = 0;
    appendTriangle(f.e, {0, 0, 0}, {0, 10, 0}, {0, 0, 10}, 0);
    // Back-facing, at depth 5, sharing its first corner's square with triangle 0's on screen.
    appendTriangle(f.e, {5, 0, 0}, {5, 0, -10}, {5, -10, 0}, 0);
    // Mode 1 at depth 0: triangle 0's vertices; mode 3 all, the shared square drawn once.
    const int expected[] = {0, 3, 3, 5};
    for (int mode = 0; mode < 4; ++mode) {
        f.canvas.calls.clear();
        f.e.session.view.emphasisMode = mode;
        paintScene(stepFrame(f.e), f.canvas);
        EXPECT_EQ(f.canvas.count("rect"), expected[mode]) << mode;
    }
    f.e.pane().camera.depth = 5; // mode 1: vertices at the drawing depth, even back-facing ones
    f.e.session.view.emphasisMode = 1;
    f.canvas.calls.clear();
    paintScene(stepFrame(f.e), f.canvas);
    EXPECT_EQ(f.canvas.count("rect"), 3);
    // Marker square around (400, 300): corners 403 and 397.
    EXPECT_EQ(f.canvas.calls[3].substr(0, 22), "rect (397,297)-(403,30");

    f.e.document.selection.selectTriangles(f.e.document.store, 0, 0);
    f.canvas.calls.clear();
    paintScene(stepFrame(f.e), f.canvas);
    EXPECT_EQ(f.canvas.count("rect"), 0);
}

TEST(ScenePainter, StatusBoxTextsAndPlacement) {
    Fixture f;
    appendTriangle(f.e, {0, 0, 0}, {0, 10, 0}, {0, 0, 10}, 0);
    f.e.pane().camera.verticalAxisAngle = 0.5;
    f.e.pane().camera.zoom = 2;
    f.e.pane().camera.cursorVertical = 10;
    f.e.pane().camera.cursorHorizontal = -3;
    f.e.pane().camera.cursorDepth = 4;
    const std::vector<StatusLine> lines = statusLines(f.e, f.e.pane().camera);
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[0].text, "ポリゴンの数(1)");
    EXPECT_EQ(lines[1].text, "縦軸回転 = (28.647890)");
    EXPECT_EQ(lines[2].text, "横軸回転 = (0.000000)");
    EXPECT_EQ(lines[3].text, "現在の色");
    EXPECT_EQ(lines[4].text, "縦＝(-5.000000)");
    EXPECT_EQ(lines[5].text, "横＝(-1.500000)");
    EXPECT_EQ(lines[6].text, "奥行き＝(-2.000000)");
    EXPECT_EQ(lines[4].x, 200);

    f.e.session.interaction.statusCorner = StatusCorner::BottomRight;
    f.e.session.interaction.currentColour = 0x123456;
    paintScene(stepFrame(f.e), f.canvas);
    EXPECT_EQ(f.e.pane().lastPaint.statusBoxRect, (Rect{410, 500, 800, 600}));
    EXPECT_NE(std::find(f.canvas.calls.begin(), f.canvas.calls.end(),
                        "fill (510,572)-(540,588) " + std::to_string(0x123456)),
              f.canvas.calls.end());
    EXPECT_EQ(f.canvas.calls.back(), "unclip");
}

TEST(ScenePainter, DrawingPreviewAndSnapMarker) {
    Fixture f;
    f.e.session.view.statusVisible = 0;
    f.e.session.view.emphasisMode = 0;
    appendTriangle(f.e, {0, 0, 0}, {0, 10, 0}, {0, 0, 10}, 0);
    f.e.session.tools.drawing.phase = DrawPhase::OneVertex; // one point of triangle 0 placed
    f.e.session.interaction.lastPointer = {414, 306};
    f.e.session.snap.gridSnap[2] = true;
    f.e.session.view.grid = GridSpacing::Ten;
    f.e.session.view.gridInFront = true;
    paintScene(stepFrame(f.e), f.canvas);
    EXPECT_EQ(f.canvas.count("polyline 3"), 1);
    EXPECT_EQ(f.canvas.count("polygon"), 0);              // the provisional triangle is not filled
    EXPECT_EQ(f.canvas.calls.back(), "marker (402,302)"); // grid point (410, 310) - 8
}

TEST(ScenePainter, DrawsAHandBuiltFrameWithoutAnEditor) {
    SceneFrame frame;
    frame.client = {0, 0, 64, 48};
    frame.camera.clientRect = frame.client;
    frame.rubberBand = Rect{2, 3, 20, 30};
    frame.snapMarkers = {{5, 6}};
    frame.status = SceneFrame::StatusBox{{0, 0, 39, 10}, {{1, 2, "x"}}, 0x42};
    frame.highlight = SceneFrame::Highlight{{{{1, 1}, {30, 1}, {1, 30}}}, 0x00808080};
    RecordingCanvas canvas;
    paintScene(frame, canvas);
    EXPECT_EQ(canvas.calls,
              (std::vector<std::string>{
                  "unclip", "fill (0,0)-(64,48) 16777215", "rect (2,3)-(20,30) pen1:0:dot nobrush",
                  "marker (5,6)", "clip (0,0)-(39,10)", "fill (0,0)-(39,10) 16777215",
                  "frame (0,0)-(39,10)", "text (1,2) x", "fill (100,72)-(130,88) 66", "unclip",
                  "polygon 3 pen0:0:none hatch:8421504"}));
}

// A host whose popup menu paints the view while it is up, as the window shows it then.
class PaintingHost : public FakeHost {
  public:
    Editor* editor = nullptr;
    RecordingCanvas canvas;
    int popupMenu(int, PixelPoint) override {
        canvas.calls.clear();
        paintScene(stepFrame(*editor), canvas);
        return 0;
    }
};

TEST(ScenePainter, ARightClickHatchesThePickedTriangleWhileItsMenuIsUp) {
    PaintingHost host;
    Editor e(host);
    host.editor = &e;
    e.pane().camera.clientRect = {0, 0, 800, 600};
    e.session.view.statusVisible = 0;
    appendTriangle(e, {0, 0, 0}, {0, 100, 0}, {0, 0, 100}, 0x00102030);
    stepFrame(e); // the picture the click lands on
    onRightButtonDown(e, mouse_flags::kRight, {420, 320});
    // Over everything else, without an outline, in the triangle's colour with 0x808080 set.
    EXPECT_EQ(host.canvas.calls.back(),
              "polygon 3 pen0:0:none hatch:" + std::to_string(0x00102030 | 0x808080));
    EXPECT_EQ(e.session.highlightedTriangle, -1); // gone with the menu
    host.canvas.calls.clear();
    paintScene(stepFrame(e), host.canvas);
    EXPECT_EQ(host.canvas.count("polygon 3 pen0:0:none"), 0);
}

TEST(ScenePainter, DisplayCommandsAreRadioGroupsThatRepaint) {
    FakeHost host;
    Editor e(host);
    dispatchCommand(e, command_id::kShowFrame);
    EXPECT_EQ(e.session.view.frameMode, FrameMode::Outline);
    EXPECT_TRUE(findCommand(command_id::kShowFrame)->isChecked(e));
    EXPECT_FALSE(findCommand(command_id::kShowFacesWithEdges)->isChecked(e));
    dispatchCommand(e, command_id::kGridInFront);
    EXPECT_TRUE(e.session.view.gridInFront);
    EXPECT_FALSE(findCommand(command_id::kGridBehind)->isChecked(e));
    EXPECT_EQ(host.repaints, 2);
    dispatchCommand(e, command_id::kStatusBox); // takes effect at the next repaint, so none now
    EXPECT_EQ(e.session.view.statusVisible, 0);
    EXPECT_EQ(host.repaints, 2);
}

TEST(Navigation, WheelStepsAndClamps) {
    FakeHost host;
    Editor e(host);
    e.pane().camera.clientRect = {0, 0, 800, 600};
    dispatchCommand(e, command_id::kZoomDivide10); // ÷１０ is below the wheel's lower limit
    EXPECT_EQ(e.pane().camera.zoom, 0.1);
    wheelZoom(e, -120); // 0.0, clamped up to 0.2
    EXPECT_EQ(e.pane().camera.zoom, 0.2);
    dispatchCommand(e, command_id::kZoomTimes10);
    e.session.interaction.toolMode = ToolMode::RangeMove;
    e.session.tools.range.phase = RangePhase::SelectionShown;
    e.session.tools.range.band = {100, 100, 200, 200};
    wheelZoom(e, 120); // 10.1 -> 10; the rectangle is not rescaled for that notch
    EXPECT_EQ(e.pane().camera.zoom, 10.0);
    EXPECT_EQ(e.session.tools.range.band, (Rect{100, 100, 200, 200}));
    dispatchCommand(e, command_id::kZoomTimes1);
    wheelZoom(e, 120 * 10); // 1 -> 2: the rectangle doubles about the window centre
    EXPECT_NEAR(e.pane().camera.zoom, 2.0, 1e-12);
    EXPECT_EQ(e.session.tools.range.band.left, -200);
    EXPECT_EQ(e.session.tools.range.band.bottom, 100);
}

} // namespace
} // namespace fcw

namespace fcw {
namespace {

// A full store (3001 triangles) with the range tool busy: the sort cannot take in a free slot,
// and the last real triangle is drawn, not skipped as one.
TEST(ScenePainter, FullStoreDrawsItsLastTriangleWhileTheRangeToolIsBusy) {
    Fixture f;
    f.e.session.view.statusVisible = 0;
    f.e.session.view.emphasisMode = 0;
    for (int i = 0; i < kTriangleSlots; ++i) {
        const double y = (i % 50) * 10.0 - 250;
        const double z = (i / 50) * 8.0 - 240; // no two alike on screen: each is drawn
        appendTriangle(f.e, {0, y, z}, {0, y + 5, z}, {0, y, z + 5}, 0x0000FF);
    }
    f.e.refreshModelToView();
    ASSERT_EQ(dispatchCommand(f.e, 32803), DispatchResult::Done); // range tool
    ASSERT_EQ(dispatchCommand(f.e, 32930), DispatchResult::Done); // select all
    const SceneFrame frame = stepFrame(f.e);
    EXPECT_EQ(frame.drawCount, kTriangleSlots - 1);
    EXPECT_EQ(frame.hiddenTriangle, -1);
    paintScene(frame, f.canvas);
    // Every triangle, then the eight arrow heads of the two move boxes.
    EXPECT_EQ(f.canvas.count("polygon 3"), kTriangleSlots + 8);
}

} // namespace
} // namespace fcw
