#include "editor/batch/batch_player.h"
#include "editor/commands/commands.h"
#include "script_fixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

namespace fcw {
namespace {

class VertexMove : public testing::ScriptTest {
  protected:
    void SetUp() override {
        for (const char* line : {"down 440 280", "down 480 280", "down 440 320", "command 32930"}) {
            run(line);
        }
    }
    const Point3& v(int k) {
        return e.document.store.modelTriangles[0].v[static_cast<std::size_t>(k)];
    }
    void reselect() { run("command 32930"); }
};

TEST_F(VertexMove, RelativeAndPositionRulesInUserDirections) {
    run("answer ok 1008=5");
    run("command 32921"); // up the screen by 5
    EXPECT_EQ(v(0).z, -25.0);
    EXPECT_EQ(e.document.selection.count(), 0);
    reselect();
    run("answer ok 1008=10");
    run("command 32902"); // vertical position 10 above the origin
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(v(k).z, -10.0);
    }
    reselect();
    run("answer ok 1008=-3");
    run("command 32922");
    EXPECT_EQ(v(1).y, 77.0);
    EXPECT_EQ(e.undoDepth(), 4);
}

TEST_F(VertexMove, EndPointAndMeanAlignment) {
    run("answer ok 1008=0");
    run("command 32945"); // lowest vertex to the origin's height
    EXPECT_EQ(v(2).z, 0.0);
    EXPECT_EQ(v(0).z, -40.0);
    reselect();
    run("answer ok 1008=100");
    run("command 32946"); // leftmost to 100
    EXPECT_EQ(v(0).y, 100.0);
    EXPECT_EQ(v(1).y, 140.0);
    reselect();
    run("answer ok 1008=0");
    run("command 32933"); // horizontal mean to the origin
    EXPECT_NEAR(v(0).y + v(1).y + v(2).y, 0.0, 1e-9);
}

TEST_F(VertexMove, DistanceFromAnAxisKeepsTheBearing) {
    run("answer ok 1008=20");
    run("command 32927"); // vertical axis: x and y
    for (int k = 0; k < 3; ++k) {
        EXPECT_NEAR(std::hypot(v(k).x, v(k).y), 20.0, 1e-9);
        EXPECT_GT(v(k).y, 0.0); // the bearing stays (all were to the right)
    }
}

TEST_F(VertexMove, ModelAxesWhenTheOptionIsOffAndCancelEndsTheSelection) {
    run("key left"); // turn the view
    const double before = v(0).z;
    run("answer ok 1121=0 1008=5");
    run("command 32918");
    EXPECT_EQ(v(0).z, before - 5); // the model's own z, whatever the view
    EXPECT_FALSE(e.session.interaction.moveInCurrentView);
    reselect();
    const int depth = e.undoDepth();
    run("command 32918"); // cancelled
    EXPECT_EQ(e.undoDepth(), depth);
    EXPECT_EQ(e.document.selection.count(), 0);
    EXPECT_EQ(dispatchCommand(e, command_id::kPopupMoveVertically), DispatchResult::Disabled);
}

} // namespace
} // namespace fcw
