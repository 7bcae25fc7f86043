#include "editor/batch/batch_player.h"
#include "editor/view/frame_step.h"
#include "editor/view/panes.h"
#include "script_fixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <utility>
#include <vector>

namespace fcw {
namespace {

// An 800 x 600 view: in the quad layout each pane is 400 x 300, its origin at its centre
// (上面 200,150; 自由視点 600,150; 正面 200,450; 右側面 600,450 in the view).
class Panes : public testing::ScriptTest {
  protected:
    const Camera& camera(std::size_t pane) { return e.session.panes[pane].camera; }
};

// Three clicks in a pane (its centre, 50 below, 50 right) draw a triangle in that pane's
// frame, facing its viewer: 正面 right +y down +z, 右側面 right -x down +z, 上面 right +y
// down +x.
TEST(PanesFrames, AClickInEachPaneLandsInItsFrame) {
    struct Case {
        std::size_t pane;
        int x, y; // the pane's centre in the view
        Point3 right, down;
    };
    const Case cases[] = {
        {pane_index::kFront, 200, 450, {0, 50, 0}, {0, 0, 50}},
        {pane_index::kRight, 600, 450, {-50, 0, 0}, {0, 0, 50}},
        {pane_index::kTop, 200, 150, {0, 50, 0}, {50, 0, 0}},
        {pane_index::kFree, 600, 150, {0, 50, 0}, {0, 0, 50}},
    };
    for (const Case& c : cases) {
        std::ostringstream out;
        std::ostringstream err;
        BatchPlayer player(out, err);
        Editor& e = player.editor();
        const auto at = [&](int dx, int dy) {
            return "down " + std::to_string(c.x + dx) + ' ' + std::to_string(c.y + dy);
        };
        for (const std::string& line :
             {std::string("command 33011"), at(0, 0), at(0, 50), at(50, 0)}) {
            ASSERT_FALSE(player.runLine(line)) << line;
        }
        EXPECT_EQ(e.session.activePane, c.pane);
        ASSERT_EQ(e.document.store.lastIndex, 0) << c.pane;
        const Triangle& t = e.document.store.modelTriangles[0];
        for (const auto& [got, want] : {std::pair{t.v[0], Point3{0, 0, 0}},
                                        std::pair{t.v[1], c.right}, std::pair{t.v[2], c.down}}) {
            EXPECT_NEAR(got.x, want.x, 1e-9) << c.pane;
            EXPECT_NEAR(got.y, want.y, 1e-9) << c.pane;
            EXPECT_NEAR(got.z, want.z, 1e-9) << c.pane;
        }
        EXPECT_GT(e.document.store.viewTriangles[0].normal.x, 0.0)
            << c.pane; // faces the pane's viewer
    }
}

TEST_F(Panes, TheQuadSplitsTheViewInIntegerHalvesAndTheSingleShowsTheActivePane) {
    run({"size 401 301", "command 33011"});
    const std::pair<PixelPoint, PixelPoint> expected[] = {
        {{200, 0}, {201, 150}},
        {{0, 150}, {200, 151}},
        {{200, 150}, {201, 151}},
        {{0, 0}, {200, 150}}}; // free, front, right, top
    for (std::size_t i = 0; i < pane_index::kCount; ++i) {
        EXPECT_EQ(e.session.panes[i].origin, expected[i].first) << i;
        EXPECT_EQ(e.session.panes[i].rect(),
                  (Rect{0, 0, expected[i].second.x, expected[i].second.y}));
    }
    run({"command 33013", "command 33011"});
    EXPECT_EQ(e.session.paneLayout, PaneLayout::Single);
    EXPECT_EQ(e.session.activePane, pane_index::kRight);
    EXPECT_EQ(e.pane().origin, (PixelPoint{0, 0}));
    EXPECT_EQ(e.pane().rect(), (Rect{0, 0, 401, 301}));
    // The view list is the active pane's: 右側面 sees model x from the right, mirrored.
    EXPECT_NEAR(camera(pane_index::kRight).verticalAxisAngle, 1.5707963267948966, 1e-15);
}

TEST_F(Panes, OnlyTheFreePaneTurnsAndEachPaneHasItsOwnDepth) {
    run({"command 33014", "key Left", "key Down", "key PageUp"});
    EXPECT_EQ(camera(pane_index::kTop).verticalAxisAngle, 0.0);
    EXPECT_NEAR(camera(pane_index::kTop).horizontalAxisAngle, -1.5707963267948966, 1e-15);
    EXPECT_EQ(camera(pane_index::kTop).depth, -1.0);
    EXPECT_EQ(camera(pane_index::kFree).depth, 0.0);
    run({"command 32835"}); // 原点に戻す keeps an orthographic pane's angles
    EXPECT_NEAR(camera(pane_index::kTop).horizontalAxisAngle, -1.5707963267948966, 1e-15);
    EXPECT_EQ(camera(pane_index::kTop).depth, 0.0);
    run({"command 33015", "key Left"});
    EXPECT_NE(camera(pane_index::kFree).verticalAxisAngle, 0.0);
}

TEST_F(Panes, ZoomAndPanFollowAcrossTheOrthographicPanes) {
    run({"command 33011", "command 33012", "command 32832"});
    EXPECT_EQ(camera(pane_index::kTop).zoom, 0.5);
    EXPECT_EQ(camera(pane_index::kRight).zoom, 0.5);
    EXPECT_EQ(camera(pane_index::kFree).zoom, 1.0);
    run({"command 32825", "down 200 450", "move 230 430 left", "up 230 430"});
    const Camera& front = camera(pane_index::kFront);
    ASSERT_NE(front.originOffsetX, 0.0);
    ASSERT_NE(front.originOffsetY, 0.0);
    EXPECT_EQ(camera(pane_index::kTop).originOffsetX, front.originOffsetX);   // model y
    EXPECT_EQ(camera(pane_index::kRight).originOffsetY, front.originOffsetY); // model z
    run({"down 200 150", "move 200 170 left", "up 200 170"});                 // in 上面: model x
    EXPECT_EQ(e.session.activePane, pane_index::kTop);
    ASSERT_NE(camera(pane_index::kTop).originOffsetY, 0.0);
    EXPECT_EQ(camera(pane_index::kRight).originOffsetX, -camera(pane_index::kTop).originOffsetY);
    EXPECT_EQ(camera(pane_index::kFree).originOffsetX, 0.0);
}

// A press in another pane makes it active before the tool sees it: erase in 上面 while
// 自由視点 was active.
TEST_F(Panes, EraseWorksInThePanePressed) {
    run({"command 33011", "down 200 150", "down 200 200", "down 250 150"});
    ASSERT_EQ(e.document.store.lastIndex, 0);
    run({"command 33015", "command 32802", "down 215 165", "up 215 165"});
    EXPECT_EQ(e.session.activePane, pane_index::kTop);
    EXPECT_EQ(e.document.store.lastIndex, -1);
}

// The range tool in 上面 and 右側面: a triangle drawn in the pane, a rubber band over the pane,
// and the centre box (at the pane's centre) dragged 30 pixels right and 20 down moves every
// vertex along that pane's screen axes.
TEST(PanesTools, TheSelectionDragMovesInThePanesScreenAxes) {
    struct Case {
        int x, y; // the pane's centre in the view
        Point3 moved;
    };
    const Case cases[] = {
        {200, 150, {20, 30, 0}},  // 上面: right +y, down +x
        {600, 450, {-30, 0, 20}}, // 右側面: right -x, down +z
    };
    for (const Case& c : cases) {
        std::ostringstream out;
        std::ostringstream err;
        BatchPlayer player(out, err);
        const auto at = [&](const char* verb, int dx, int dy) {
            return std::string(verb) + ' ' + std::to_string(c.x + dx) + ' ' +
                   std::to_string(c.y + dy);
        };
        for (const std::string& line :
             {std::string("command 33011"), at("down", 0, 0), at("down", 0, 50), at("down", 50, 0),
              std::string("command 32803"), at("down", -190, -140), at("up", 190, 140)}) {
            ASSERT_FALSE(player.runLine(line)) << line;
        }
        const Triangle before = player.editor().document.store.modelTriangles[0];
        ASSERT_EQ(player.editor().document.selection.count(), 3) << c.x;
        for (const std::string& line :
             {at("down", 0, 0), at("move", 30, 20) + " left", at("up", 30, 20)}) {
            ASSERT_FALSE(player.runLine(line)) << line;
        }
        const Triangle& after = player.editor().document.store.modelTriangles[0];
        for (std::size_t k = 0; k < 3; ++k) {
            EXPECT_NEAR(after.v[k].x - before.v[k].x, c.moved.x, 1e-9) << c.x << ' ' << k;
            EXPECT_NEAR(after.v[k].y - before.v[k].y, c.moved.y, 1e-9) << c.x << ' ' << k;
            EXPECT_NEAR(after.v[k].z - before.v[k].z, c.moved.z, 1e-9) << c.x << ' ' << k;
        }
    }
}

// The popup acts on the triangle picked in the pane right-clicked: one triangle drawn in 正面,
// one in 右側面 (edge-on to each other); 削除 on the 右側面 one deletes it alone.
TEST_F(Panes, ThePopupPicksInThePaneClicked) {
    run({"command 33011", "down 200 450", "down 200 500", "down 250 450"});
    run({"down 600 450", "down 600 500", "down 650 450"});
    ASSERT_EQ(e.document.store.lastIndex, 1);
    const Triangle front = e.document.store.modelTriangles[0];
    run({"command 33012", "answer choose 32836", "rdown 610 460"});
    EXPECT_EQ(e.session.activePane, pane_index::kRight);
    ASSERT_EQ(e.document.store.lastIndex, 0);
    for (std::size_t k = 0; k < 3; ++k) { // through the view list and back: within rounding
        const Point3& kept = e.document.store.modelTriangles[0].v[k];
        EXPECT_NEAR(kept.x, front.v[k].x, 1e-9);
        EXPECT_NEAR(kept.y, front.v[k].y, 1e-9);
        EXPECT_NEAR(kept.z, front.v[k].z, 1e-9);
    }
}

// A pane beside the active one keeps its sort and shading from paint to paint: what it
// prepares must stay what a freshly turned model gives as the view and the model change.
TEST_F(Panes, APaneBesideTheActiveOneKeepsOnlyWhatStillHolds) {
    run({"command 33011", "command 32807", "down 560 110", "move 650 200", "up 650 200"});
    Pane& top = e.session.panes[pane_index::kTop];
    TurnedModel kept;
    auto prepared = [&](TurnedModel& turned) {
        const SceneFrame f = prepareOtherPanePaint(e, top, turned, top.camera, 1.0);
        std::vector<std::pair<int, Colour>> drawn;
        for (int k = 0; k <= f.drawCount; ++k) {
            const int t = f.drawOrder[static_cast<std::size_t>(k)];
            drawn.emplace_back(t, f.triangles[static_cast<std::size_t>(t)].shadedColour);
        }
        return drawn;
    };
    const std::pair<const char*, std::function<void()>> steps[] = {
        {"first paint", [] {}},
        {"unchanged", [] {}},
        {"brightness", [&] { e.session.view.brightness = 0.3; }},
        {"colour",
         [&] {
             e.document.store.modelTriangles[3].setColour(0x00123456);
             e.refreshModelToView();
         }},
        {"range tool busy",
         [&] {
             run({"command 32803", "command 32930"});
         }},
        {"turned", [&] { top.camera.verticalAxisAngle = 0.5; }},
    };
    for (const auto& [name, change] : steps) {
        change();
        const auto reused = prepared(kept);
        TurnedModel fresh;
        EXPECT_EQ(reused, prepared(fresh)) << name;
    }
}

} // namespace
} // namespace fcw
