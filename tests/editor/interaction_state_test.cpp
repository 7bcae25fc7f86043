#include "editor/editor.h"
#include "editor/operation.h"
#include "editor/state_dump.h"
#include "script_fixture.h"
#include "test_host.h"

#include <gtest/gtest.h>

namespace fcw {
namespace {

using testing::FakeHost;

TEST(InteractionState, SelectToolDropsAHalfDrawnTriangle) {
    FakeHost host;
    Editor e(host);
    e.store.lastIndex = 4; // provisional triangle in slot 4
    e.tools.drawing.phase = DrawPhase::TwoVertices;
    selectTool(e, ToolMode::Erase);
    EXPECT_EQ(e.store.lastIndex, 3);
    EXPECT_EQ(editPhaseNumber(e), 0);
    EXPECT_EQ(e.tools.drawing.phase, DrawPhase::Idle);
    EXPECT_EQ(e.interaction.toolMode, ToolMode::Erase);

    // Idle: selecting the active tool again changes nothing.
    selectTool(e, ToolMode::Erase);
    EXPECT_EQ(e.store.lastIndex, 3);
}

TEST(InteractionState, SelectToolEndsTheOperationButKeepsTheSelection) {
    FakeHost host;
    Editor e(host);
    e.store.lastIndex = 0;
    e.store.modelTriangles[0].v[1].selected = 1;
    e.interaction.toolMode = ToolMode::RangeMove;
    e.tools.range.phase = RangePhase::SelectionShown;
    selectTool(e, ToolMode::DrawTriangle);
    EXPECT_EQ(e.store.lastIndex, 0); // only the drawing tool owns a provisional slot
    EXPECT_EQ(editPhaseNumber(e), 0);
    EXPECT_EQ(e.tools.range.phase, RangePhase::Idle);
    EXPECT_EQ(e.store.modelTriangles[0].v[1].selected, 1);
}

// A fresh editor: the drawing tool, idle, black, the rubber band takes hidden vertices; the
// first click of a drawing is what starts an operation.
class ToolPhases : public testing::ScriptTest {};

TEST_F(ToolPhases, AFreshEditorIsIdleInTheDrawingTool) {
    EXPECT_EQ(e.interaction.toolMode, ToolMode::DrawTriangle);
    EXPECT_FALSE(toolPhaseActive(e));
    EXPECT_EQ(provisionalSlot(e), -1);
    EXPECT_EQ(e.interaction.currentColour, 0u);
    EXPECT_TRUE(e.interaction.selectHiddenVertices);
    EXPECT_NE(dumpState(e, false).find("\"toolMode\":\"DrawTriangle\",\"editPhase\":0,"),
              std::string::npos);
}

TEST_F(ToolPhases, TheDumpedPhaseFollowsEachToolsProgress) {
    run({"down 400 300"});
    EXPECT_EQ(drawingVerticesPlaced(e), 1);
    EXPECT_EQ(provisionalSlot(e), 0);
    run({"down 500 300"});
    EXPECT_EQ(editPhaseNumber(e), 2);
    run({"down 400 400"});
    EXPECT_EQ(editPhaseNumber(e), 0);
    EXPECT_EQ(provisionalSlot(e), -1);

    run({"command 32803", "down 390 290"});
    EXPECT_TRUE(rubberBandShown(e));
    EXPECT_EQ(editPhaseNumber(e), 1);
    run({"up 410 310"});
    EXPECT_TRUE(selectionShown(e));
    EXPECT_EQ(editPhaseNumber(e), 2);
    run({"down 400 300"}); // in CentreBox
    EXPECT_TRUE(selectionDragged(e));
    EXPECT_EQ(editPhaseNumber(e), 3);
    EXPECT_NE(dumpState(e, false).find("\"editPhase\":3,"), std::string::npos);
    run({"up 400 300"});
    EXPECT_TRUE(selectionShown(e));

    run({"command 32807", "down 100 100"});
    EXPECT_TRUE(sphereDragShown(e));
    EXPECT_EQ(provisionalSlot(e), e.store.lastIndex);
    EXPECT_EQ(editPhaseNumber(e), 1);
    run({"up 100 100"});
    EXPECT_FALSE(toolPhaseActive(e));

    // The held tools have no phase of their own in the dump.
    run({"command 32802", "down 10 10"});
    EXPECT_EQ(editPhaseNumber(e), 0);
    EXPECT_EQ(e.tools.buttonDrag.phase, HoldPhase::Held);
    run({"up 10 10"});
    EXPECT_EQ(e.tools.buttonDrag.phase, HoldPhase::Idle);
}

TEST_F(ToolPhases, OnlyTheActiveToolReportsItsPhase) {
    e.tools.range.phase = RangePhase::SelectionShown; // left over in another tool
    EXPECT_FALSE(selectionShown(e));
    EXPECT_FALSE(rangeToolBusy(e));
    EXPECT_EQ(editPhaseNumber(e), 0);
}

} // namespace
} // namespace fcw
