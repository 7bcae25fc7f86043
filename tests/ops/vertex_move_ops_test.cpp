// The numeric vertex moves as functions of a hand-built store and selection.
#include "ops/vertex_move.h"
#include "store_builder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace fcw {
namespace {

using testing::at;
using testing::OpsModel;

OpsModel oneTriangle() {
    OpsModel m;
    m.add({1, 40, -20}, {2, 80, -20}, {3, 40, 20});
    return m;
}

void move(OpsModel& m, MoveRule rule, MoveAxis axis, double value) {
    moveSelectedVertices(m.store, m.selection, {rule, axis}, value, MoveFrame::ModelAxes, m.camera);
}

TEST(VertexMoveOps, UpAndFarArePositiveForTheUser) {
    OpsModel m = oneTriangle();
    m.select({{0, 0}, {0, 2}});
    move(m, MoveRule::Relative, MoveAxis::Vertical, 5);
    EXPECT_TRUE(at(m.model(0, 0), 1, 40, -25));
    EXPECT_TRUE(at(m.model(0, 1), 2, 80, -20)); // not listed
    EXPECT_TRUE(at(m.model(0, 2), 3, 40, 15));
    move(m, MoveRule::Relative, MoveAxis::Horizontal, 5);
    EXPECT_TRUE(at(m.model(0, 0), 1, 45, -25));
    move(m, MoveRule::Position, MoveAxis::Depth, 7);
    EXPECT_TRUE(at(m.model(0, 0), -7, 45, -25));
    EXPECT_TRUE(at(m.model(0, 2), -7, 45, 15));
    EXPECT_EQ(m.selection.count(), 2); // the command ends it, not the operation
}

TEST(VertexMoveOps, EndPointsAndTheMeanLandOnTheValue) {
    OpsModel m = oneTriangle();
    m.selectWhole({0});
    move(m, MoveRule::Smallest, MoveAxis::Vertical, 0); // the topmost (smallest z) to 0
    EXPECT_EQ(m.model(0, 0).z, 0.0);
    EXPECT_EQ(m.model(0, 2).z, 40.0);
    move(m, MoveRule::Largest, MoveAxis::Horizontal, 100); // the rightmost to 100
    EXPECT_EQ(m.model(0, 1).y, 100.0);
    EXPECT_EQ(m.model(0, 0).y, 60.0);
    move(m, MoveRule::Mean, MoveAxis::Depth, 1); // mean depth 2 -> 1 in front: x = -1
    EXPECT_EQ(m.model(0, 0).x, -2.0);
    EXPECT_EQ(m.model(0, 2).x, 0.0);
}

TEST(VertexMoveOps, DistanceFromAnAxisKeepsTheBearing) {
    OpsModel m;
    m.add({3, 4, 9}, {0, -5, 9}, {1, 1, 1});
    m.select({{0, 0}, {0, 1}});
    move(m, MoveRule::Distance, MoveAxis::Vertical, 10); // in the x-y plane
    EXPECT_NEAR(m.model(0, 0).x, 6, 1e-12);
    EXPECT_NEAR(m.model(0, 0).y, 8, 1e-12);
    EXPECT_EQ(m.model(0, 0).z, 9.0);
    EXPECT_NEAR(m.model(0, 1).y, -10, 1e-12);
}

TEST(VertexMoveOps, TheScreensDirectionsUnderATurnedCamera) {
    OpsModel m = oneTriangle();
    m.camera.verticalAxisAngle = std::numbers::pi / 2; // the screen's horizontal is model depth
    m.refresh();
    m.select({{0, 0}});
    const Point3 before = m.model(0, 0);
    moveSelectedVertices(m.store, m.selection, {MoveRule::Relative, MoveAxis::Horizontal}, 5,
                         MoveFrame::CurrentView, m.camera);
    EXPECT_NEAR(m.model(0, 0).z, before.z, 1e-9);
    EXPECT_NEAR(std::abs(m.model(0, 0).x - before.x), 5, 1e-9);
    EXPECT_NEAR(m.model(0, 0).y, before.y, 1e-9);
}

} // namespace
} // namespace fcw
