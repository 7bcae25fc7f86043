#include "editor/batch/batch_player.h"
#include "editor/commands/commands.h"
#include "editor/dialogs/transform_dialogs.h"
#include "ops/rotate_scale.h"
#include "script_fixture.h"

#include <gtest/gtest.h>

#include <sstream>

namespace fcw {
namespace {

class RotateScale : public testing::ScriptTest {
  protected:
    void SetUp() override {
        // A triangle at (40..80, -20..20) pixels from the origin; select it whole.
        for (const char* line : {"down 440 280", "down 480 280", "down 440 320", "command 32930"}) {
            run(line);
        }
    }
    const Triangle& view() { return e.document.store.viewTriangles[0]; }
};

TEST_F(RotateScale, PresetButtonsReadChangeAndWriteTheAngle) {
    RotateDialog d;
    d.pressButton(1094);
    d.pressButton(1097);
    EXPECT_EQ(d.value(1100), "135");
    RotateDialog twice;
    twice.pressButton(1098);
    twice.pressButton(1098);
    EXPECT_EQ(twice.value(1100), "60");
    EXPECT_FALSE(twice.pressButton(1).known);
    ScaleDialog s;
    s.setValue(1009, "3");
    s.controlEdited(1009);
    s.pressButton(1109);
    EXPECT_EQ(s.value(1105), "3");
    EXPECT_EQ(s.value(1010), "3");
}

TEST_F(RotateScale, TriangleRotationKeepsItsCentreAndTurnsClockwise) {
    const Point3 centre = view().centroid;
    const Point3 v0 = view().v[0];
    run("answer ok 1100=90");
    run("command 32888");
    EXPECT_NEAR(view().centroid.y, centre.y, 1e-9);
    EXPECT_NEAR(view().centroid.z, centre.z, 1e-9);
    // A quarter turn clockwise on screen (z down): (dy, dz) -> (-dz, dy).
    EXPECT_NEAR(view().v[0].y - centre.y, -(v0.z - centre.z), 1e-9);
    EXPECT_NEAR(view().v[0].z - centre.z, v0.y - centre.y, 1e-9);
    EXPECT_NEAR(view().v[0].x, v0.x, 1e-9);
    EXPECT_EQ(e.document.selection.count(), 3); // the selection stays
    EXPECT_EQ(e.undoDepth(), 2);

    run("answer ok 1100=90");
    run("command 32887"); // about the origin: the centroid turns too
    EXPECT_NEAR(view().centroid.y, -centre.z, 1e-9);
    EXPECT_NEAR(view().centroid.z, centre.y, 1e-9);

    // Checking "反時計回り" unchecks "時計回り": the quarter turn goes back.
    run("answer ok 1100=90 1093=1");
    run("command 32887");
    EXPECT_NEAR(view().centroid.y, centre.y, 1e-9);
    EXPECT_NEAR(view().centroid.z, centre.z, 1e-9);
}

TEST_F(RotateScale, CancelChangesNothingAndBadInputIsRefused) {
    const Triangle before = view();
    run("command 32889");
    run("answer ok 1100=abc");
    run("command 32889");
    EXPECT_EQ(view().v[1].y, before.v[1].y);
    EXPECT_EQ(e.undoDepth(), 1);
    EXPECT_NE(out.str().find("message 数字を入力してください。"), std::string::npos);
    run("answer ok 1100=360 1093=1");
    run("command 32889");
    EXPECT_NEAR(view().v[1].y, before.v[1].y, 1e-9);
}

TEST_F(RotateScale, HalvingKeepsTheCentre) {
    const Point3 centre = view().centroid;
    const double width = view().v[1].y - view().v[0].y;
    run("answer ok press=1106");
    run("command 32891");
    EXPECT_NEAR(view().centroid.y, centre.y, 1e-9);
    EXPECT_NEAR(view().v[1].y - view().v[0].y, width / 2, 1e-9);
    const SelectedVertex one{0, 0};
    e.document.selection.selectVertices(e.document.store, {&one, 1});
    EXPECT_EQ(dispatchCommand(e, command_id::kScaleVertices), DispatchResult::Disabled);
}

} // namespace
} // namespace fcw
