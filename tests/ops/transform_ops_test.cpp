// Mirror, rotation and scaling as functions of a hand-built store and selection. They work in
// the view list and carry the result back through the camera's rotation, so coordinates are
// compared within rounding.
#include "ops/mirror.h"
#include "ops/rotate_scale.h"
#include "store_builder.h"

#include <gtest/gtest.h>

#include <numbers>

namespace fcw {
namespace {

using testing::OpsModel;

constexpr double kTolerance = 1e-9;

void expectNear(const Point3& p, double x, double y, double z) {
    EXPECT_NEAR(p.x, x, kTolerance);
    EXPECT_NEAR(p.y, y, kTolerance);
    EXPECT_NEAR(p.z, z, kTolerance);
}

// Triangle 0 in the screen plane, triangle 1 elsewhere; the camera faces the model.
OpsModel twoTriangles() {
    OpsModel m;
    m.add({0, 0, 0}, {0, 10, 0}, {0, 0, 10}, 1);
    m.add({0, 40, 40}, {0, 50, 40}, {0, 40, 50}, 2);
    return m;
}

TEST(MirrorOps, LeftRightReflectsAboutTheCentroidAndTurnsTheWinding) {
    OpsModel m = twoTriangles();
    m.selectWhole({0});
    mirrorSelection(m.store, m.selection, MirrorAxis::Horizontal, m.camera);
    // y -> 20/3 - y about the centroid's y = 10/3; v1 and v2 trade places.
    expectNear(m.view(0, 0), 0, 20.0 / 3, 0);
    expectNear(m.view(0, 1), 0, 20.0 / 3, 10);
    expectNear(m.view(0, 2), 0, -10.0 / 3, 0);
    expectNear(m.model(0, 2), 0, -10.0 / 3, 0);
    EXPECT_GT(m.store.modelTriangles[0].normal.x, 0.0); // still facing the viewer
    expectNear(m.model(1, 0), 0, 40, 40);               // not selected
    EXPECT_EQ(m.selection.count(), 3);
}

TEST(MirrorOps, FollowsTheScreenUnderATurnedCamera) {
    OpsModel m = twoTriangles();
    m.camera.verticalAxisAngle = std::numbers::pi / 2; // the model's x now runs across
    m.refresh();
    m.selectWhole({1});
    const Point3 before = m.store.viewTriangles[1].centroid;
    mirrorSelection(m.store, m.selection, MirrorAxis::Vertical, m.camera);
    const Triangle& after = m.store.viewTriangles[1];
    EXPECT_NEAR(after.centroid.z, before.z, kTolerance);
    EXPECT_NEAR(after.v[0].z, 2 * before.z - 40, kTolerance); // v0 was at z 40
    // Up-down on the screen is the model's own z here too: the model follows.
    EXPECT_NEAR(m.model(1, 0).z, 2 * before.z - 40, kTolerance);
    EXPECT_NEAR(m.model(1, 0).y, 40, kTolerance);
}

TEST(RotateOps, AQuarterTurnAboutTheOriginGoesClockwiseOnTheScreen) {
    OpsModel m = twoTriangles();
    m.select({{0, 1}});
    rotateSelection(m.store, m.selection, RotateKind::VerticesAboutOrigin, std::numbers::pi / 2,
                    m.camera);
    expectNear(m.model(0, 1), 0, 0, 10); // right of the origin -> below it (z grows down)
    expectNear(m.model(0, 2), 0, 0, 10); // not listed: stays
    Triangle fresh = m.store.viewTriangles[0];
    fresh.computeNormal();
    EXPECT_EQ(fresh.normal.x, m.store.viewTriangles[0].normal.x); // caches current
}

TEST(RotateOps, CentredKindsKeepTheirCentreAndAOneVertexTurnStaysPut) {
    OpsModel m = twoTriangles();
    m.selectWhole({1});
    const Point3 centre = m.store.viewTriangles[1].centroid;
    rotateSelection(m.store, m.selection, RotateKind::Triangles, std::numbers::pi, m.camera);
    expectNear(m.store.viewTriangles[1].centroid, centre.x, centre.y, centre.z);
    expectNear(m.view(1, 0), 0, 2 * centre.y - 40, 2 * centre.z - 40); // a half turn
    rotateSelection(m.store, m.selection, RotateKind::TrianglesAboutOrigin, std::numbers::pi,
                    m.camera);
    expectNear(m.store.viewTriangles[1].centroid, 0, -centre.y, -centre.z);

    OpsModel one = twoTriangles();
    one.select({{1, 2}});
    rotateSelection(one.store, one.selection, RotateKind::Vertices, 1.0, one.camera);
    expectNear(one.model(1, 2), 0, 40, 50);
}

TEST(ScaleOps, FactorsPerAxisAboutTheMeanOfTheListedVertices) {
    OpsModel m = twoTriangles();
    m.select({{0, 0}, {0, 1}}); // mean (0, 5, 0)
    scaleSelection(m.store, m.selection, ScaleKind::Vertices, {1, 3, 7}, m.camera);
    expectNear(m.model(0, 0), 0, -10, 0);
    expectNear(m.model(0, 1), 0, 20, 0);
    expectNear(m.model(0, 2), 0, 0, 10);

    OpsModel t = twoTriangles();
    t.selectWhole({1});
    const Point3 centre = t.store.viewTriangles[1].centroid;
    scaleSelection(t.store, t.selection, ScaleKind::Triangles, {1, 0.5, 2}, t.camera);
    expectNear(t.store.viewTriangles[1].centroid, 0, centre.y, centre.z);
    expectNear(t.view(1, 1), 0, centre.y + 0.5 * (50 - centre.y), centre.z + 2 * (40 - centre.z));
    EXPECT_EQ(t.selection.count(), 3);
}

} // namespace
} // namespace fcw
