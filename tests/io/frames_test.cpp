#include "io/frames.h"

#include <gtest/gtest.h>

namespace fcw {
namespace {

// A triangle facing the viewer in the store: normal (v1 - v0) x (v2 - v0) along +x.
TriangleCore facingTriangle() {
    TriangleCore t;
    t.colour = colourOf(12, 200, 7);
    t.v[0] = {0.0, 0.0, 0.0};
    t.v[1] = {0.0, 10.0, 0.0}; // right
    t.v[2] = {0.0, 0.0, 10.0}; // down
    return t;
}

TEST(Frames, FacingTriangleFacesTheViewerInEachFrame) {
    const TriangleCore t = facingTriangle();
    ASSERT_GT(faceNormal(t.v)[0], 0.0);

    // Y up: the viewer is on +Z, and "down" in the store is -Y.
    const ExternalTriangle y = triangleToExternal(ExternalFrame::YUp, t);
    EXPECT_GT(faceNormal(y.corner)[2], 0.0);
    EXPECT_EQ(y.corner[1], (Vec3{0.0, -10.0, 0.0}));
    EXPECT_EQ(y.corner[2], (Vec3{10.0, 0.0, 0.0}));

    // Z up: the viewer is on -Y, and "down" is -Z.
    const ExternalTriangle z = triangleToExternal(ExternalFrame::ZUp, t);
    EXPECT_LT(faceNormal(z.corner)[1], 0.0);
    EXPECT_EQ(z.corner[1], (Vec3{0.0, 0.0, -10.0}));
    EXPECT_EQ(z.corner[2], (Vec3{10.0, 0.0, 0.0}));
    EXPECT_EQ(y.colour, t.colour);
}

TEST(Frames, EveryFrameRoundTripsExactly) {
    TriangleCore t;
    t.colour = colourOf(1, 2, 3);
    t.v[0] = {-1.5, 2.25, -3.125};
    t.v[1] = {4.0, -5.5, 6.75};
    t.v[2] = {-7.0, 8.5, 0.0};
    for (ExternalFrame f : {ExternalFrame::YUp, ExternalFrame::ZUp}) {
        const TriangleCore back = triangleFromExternal(f, triangleToExternal(f, t));
        EXPECT_EQ(back.v, t.v);
        EXPECT_EQ(back.colour, t.colour);
        for (const auto& p : t.v)
            EXPECT_EQ(pointFromExternal(f, pointToExternal(f, p)), p);
    }
}

TEST(Frames, EverySrgbByteSurvivesLinearFloat) {
    for (int b = 0; b < 256; ++b) {
        const float linear = linearFromSrgbByte(static_cast<std::uint8_t>(b));
        EXPECT_EQ(srgbByteFromLinear(linear), b) << b;
    }
    EXPECT_EQ(linearFromSrgbByte(255), 1.0f);
    EXPECT_EQ(srgbByteFromLinear(-1.0), 0);
    EXPECT_EQ(srgbByteFromLinear(2.0), 255);
    EXPECT_EQ(srgbByteFromLinear(std::nan("")), 0);
}

TEST(Frames, UnitOfDegenerateNormalIsZero) {
    EXPECT_EQ(unitOrZero({0.0, 0.0, 0.0}), (Vec3{0.0, 0.0, 0.0}));
    EXPECT_EQ(unitOrZero({std::nan(""), 1.0, 0.0}), (Vec3{0.0, 0.0, 0.0}));
    EXPECT_EQ(unitOrZero({0.0, 3.0, 4.0}), (Vec3{0.0, 0.6, 0.8}));
}

} // namespace
} // namespace fcw
