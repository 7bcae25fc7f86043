#include "interact/model_point.h"
#include "render/camera.h"

#include <gtest/gtest.h>

#include <cmath>

namespace fcw {
namespace {

TEST(Camera, CentreUsesIntegerHalvesAndTheZoomedOffset) {
    Camera c;
    c.clientRect = {0, 0, 801, 601};
    c.computeCentre();
    EXPECT_EQ(c.halfWidth, 400);
    EXPECT_EQ(c.halfHeight, 300);
    EXPECT_EQ(c.centreX, 400.0);
    c.zoom = 2.0;
    c.originOffsetX = -10.25;
    c.originOffsetY = 3.5;
    c.computeCentre();
    EXPECT_EQ(c.centreX, 379.5);
    EXPECT_EQ(c.centreY, 307.0);

    Camera empty;
    empty.originOffsetX = 5;
    empty.computeCentre();
    EXPECT_EQ(empty.halfWidth, 0);
    EXPECT_EQ(empty.centreX, 5.0);
}

TEST(Camera, ProjectionTruncatesTowardZero) {
    Camera c;
    EXPECT_EQ(c.projectX(-0.5), 0);
    EXPECT_EQ(c.projectX(-1.5), -1);
    EXPECT_EQ(c.projectY(0.7), 0);
    EXPECT_EQ(c.projectY(-0.7), 0);
    c.zoom = 3.0;
    c.centreX = 10.4;
    EXPECT_EQ(c.projectX(1.0), 13);
    EXPECT_EQ(c.projectX(-4.0), -1);
    // Out of range and NaN give a defined integer instead of undefined behaviour.
    EXPECT_EQ(c.projectX(1e300), INT32_MIN);
    EXPECT_EQ(c.projectX(std::nan("")), INT32_MIN);
}

TEST(Camera, ReadoutsAndDegrees) {
    Camera c;
    c.zoom = 2.0;
    c.cursorVertical = 10;
    c.cursorHorizontal = 6;
    c.cursorDepth = -4;
    EXPECT_EQ(c.readoutVertical(), -5.0);
    EXPECT_EQ(c.readoutHorizontal(), 3.0);
    EXPECT_EQ(c.readoutDepth(), 2.0);
    EXPECT_EQ(angleInDegrees(1.0), 57.29577951308232);
}

// The forward camera rotation applied to a model-frame point.
ModelPoint rotateForward(const ModelPoint& p, double V, double H) {
    const double x1 = p.x * std::cos(V) + p.y * std::sin(V);
    const double y1 = p.y * std::cos(V) - p.x * std::sin(V);
    return {x1 * std::cos(H) + p.z * std::sin(H), y1, p.z * std::cos(H) - x1 * std::sin(H)};
}

TEST(ModelPointFromClient, FrontViewIsTheOffsetAtTheDrawingDepth) {
    Camera c;
    c.centreX = 400;
    c.centreY = 300;
    c.depth = 25;
    const ModelPoint p = modelPointFromClient(c, 410, 280);
    EXPECT_NEAR(p.x, 25.0, 1e-12);
    EXPECT_NEAR(p.y, 10.0, 1e-12);
    EXPECT_NEAR(p.z, -20.0, 1e-12);
}

TEST(ModelPointFromClient, UndoesTheCameraRotation) {
    const double angles[][2] = {{0.3, 0}, {0, 0.9}, {1.1, -2.3}, {-3.0, 3.0}};
    for (const auto& a : angles) {
        Camera c;
        c.verticalAxisAngle = a[0];
        c.horizontalAxisAngle = a[1];
        c.centreX = 100;
        c.centreY = 50;
        c.depth = -40;
        const ModelPoint model = modelPointFromClient(c, 173, 12);
        const ModelPoint view = rotateForward(model, a[0], a[1]);
        EXPECT_NEAR(view.x, -40.0, 1e-9);
        EXPECT_NEAR(view.y, 73.0, 1e-9);
        EXPECT_NEAR(view.z, -38.0, 1e-9);
    }
}

} // namespace
} // namespace fcw
