#include "editor/batch/batch_player.h"
#include "editor/tools/mouse_tools.h"
#include "script_fixture.h"
#include "test_host.h"

#include "editor/editor_invariants.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

namespace fcw {
namespace {

// A fresh editor in an 800 x 600 view (origin at (400, 300)) driven by script lines.
class MouseTools : public testing::ScriptTest {
  protected:
    const Triangle& model(int i) {
        return e.document.store.modelTriangles[static_cast<std::size_t>(i)];
    }
    const Triangle& view(int i) {
        return e.document.store.viewTriangles[static_cast<std::size_t>(i)];
    }
};

TEST_F(MouseTools, ThreeClicksDrawATriangleThatFacesTheViewer) {
    run({"down 400 300", "up 400 300"});
    EXPECT_EQ(e.document.store.lastIndex, 0); // the provisional triangle
    EXPECT_EQ(editPhaseNumber(e), 1);
    EXPECT_TRUE(e.document.modified);
    // Counter-clockwise on screen: the finished triangle is turned round.
    run({"down 400 350", "down 450 300"});
    EXPECT_EQ(editPhaseNumber(e), 0);
    EXPECT_EQ(e.undoDepth(), 1);
    EXPECT_EQ(model(0).v[1].y, 50.0);
    EXPECT_EQ(model(0).v[2].z, 50.0);
    EXPECT_GE(view(0).normal.x, 0.0);
    EXPECT_GT(model(0).normal.x, 0.0);
}

TEST_F(MouseTools, SwitchingToolOrUndoDropsTheProvisionalTriangle) {
    run({"down 400 300", "down 450 300", "down 400 350", "down 500 500"});
    EXPECT_EQ(e.document.store.lastIndex, 1);
    run({"command 32802"});
    EXPECT_EQ(e.document.store.lastIndex, 0);
    run({"command 32801", "down 500 500", "command 32799"});
    EXPECT_EQ(e.document.store.lastIndex, -1); // the provisional one and the finished edit
}

TEST_F(MouseTools, AFullModelRefusesANewTriangle) {
    e.document.store.lastIndex = kMaxTriangles - 1;
    run({"down 10 10"});
    EXPECT_EQ(out.str(), "beep\ndialog 302\n");
    EXPECT_EQ(e.document.store.lastIndex, kMaxTriangles - 1);
    EXPECT_EQ(editPhaseNumber(e), 0);
    e.document.store.lastIndex = kMaxTriangles - 2; // 2999 triangles: one more can be drawn
    run({"down 10 10", "down 60 10", "down 10 60"});
    EXPECT_EQ(e.document.store.lastIndex, kMaxTriangles - 1);
}

TEST_F(MouseTools, EraseTakesTheFrontMostFacingTriangleOnly) {
    // Two triangles over the same pixels at depths 0 and 20 (nearer).
    run({"down 400 300", "down 500 300", "down 400 400"});
    e.pane().camera.depth = 20;
    run({"down 400 300", "down 500 300", "down 400 400"});
    EXPECT_EQ(e.document.store.lastIndex, 1);
    run({"command 32802", "down 420 320", "up 420 320"});
    ASSERT_EQ(e.document.store.lastIndex, 0);
    EXPECT_EQ(model(0).v[0].x, 0.0); // the one at depth 0 is left
    // A back-facing triangle is never erased, but can be painted.
    e.document.store.modelTriangles[0].reverseWinding();
    e.refreshModelToView();
    run({"down 420 320", "move 421 321 left", "up 421 321"});
    EXPECT_EQ(e.document.store.lastIndex, 0);
    e.session.interaction.currentColour = 0x00ABCDEF;
    run({"command 32804", "down 420 320", "up 420 320"});
    EXPECT_EQ(model(0).colour, 0x00ABCDEFu);
    EXPECT_EQ(view(0).colour, 0x00ABCDEFu);
}

TEST_F(MouseTools, RubberBandSelectsAndShiftToggles) {
    run({"down 400 300", "down 500 300", "down 400 400", "command 32803"});
    run({"down 390 290", "move 450 310 left", "up 450 310"}); // takes vertices 0 and 1? no: 0
    EXPECT_EQ(editPhaseNumber(e), 2);
    ASSERT_EQ(e.document.selection.count(), 1);
    EXPECT_EQ(e.document.selection.vertices()[0], (SelectedVertex{0, 0}));
    run({"down 380 280 shift", "up 520 320 shift"}); // toggles 0 off and 1 on
    ASSERT_EQ(e.document.selection.count(), 1);
    EXPECT_EQ(e.document.selection.vertices()[0], (SelectedVertex{0, 1}));
    EXPECT_EQ(model(0).v[1].selected, 1);
    EXPECT_EQ(model(0).v[0].selected, 0);
    run({"down 600 600", "up 601 601"}); // an empty band ends the selection
    EXPECT_EQ(editPhaseNumber(e), 0);
    EXPECT_EQ(e.session.tools.range.band, Rect{});
}

TEST_F(MouseTools, DraggingASelectionMovesItsVerticesAndCountsOnce) {
    run({"down 400 300", "down 500 300", "down 400 400", "command 32803"});
    run({"down 390 290", "up 410 310"});
    const int depthBefore = e.undoDepth();
    run({"down 400 300", "move 420 310 left", "up 420 310"}); // inside CentreBox
    EXPECT_NEAR(model(0).v[0].y, 20.0, 1e-9);
    EXPECT_NEAR(model(0).v[0].z, 10.0, 1e-9);
    EXPECT_EQ(model(0).v[1].y, 100.0);
    EXPECT_EQ(e.undoDepth(), depthBefore + 1);
    run({"down 400 300", "move 405 300 left", "up 405 300"});
    EXPECT_EQ(e.undoDepth(), depthBefore + 1);
    run({"command 32799"});
    EXPECT_EQ(model(0).v[0].y, 0.0);
}

TEST_F(MouseTools, SphereDragAndItsCancellations) {
    run({"command 32807", "down 400 250", "move 420 350", "up 420 350"});
    EXPECT_EQ(e.document.store.lastIndex, 159);
    EXPECT_EQ(e.undoDepth(), 1);
    run({"down 100 100", "up 200 100"}); // zero height
    EXPECT_EQ(e.document.store.lastIndex, 159);
    run({"down 100 100", "rdown 150 150"}); // right click drops the reserved slot
    EXPECT_EQ(e.document.store.lastIndex, 159);
    EXPECT_EQ(editPhaseNumber(e), 0);
}

TEST_F(MouseTools, SphereReservedSlotIsGivenBackWhateverEndsTheDrag) {
    run({"command 32807", "down 400 250", "move 420 350", "up 420 350"});
    ASSERT_EQ(e.document.store.lastIndex, 159);
    // A second press whose release went missing: still one drag, one reserved slot.
    run({"down 100 100", "down 120 150"});
    EXPECT_EQ(e.document.store.lastIndex, 160);
    EXPECT_EQ(editPhaseNumber(e), 1);
    run({"up 200 300"});
    EXPECT_EQ(e.document.store.lastIndex, 319);
    EXPECT_EQ(editPhaseNumber(e), 0);
    EXPECT_EQ(e.undoDepth(), 2);
    // Changing the tool in the middle of a drag gives the reserved slot back.
    run({"down 100 100", "command 32803"});
    EXPECT_EQ(e.document.store.lastIndex, 319);
    EXPECT_EQ(editPhaseNumber(e), 0);
}

TEST_F(MouseTools, ErasingRenumbersTheSelectionWithItsTriangles) {
    run({"down 400 300", "down 500 300", "down 400 400"});
    run({"down 600 300", "down 700 300", "down 600 400", "command 32803"});
    run({"down 350 250", "up 750 450"});
    ASSERT_EQ(e.document.selection.count(), 6);
    run({"command 32802", "down 420 320", "up 420 320"}); // erase the first
    ASSERT_EQ(e.document.store.lastIndex, 0);
    // The second triangle, now slot 0, is still the selection, marks and list alike.
    ASSERT_EQ(e.document.selection.count(), 3);
    for (const SelectedVertex& v : e.document.selection.vertices()) {
        EXPECT_EQ(v.triangle, 0);
    }
    for (std::size_t k = 0; k < 3; ++k) {
        EXPECT_EQ(view(0).v[k].selected, 1);
        EXPECT_EQ(model(0).v[k].selected, 1);
    }
    EXPECT_FALSE(testing::checkEditorInvariants(e, false));
}

TEST_F(MouseTools, PopupCommandsWhileDrawingNeverTakeTheUnfinishedTriangle) {
    run({"down 400 300", "down 500 300", "down 400 400"});
    run({"down 100 100"});  // a second triangle begun: slot 1 is provisional
    run({"command 32836"}); // sent without a pick: deletes triangle 0, not the provisional one
    EXPECT_EQ(e.document.store.lastIndex, -1);
    EXPECT_EQ(editPhaseNumber(e), 0);
    run({"down 200 200"}); // used to write the slot before the first
    EXPECT_EQ(e.document.store.lastIndex, 0);
    EXPECT_EQ(editPhaseNumber(e), 1);
}

TEST_F(MouseTools, CancelledPopupMoveRestoresTheTrianglesPlane) {
    run({"down 400 300", "down 500 300", "down 400 400"});
    run({"answer choose 32837", "rdown 420 320", "move 450 350", "rdown 450 350"});
    Triangle fresh = model(0);
    fresh.computeNormal();
    EXPECT_EQ(model(0).planeD, fresh.planeD);
    EXPECT_FALSE(testing::checkEditorInvariants(e, false));
}

TEST_F(MouseTools, RubberBandOverAFarOffVertexWithTheOriginLeftOfTheWindow) {
    testing::appendTriangle(e, {0, 1e12, 0}, {0, 10, 0}, {0, 0, 10}, 1);
    e.pane().camera.originOffsetX = -1000; // the origin's window position becomes negative
    run({"size 800 600", "command 32803", "down 0 0", "up 799 599"});
    EXPECT_EQ(e.document.selection.count(), 0); // nothing on the screen: off to the far right
    EXPECT_EQ(editPhaseNumber(e), 0);
}

TEST_F(MouseTools, TrianglePopupDeletesAndMovesWithExactCancel) {
    run({"down 400 300", "down 500 300", "down 400 400"});
    run({"down 600 300", "down 700 300", "down 600 400"});
    const Triangle before = model(1);
    run({"answer choose 32837", "rdown 620 320", "move 650 350", "rdown 650 350"});
    EXPECT_FALSE(popupMoveUnderWay(e));
    for (std::size_t k = 0; k < 3; ++k) {
        EXPECT_EQ(model(1).v[k].y, before.v[k].y);
        EXPECT_EQ(model(1).v[k].z, before.v[k].z);
    }
    const int depth = e.undoDepth();
    run({"answer choose 32836", "rdown 420 320"});
    EXPECT_EQ(e.document.store.lastIndex, 0);
    EXPECT_EQ(model(0).v[0].y, 200.0);
    EXPECT_EQ(e.undoDepth(), depth + 1);
    run({"rdown 10 10"}); // empty space: the selection menu, dismissed
    EXPECT_EQ(e.document.store.lastIndex, 0);
}

// Two triangles over the same pixels, 20 apart in depth; the view turned half round puts the
// one that started behind in front. The popup's colour pick must take the front one, however
// the last paint before it left the draw order (a rubber band sorts the free slot in too).
TEST(TrianglePopup, PicksTheFrontTriangleAfterTheViewTurns) {
    const std::vector<std::vector<const char*>> beforePick = {
        {},
        {"command 32803", "down 50 50", "move 200 200", "up 200 200"},
        {"command 32803", "down 50 50", "move 200 200", "up 200 200", "rdown 380 320"},
        {"command 32803", "down 50 50", "move 200 200", "rdown 380 320"},
        {"command 32803", "command 32930", "rdown 10 10"},
    };
    for (const auto& lines : beforePick) {
        std::ostringstream out;
        std::ostringstream err;
        BatchPlayer player(out, err);
        Editor& e = player.editor();
        testing::appendTriangle(e, {10, 0, 0}, {10, 100, 0}, {10, 0, 100}, 0x0000FF);
        testing::appendTriangle(e, {-10, 0, 0}, {-10, 100, 0}, {-10, 0, 100}, 0x00FF00);
        for (const char* line : {"key Left", "key Left", "key Left", "key Left"}) {
            ASSERT_FALSE(player.runLine(line));
        }
        for (const char* line : lines) {
            ASSERT_FALSE(player.runLine(line)) << line;
        }
        // The view is mirrored: the triangles now cover x from 300 to 400.
        ASSERT_FALSE(player.runLine("answer choose 32869"));
        ASSERT_FALSE(player.runLine("rdown 380 320"));
        EXPECT_EQ(e.session.interaction.currentColour, 0x00FF00u) << lines.size() << " lines first";
    }
}

TEST_F(MouseTools, PanAndZoomClampAndTheMiddleButtonAloneMayPan) {
    run({"command 32825"});
    for (int i = 0; i < 20; ++i) {
        run({"down 0 0", "move 800 0 left", "up 800 0"});
    }
    EXPECT_EQ(e.pane().camera.originOffsetX, 15000.0);
    run({"command 32824", "down 0 0", "move 0 -5000 left", "up 0 -5000"});
    EXPECT_EQ(e.pane().camera.zoom, 10.0);
    run({"down 0 0", "move 0 5000 left", "up 0 5000"});
    EXPECT_EQ(e.pane().camera.zoom, 0.1);
    run({"command 32801", "move 100 100 middle", "move 110 100 middle shift"});
    EXPECT_EQ(e.pane().camera.originOffsetX, 15000.0);
    run({"move 100 100 middle", "move 90 100 middle"});
    EXPECT_NEAR(e.pane().camera.originOffsetX, 15000.0 - 100.0, 1e-9); // 10 pixels at zoom 0.1
}

TEST_F(MouseTools, StatusBoxDodgesThePointerWhenNotFixed) {
    e.session.view.statusFixed = 0;
    e.pane().lastPaint.statusBoxRect = {0, 0, 390, 100};
    run({"move 10 10"});
    EXPECT_EQ(e.session.interaction.statusCorner, StatusCorner::BottomRight);
    // The repaint after the move put the box in the bottom-right corner, as in the window.
    EXPECT_EQ(e.pane().lastPaint.statusBoxRect, (Rect{410, 500, 800, 600}));
    run({"move 500 300"}); // outside both corners' boxes
    EXPECT_EQ(e.session.interaction.statusCorner, StatusCorner::BottomRight);
    run({"move 10 10"}); // where the box was: it stays away
    EXPECT_EQ(e.session.interaction.statusCorner, StatusCorner::BottomRight);
    run({"move 500 550"}); // onto it again: back to the top left
    EXPECT_EQ(e.session.interaction.statusCorner, StatusCorner::TopLeft);
    EXPECT_EQ(e.pane().lastPaint.statusBoxRect, (Rect{0, 0, 390, 100}));
}

TEST_F(MouseTools, SnapsPullEachClickOntoTheGridOrAVertex) {
    run({"command 32812", "command 32789"}); // grid 10; first point snaps to the grid
    run({"down 414 306", "down 450 300", "down 400 350"});
    EXPECT_EQ(model(0).v[0].y, 10.0);
    EXPECT_EQ(model(0).v[0].z, 10.0);
    EXPECT_EQ(model(0).v[1].y, 50.0);        // second point as clicked
    run({"command 32786", "command 32784"}); // vertex snap for the first and second points
    run({"down 452 302", "down 403 348", "down 500 400"});
    EXPECT_EQ(model(1).v[0].y, 50.0); // onto the first triangle's vertex (50, 0)
    EXPECT_EQ(model(1).v[0].z, 0.0);
    EXPECT_EQ(model(1).v[2].z, 50.0); // snapped second point, moved to slot 2 by the turn
}

TEST_F(MouseTools, HiddenVerticesAreTakenOnlyWhenAllowed) {
    run({"down 400 300", "down 400 350", "down 450 300"}); // reversed: faces the viewer
    e.document.store.modelTriangles[0].reverseWinding();   // now faces away
    e.refreshModelToView();
    run({"command 32796", "command 32803", "down 390 290", "up 460 360"});
    EXPECT_EQ(e.document.selection.count(), 0); // back-facing vertices left out
    run({"command 32796", "down 390 290", "up 460 360"});
    EXPECT_EQ(e.document.selection.count(), 3);
}

TEST_F(MouseTools, SphereRefusedWhenItWouldPassTheLimit) {
    e.document.store.lastIndex = 3000 - 160; // lastIndex + 160 >= 3000
    run({"command 32807", "down 100 100"});
    EXPECT_EQ(out.str(), "beep\ndialog 302\n");
    EXPECT_EQ(e.document.store.lastIndex, 2840);
    EXPECT_EQ(editPhaseNumber(e), 0);
    e.document.store.lastIndex = 2839;
    run({"down 100 100", "up 100 200"});
    EXPECT_EQ(e.document.store.lastIndex, 2999);
}

TEST(PointInTriangle, EdgesAndVerticesCountAsInside) {
    Triangle t;
    t.setVertex(0, Point3(0, 0, 0));
    t.setVertex(1, Point3(0, 10, 0));
    t.setVertex(2, Point3(0, 0, 10));
    Camera c;
    EXPECT_TRUE(pointInTriangle(t, c, {2, 2}));
    EXPECT_TRUE(pointInTriangle(t, c, {5, 0}));  // on an edge
    EXPECT_TRUE(pointInTriangle(t, c, {10, 0})); // on a vertex
    EXPECT_FALSE(pointInTriangle(t, c, {8, 8}));
    EXPECT_FALSE(pointInTriangle(t, c, {-1, 2}));
}

} // namespace
} // namespace fcw
