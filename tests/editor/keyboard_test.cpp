#include "editor/batch/batch_player.h"
#include "editor/commands/commands.h"
#include "editor/view/keyboard.h"
#include "script_fixture.h"

#include "editor/editor_invariants.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

namespace fcw {
namespace {

class Keyboard : public testing::ScriptTest {};

TEST_F(Keyboard, EightFortyFiveDegreeStepsReturnExactlyToZero) {
    run({"down 400 300", "down 500 300", "down 400 400"});
    for (int i = 0; i < 8; ++i) {
        run({"key left"});
    }
    EXPECT_EQ(e.pane().camera.verticalAxisAngle, 0.0);
    for (int i = 0; i < 8; ++i) {
        run({"key numpad2"});
    }
    EXPECT_EQ(e.pane().camera.horizontalAxisAngle, 0.0);
    run({"key left"});
    EXPECT_EQ(e.pane().camera.verticalAxisAngle, 45 * 0.017453292519943295);
    // The view list follows the camera.
    EXPECT_NEAR(e.document.store.viewTriangles[0].v[1].y, 100 * std::cos(M_PI / 4), 1e-9);
}

TEST_F(Keyboard, DepthStepIsTheGridSpacingAndArrowModesSwitch) {
    run({"key pageup"});
    EXPECT_EQ(e.pane().camera.depth, -1.0);
    run({"command 32782", "key end"});
    EXPECT_EQ(e.pane().camera.depth, 39.0);
    run({"key up"}); // rotation mode: turns the view
    EXPECT_EQ(e.pane().camera.depth, 39.0);
    run({"command 32815", "key up"});
    EXPECT_EQ(e.pane().camera.depth, -1.0);
    EXPECT_FALSE(findCommand(command_id::kToolbarArrowsRotate)->isChecked(e));
    run({"command 32795", "key down"});
    EXPECT_EQ(e.pane().camera.depth, -1.0);
    e.services.settings.angleStep = 0;
    const double before = e.pane().camera.horizontalAxisAngle;
    run({"key down"});
    EXPECT_EQ(e.pane().camera.horizontalAxisAngle, before);
}

TEST_F(Keyboard, CtrlArrowsNudgeASelectionAsOneUndoStep) {
    run({"down 400 300", "down 500 300", "down 400 400", "command 32803"});
    run({"down 390 290", "up 410 310"});
    const int depth = e.undoDepth();
    run({"key left ctrl", "key left ctrl", "key left ctrl"});
    EXPECT_NEAR(e.document.store.modelTriangles[0].v[0].y, -3.0, 1e-9);
    EXPECT_EQ(e.pane().camera.verticalAxisAngle, 0.0);
    EXPECT_EQ(e.undoDepth(), depth + 1);
    run({"command 32799"});
    EXPECT_EQ(e.document.store.modelTriangles[0].v[0].y, 0.0);
    // Without a selection, Ctrl+Left turns the view like Left.
    run({"command 32801", "key left ctrl"});
    EXPECT_NE(e.pane().camera.verticalAxisAngle, 0.0);
}

TEST_F(Keyboard, AcceleratorsGoToTheirCommandsAndOtherKeysAreIgnored) {
    run({"down 400 300", "down 500 300", "down 400 400", "key A ctrl"});
    EXPECT_EQ(e.document.selection.count(), 3);
    run({"key Delete"}); // nothing whole-selected is left afterwards
    EXPECT_EQ(e.document.store.lastIndex, -1);
    run({"key Z ctrl"});
    EXPECT_EQ(e.document.store.lastIndex, 0);
    run({"key Escape", "key F5", "key Num5", "key Q"});
    EXPECT_EQ(e.pane().camera.verticalAxisAngle, 0.0);
    EXPECT_TRUE(player.runLine("key Bogus").has_value());
    run({"key Num4"});
    EXPECT_NE(e.pane().camera.verticalAxisAngle, 0.0);
}

TEST_F(Keyboard, ANudgedVertexTakesItsTriangleNormalAlong) {
    // One vertex nudged: the view triangle's normal changes and the painter culls by it.
    run({"down 400 300", "down 500 300", "down 400 400", "command 32803"});
    run({"down 490 290", "up 510 310"});
    ASSERT_EQ(e.document.selection.count(), 1);
    run({"key left ctrl", "key down ctrl"});
    Triangle fresh = e.document.store.viewTriangles[0];
    fresh.computeNormal();
    EXPECT_EQ(e.document.store.viewTriangles[0].normal.x, fresh.normal.x);
    EXPECT_EQ(e.document.store.viewTriangles[0].normal.z, fresh.normal.z);
    EXPECT_FALSE(testing::checkEditorInvariants(e, false));
}

TEST_F(Keyboard, ATriangleTypedInHasItsNormal) {
    run({"answer ok 1002=10 1003=0 1004=0", "key space", "answer ok 1002=0 1003=0 1004=10",
         "key space", "answer ok 1002=0 1003=5 1004=0", "key space"});
    ASSERT_EQ(editPhaseNumber(e), 0);
    Triangle fresh = e.document.store.modelTriangles[0];
    fresh.computeNormal();
    EXPECT_EQ(e.document.store.modelTriangles[0].normal.x, fresh.normal.x);
    EXPECT_EQ(e.document.store.modelTriangles[0].normal.y, fresh.normal.y);
    EXPECT_EQ(e.document.store.modelTriangles[0].planeD, fresh.planeD);
    EXPECT_FALSE(testing::checkEditorInvariants(e, false));
}

TEST_F(Keyboard, SpaceEntersAVertexByNumber) {
    run({"answer ok 1002=10 1003=20 1004=30", "key Space"});
    EXPECT_EQ(e.document.store.lastIndex, 0);
    EXPECT_EQ(editPhaseNumber(e), 1);
    // 横 10 to the right, 奥行き 20 away, 縦 30 up.
    EXPECT_EQ(e.document.store.modelTriangles[0].v[0].y, 10.0);
    EXPECT_EQ(e.document.store.modelTriangles[0].v[0].x, -20.0);
    EXPECT_EQ(e.document.store.modelTriangles[0].v[0].z, -30.0);
    run({"answer ok 1002=abc", "key space"}); // refused: message, dialog cancelled
    EXPECT_EQ(editPhaseNumber(e), 1);
    run({"answer ok 1002=100001", "key space"});
    EXPECT_EQ(out.str(),
              "dialog 282\ndialog 282\nmessage 数字を入力してください。\n"
              "dialog 282\nmessage -100000 から 100000 までの数字を入力してください。\n");
    run({"answer ok 1003=5", "key space", "answer ok 1004=5", "key space"});
    EXPECT_EQ(editPhaseNumber(e), 0);
    EXPECT_EQ(e.undoDepth(), 0); // numeric entry counts no edit

    // At the limit no new triangle is started.
    e.document.store.lastIndex = kMaxTriangles - 1;
    out.str("");
    run({"key space"});
    EXPECT_EQ(out.str(), "beep\ndialog 302\n");
    EXPECT_EQ(e.document.store.lastIndex, kMaxTriangles - 1);
}

} // namespace
} // namespace fcw
