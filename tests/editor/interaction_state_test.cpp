#include "editor/batch/state_dump.h"
#include "editor/editor.h"
#include "editor/tools/operation.h"
#include "script_fixture.h"
#include "test_host.h"

#include <gtest/gtest.h>

namespace fcw {
namespace {

// Tool switches driven as the user makes them: two clicks of a drawing, a selection shown.
class ToolSwitch : public testing::ScriptTest {};

TEST_F(ToolSwitch, SelectToolDropsAHalfDrawnTriangle) {
    run({"down 400 300", "down 500 300"}); // the provisional triangle holds slot 0
    ASSERT_EQ(e.document.store.lastIndex, 0);
    ASSERT_EQ(e.session.tools.drawing.phase, DrawPhase::TwoVertices);
    run("command 32802"); // the erase tool
    EXPECT_EQ(e.document.store.lastIndex, -1);
    EXPECT_EQ(editPhaseNumber(e), 0);
    EXPECT_EQ(e.session.tools.drawing.phase, DrawPhase::Idle);
    EXPECT_EQ(e.session.interaction.toolMode, ToolMode::Erase);

    // Idle: selecting the active tool again changes nothing.
    run("command 32802");
    EXPECT_EQ(e.document.store.lastIndex, -1);
}

TEST_F(ToolSwitch, SelectToolEndsTheOperationButKeepsTheSelection) {
    run({"down 400 300", "down 500 300", "down 400 400", "command 32803", "command 32930"});
    ASSERT_TRUE(selectionShown(e));
    run("command 32801");                     // the drawing tool
    EXPECT_EQ(e.document.store.lastIndex, 0); // only the drawing tool owns a provisional slot
    EXPECT_EQ(editPhaseNumber(e), 0);
    EXPECT_EQ(e.session.tools.range.phase, RangePhase::Idle);
    EXPECT_EQ(e.document.store.modelTriangles[0].v[1].selected, 1);
    // Only the active tool reports a phase: the range tool's selection is no longer shown.
    EXPECT_FALSE(selectionShown(e));
    EXPECT_FALSE(rangeToolBusy(e));
}

// A fresh editor: the drawing tool, idle, black, the rubber band takes hidden vertices; the
// first click of a drawing is what starts an operation.
class ToolPhases : public testing::ScriptTest {};

TEST_F(ToolPhases, AFreshEditorIsIdleInTheDrawingTool) {
    EXPECT_EQ(e.session.interaction.toolMode, ToolMode::DrawTriangle);
    EXPECT_FALSE(toolPhaseActive(e));
    EXPECT_EQ(provisionalSlot(e), -1);
    EXPECT_EQ(e.session.interaction.currentColour, 0u);
    EXPECT_TRUE(e.session.interaction.selectHiddenVertices);
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
    EXPECT_EQ(provisionalSlot(e), e.document.store.lastIndex);
    EXPECT_EQ(editPhaseNumber(e), 1);
    run({"up 100 100"});
    EXPECT_FALSE(toolPhaseActive(e));

    // The held tools have no phase of their own in the dump.
    run({"command 32802", "down 10 10"});
    EXPECT_EQ(editPhaseNumber(e), 0);
    EXPECT_EQ(e.session.tools.erase.phase, HoldPhase::Held);
    run({"up 10 10"});
    EXPECT_EQ(e.session.tools.erase.phase, HoldPhase::Idle);
}

} // namespace
} // namespace fcw
