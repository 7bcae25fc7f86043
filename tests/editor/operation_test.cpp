#include "editor/editor.h"
#include "editor/tools/operation.h"
#include "editor/tools/triangle_popup.h"
#include "script_fixture.h"
#include "test_host.h"

#include <gtest/gtest.h>

#include <string>

namespace fcw {
namespace {

// An 800 x 600 view, origin at (400, 300), zoom 1: a click at (400 + y, 300 + z) is the model
// point (0, y, z).
class Operation : public testing::ScriptTest {
  protected:
    const Triangle& model(int i) {
        return e.document.store.modelTriangles[static_cast<std::size_t>(i)];
    }
    const Triangle& view(int i) {
        return e.document.store.viewTriangles[static_cast<std::size_t>(i)];
    }
    // (0,0,0), (0,100,0), (0,0,100) shifted by dx pixels to the right.
    void drawTriangle(int dx = 0) {
        const std::string x0 = std::to_string(400 + dx);
        const std::string x1 = std::to_string(500 + dx);
        run("down " + x0 + " 300");
        run("down " + x1 + " 300");
        run("down " + x0 + " 400");
    }
    // Selects vertex 0 of the triangle at the origin.
    void selectOrigin() { run({"command 32803", "down 390 290", "up 410 310"}); }
};

// Case 1: whatever ends the drag, later moves without a button leave the vertices alone.
TEST_F(Operation, UndoOrAToolChangeEndsASelectionDrag) {
    drawTriangle();
    selectOrigin();
    run({"down 400 300", "move 410 300 left", "command 32799", "up 420 300"});
    EXPECT_FALSE(operationPending(e));
    EXPECT_EQ(model(0).v[0].y, 0.0); // the drag was undone with its first move
    run({"move 500 500"});
    EXPECT_EQ(model(0).v[0].y, 0.0);

    selectOrigin();
    run({"down 400 300", "move 410 300 left", "command 32801", "up 430 300", "move 300 300"});
    EXPECT_FALSE(operationPending(e));
    EXPECT_NEAR(model(0).v[0].y, 10.0, 1e-9); // stopped where the tool changed
    run({"command 32799"});
    EXPECT_EQ(model(0).v[0].y, 0.0); // the drag counted: it moved something
}

// A press whose release went missing: moves with the button up edit nothing.
TEST_F(Operation, MovesWithoutTheButtonAfterALostReleaseEditNothing) {
    drawTriangle();
    drawTriangle(150);
    run({"command 32802", "down 700 500", "move 570 320"}); // no release, button up
    EXPECT_EQ(e.document.store.lastIndex, 1);
    run({"move 570 320 left"}); // the press was let go: no erasing until the next one
    EXPECT_EQ(e.document.store.lastIndex, 1);
    run({"down 570 320", "up 570 320"});
    EXPECT_EQ(e.document.store.lastIndex, 0);

    selectOrigin();
    run({"down 400 300", "move 410 300 left", "move 450 300"});
    EXPECT_NEAR(model(0).v[0].y, 10.0, 1e-9);
    EXPECT_TRUE(selectionShown(e));
}

TEST_F(Operation, ADragThatMovesNothingCostsNoUndoStep) {
    drawTriangle();
    selectOrigin();
    const int depth = e.undoDepth();
    run({"down 400 300", "up 400 300"});
    EXPECT_EQ(e.undoDepth(), depth);
}

// Case 2: the drag's snapshot is the model just before it.
TEST_F(Operation, UndoAfterSelectAllAndADragGivesBackTheDrawnTriangle) {
    drawTriangle();
    run({"command 32930", "down 400 300", "move 410 300 left", "up 410 300"});
    EXPECT_NEAR(model(0).v[1].y, 110.0, 1e-9);
    run({"command 32799"});
    ASSERT_EQ(e.document.store.lastIndex, 0);
    EXPECT_EQ(model(0).v[0].y, 0.0);
    EXPECT_EQ(model(0).v[1].y, 100.0);
    EXPECT_EQ(model(0).v[2].z, 100.0);
}

TEST_F(Operation, ADragAfterANudgeRunIsItsOwnUndoStep) {
    drawTriangle();
    selectOrigin();
    run({"key left ctrl"});
    EXPECT_EQ(model(0).v[0].y, -1.0);
    run({"down 400 300", "move 410 300 left", "up 410 300"});
    EXPECT_NEAR(model(0).v[0].y, 9.0, 1e-9);
    run({"command 32799"});
    EXPECT_EQ(model(0).v[0].y, -1.0); // back to after the nudge, not before it
    run({"command 32799"});
    EXPECT_EQ(model(0).v[0].y, 0.0);
}

// Case 3: Undo cancels the popup move, so the next click overwrites nothing.
TEST_F(Operation, UndoEndsThePopupMove) {
    for (Colour c : {1u, 2u, 3u}) {
        e.session.interaction.currentColour = c;
        drawTriangle(static_cast<int>(c - 1) * 150);
    }
    const Triangle before = model(1);
    run({"answer choose 32837", "rdown 570 320", "move 600 350"});
    ASSERT_TRUE(popupMoveUnderWay(e));
    run({"command 32799"}); // undoes the third triangle
    EXPECT_FALSE(popupMoveUnderWay(e));
    ASSERT_EQ(e.document.store.lastIndex, 1);
    EXPECT_EQ(model(1).v[0].y, before.v[0].y);
    run({"down 10 10", "rdown 20 20"}); // used to finish the move onto another slot
    EXPECT_EQ(model(0).colour, 1u);
    EXPECT_EQ(model(1).colour, 2u);
    EXPECT_EQ(model(1).v[1].y, before.v[1].y);
}

TEST_F(Operation, AKeptPopupMoveIsUndoneToWhereTheTriangleWas) {
    drawTriangle();
    run({"answer choose 32837", "rdown 420 320", "move 450 350", "down 450 350"});
    EXPECT_NEAR(model(0).v[1].y, 130.0, 1e-9);
    run({"command 32799"});
    EXPECT_EQ(model(0).v[1].y, 100.0);
    EXPECT_EQ(e.document.store.lastIndex, 0);
}

// Case 4: a nudge run ends with Undo; the next run is undoable on its own.
TEST_F(Operation, UndoEndsANudgeRun) {
    drawTriangle();
    selectOrigin();
    run({"key left ctrl", "command 32799"});
    EXPECT_EQ(model(0).v[0].y, 0.0);
    selectOrigin();
    run({"key left ctrl", "key left ctrl"});
    EXPECT_EQ(model(0).v[0].y, -2.0);
    run({"command 32799"});
    ASSERT_EQ(e.document.store.lastIndex, 0); // not back before the triangle
    EXPECT_EQ(model(0).v[0].y, 0.0);
}

// Case 6: after an edit in the view list under a turned camera, the depth keys are the view's.
TEST_F(Operation, ANudgeUnderATurnedCameraKeepsViewDepthKeys) {
    drawTriangle();
    drawTriangle(150);
    run({"key left", "command 32930", "key left ctrl"});
    ASSERT_NE(e.pane().camera.verticalAxisAngle, 0.0);
    for (int i = 0; i <= e.document.store.lastIndex; ++i) {
        EXPECT_EQ(e.document.store.depthKeys[static_cast<std::size_t>(i)], view(i).centroid.x) << i;
    }
}

TEST_F(Operation, AnEraseUnderATurnedCameraKeepsViewDepthKeys) {
    drawTriangle();
    drawTriangle(150);
    drawTriangle(-150);
    e.pane().camera.verticalAxisAngle = 0.3;
    e.refreshModelToView();
    run({"size 800 600", "command 32802"});
    const Triangle& t = view(1);
    const int x = e.pane().camera.projectX(t.centroid.y);
    const int y = e.pane().camera.projectY(t.centroid.z);
    run("down " + std::to_string(x) + " " + std::to_string(y));
    run("up " + std::to_string(x) + " " + std::to_string(y));
    ASSERT_EQ(e.document.store.lastIndex, 1);
    for (int i = 0; i <= e.document.store.lastIndex; ++i) {
        EXPECT_EQ(e.document.store.depthKeys[static_cast<std::size_t>(i)], view(i).centroid.x) << i;
    }
}

// Case 7: with a full history, what does not edit costs no undo step.
TEST_F(Operation, WithAFullHistoryBandsPopupsAndCancelledDialogsKeepEveryStep) {
    for (int i = 0; i < kUndoLevels; ++i) {
        const std::string x0 = std::to_string(100 + 40 * i);
        const std::string x1 = std::to_string(130 + 40 * i);
        run({("down " + x0 + " 100").c_str(), ("down " + x1 + " 100").c_str(),
             ("down " + x0 + " 130").c_str()});
    }
    ASSERT_EQ(e.undoDepth(), kUndoLevels);
    run({"command 32803", "down 90 90", "up 140 140"}); // a band that selects
    ASSERT_FALSE(e.document.selection.empty());
    run({"answer cancel", "command 32922"});                 // the vertex move, cancelled
    run({"answer choose 0", "rdown 105 105"});               // the triangle popup, dismissed
    run({"command 32807", "down 400 300", "command 32803"}); // a sphere abandoned
    EXPECT_EQ(e.undoDepth(), kUndoLevels);
    for (int i = 0; i < kUndoLevels; ++i) {
        run({"command 32799"});
    }
    EXPECT_EQ(e.document.store.lastIndex, -1);
}

// Case 10: a click snapped onto a vertex stores that vertex's coordinates themselves.
TEST_F(Operation, AVertexSnapAtZoomOtherThanOneStoresTheVertexExactly) {
    testing::appendTriangle(e, {0, 12.34, 0}, {0, 50, 0}, {0, 12.34, 50}, 1);
    e.pane().camera.zoom = 1.3;
    run({"size 800 600", "command 32786"}); // vertex snap for the first point
    volatile double zoom = 1.3;
    ASSERT_NE(12.34 * zoom / zoom, 12.34); // what multiplying and dividing again stored
    run({"down 416 301", "down 500 300", "down 416 400"});
    ASSERT_EQ(e.document.store.lastIndex, 1);
    EXPECT_EQ(model(1).v[0].y, 12.34);
    EXPECT_EQ(model(1).v[0].z, 0.0);
}

// Every counted edit marks the document modified, so New and Open ask before losing it.
TEST_F(Operation, MenuKeyAndUndoEditsMarkTheDocumentModified) {
    testing::appendTriangle(e, {0, 0, 0}, {0, 100, 0}, {0, 0, 100}, 1);
    run({"size 800 600"});
    e.setModified(false);
    run({"command 32930", "key left ctrl"});
    EXPECT_TRUE(e.document.modified);
    e.setModified(false);
    run({"command 32848"}); // Delete
    EXPECT_TRUE(e.document.modified);
    e.setModified(false);
    run({"command 32799"});
    EXPECT_TRUE(e.document.modified);
    EXPECT_EQ(e.document.store.lastIndex, 0);
}

// Case 5: marks never outlive their selection.
TEST_F(Operation, UndoAfterAnEraseLeavesNothingForDeleteToTake) {
    drawTriangle();
    drawTriangle(150);
    run({"command 32803", "down 540 290", "up 660 410"}); // the second triangle, whole
    ASSERT_EQ(e.document.selection.count(), 3);
    run({"command 32802", "down 420 320", "up 420 320", "command 32799"});
    ASSERT_EQ(e.document.store.lastIndex, 1);
    run({"command 32848"});
    EXPECT_EQ(e.document.store.lastIndex, 1);
}

TEST_F(Operation, AfterDeleteAShiftBandOverEmptySpaceSelectsNothing) {
    drawTriangle();
    drawTriangle(150);
    run({"command 32803", "down 390 290", "up 510 410"}); // the first triangle, whole
    ASSERT_EQ(e.document.selection.count(), 3);
    run({"command 32848"}); // the second moves into slot 0
    ASSERT_EQ(e.document.store.lastIndex, 0);
    run({"down 700 500 shift", "up 790 590 shift"});
    EXPECT_TRUE(e.document.selection.empty());
    run({"command 32848"});
    EXPECT_EQ(e.document.store.lastIndex, 0);
}

TEST_F(Operation, EveryCommandEndsTheOperationButNotTheSelection) {
    drawTriangle();
    selectOrigin();
    run({"command 32812"}); // a grid toggle
    EXPECT_TRUE(selectionShown(e));
    run({"command 32801", "down 100 100", "command 32812"});
    EXPECT_FALSE(operationPending(e));
    EXPECT_EQ(e.document.store.lastIndex, 0); // the half-drawn triangle's slot given back
}

} // namespace
} // namespace fcw
