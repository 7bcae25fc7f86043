#include "model/triangle.h"

#include <gtest/gtest.h>

#include <cmath>

namespace fcw {
namespace {

Triangle make(Point3 a, Point3 b, Point3 c, Colour colour = 0) {
    Triangle t;
    t.setVertex(0, a);
    t.setVertex(1, b);
    t.setVertex(2, c);
    t.setColour(colour);
    t.computeNormal();
    t.computePolar();
    return t;
}

TEST(Triangle, DefaultsMatchTheZeroFilledRecord) {
    const Triangle t;
    for (const Point3& p : t.v) {
        EXPECT_EQ(p.x, 0.0);
        EXPECT_EQ(p.y, 200.0);
        EXPECT_EQ(p.z, 250.0);
        EXPECT_EQ(p.selected, 0);
    }
    EXPECT_EQ(t.normal.y, 200.0);
    EXPECT_EQ(t.centroid.z, 250.0);
    EXPECT_EQ(t.colour, 0u);
    EXPECT_EQ(t.inverseNormalX, 0.0);
}

TEST(Triangle, DerivedValuesOfAHandCheckedTriangle) {
    const Triangle t = make({0, 0, 0}, {0, 10, 0}, {0, 0, 10});
    EXPECT_EQ(t.normal.x, 100.0);
    EXPECT_EQ(t.normal.y, 0.0);
    EXPECT_EQ(t.normal.z, 0.0);
    EXPECT_EQ(t.inverseNormalX, 0.01);
    EXPECT_EQ(t.planeD, 0.0);
    EXPECT_EQ(t.centroid.y, 10.0 * 0.3333333333333333);
    EXPECT_EQ(t.vertexPolar[1].angleXY, std::atan2(0.0, 10.0));
    EXPECT_EQ(t.vertexPolar[2].angleXZ, std::atan2(0.0, 10.0));
    EXPECT_EQ(t.vertexPolar[1].radiusXY, 10.0);
    EXPECT_EQ(t.vertexPolar[2].radiusXZ, 10.0);
    EXPECT_EQ(t.centroidPolar.radiusXY, t.centroid.y);

    // A tilted one: every component of the normal and the plane term by hand.
    const Triangle u = make({1, 2, 3}, {4, 6, 5}, {2, 7, 11});
    // e1 = (3, 4, 2), e2 = (1, 5, 8)
    EXPECT_EQ(u.normal.x, 8.0 * 4 - 5.0 * 2); // 22
    EXPECT_EQ(u.normal.y, 1.0 * 2 - 8.0 * 3); // -22
    EXPECT_EQ(u.normal.z, 5.0 * 3 - 1.0 * 4); // 11
    EXPECT_EQ(u.planeD, -(11.0 * 3 + -22.0 * 2 + 22.0 * 1));
    EXPECT_EQ(u.inverseNormalX, 1.0 / 22.0);
}

TEST(Triangle, CentroidMultipliesByTheDoubleNearestOneThird) {
    const Triangle t = make({0, 0, 0}, {3, 0, 0}, {0, 3, 0});
    EXPECT_EQ(t.centroid.x, 1.0);
    EXPECT_EQ(t.centroid.y, 1.0);
    EXPECT_EQ(t.centroid.z, 0.0);
    // Multiplication and division differ in the last bit for some sums.
    const Triangle u = make({0.1, 0, 0}, {0.2, 0, 0}, {0.4, 0, 0});
    EXPECT_EQ(u.centroid.x, ((0.1 + 0.2) + 0.4) * 0.3333333333333333);
}

TEST(Triangle, ZeroNormalXGivesTheLargeInverseNotInfinity) {
    const Triangle t = make({0, 0, 0}, {1, 0, 0}, {0, 0, 1});
    EXPECT_EQ(t.normal.x, 0.0);
    EXPECT_EQ(t.inverseNormalX, 1.0e18);
    const Triangle degenerate = make({1, 1, 1}, {1, 1, 1}, {2, 2, 2});
    EXPECT_EQ(degenerate.inverseNormalX, 1.0e18);
    EXPECT_EQ(degenerate.planeD, 0.0);
}

TEST(Triangle, AssignmentCopiesColourAndCoordinatesOnly) {
    Triangle src = make({1, 2, 3}, {4, 5, 6}, {7, 8, 10}, 0x123456);
    src.v[0].selected = 1;
    Triangle dst;
    dst.v[1].selected = 1;
    dst.assign(src);
    EXPECT_EQ(dst.colour, 0x123456u);
    EXPECT_EQ(dst.v[2].z, 10.0);
    EXPECT_EQ(dst.v[0].selected, 0); // marks stay with the destination
    EXPECT_EQ(dst.v[1].selected, 1);
    EXPECT_EQ(dst.normal.x, Triangle().normal.x); // derived fields stale until recomputed

    Point3 p(1, 2, 3);
    p.selected = 1;
    Point3 q(4, 5, 6);
    q.setCoords(p);
    EXPECT_EQ(q.selected, 0);
    EXPECT_EQ(q.z, 3.0);
}

TEST(Triangle, ReverseWindingNegatesTheNormalAndKeepsMarksInTheirSlots) {
    Triangle t = make({0, 0, 0}, {0, 10, 0}, {0, 0, 10});
    t.v[1].selected = 1;
    t.reverseWinding();
    EXPECT_EQ(t.normal.x, -100.0);
    EXPECT_EQ(t.v[1].z, 10.0);
    EXPECT_EQ(t.v[2].y, 10.0);
    EXPECT_EQ(t.v[1].selected, 1);
    EXPECT_EQ(t.v[2].selected, 0);
    EXPECT_EQ(t.selectedVertexCount(), 1);
}

TEST(Triangle, ShadeLightensTowardTheLightAndDarkensAwayFromIt) {
    Triangle t = make({0, 0, 0}, {0, 10, 0}, {0, 0, 10}, 0x0000FF);
    // cos = 1/sqrt(3); green and blue gain trunc(255 * 0.577 * 0.8) = 117, red is full.
    t.shade(0.8);
    EXPECT_EQ(t.shadedColour, 0x7575FFu);
    t.shade(0.0);
    EXPECT_EQ(t.shadedColour, 0x0000FFu);

    t.reverseWinding();
    t.shade(0.8);
    EXPECT_EQ(t.shadedColour, 0x0000FFu - 117u);
    t.setColour(0x00FFFFFF);
    t.shade(1.0);
    EXPECT_EQ(t.shadedColour, 0x6C6C6Cu); // 255 - trunc(255 / sqrt(3)) = 108 per channel
}

TEST(Triangle, ShadeOfAZeroNormalKeepsTheColour) {
    Triangle t = make({1, 1, 1}, {1, 1, 1}, {1, 1, 1}, 0x00345678);
    t.shade(0.8);
    EXPECT_EQ(t.shadedColour, 0x00345678u);
}

TEST(Triangle, ShadeNeverLeavesTheChannelRange) {
    const Colour colours[] = {0x000000, 0xFFFFFF, 0x010203, 0xFEFDFC, 0x7F807F};
    const Point3 normals[][3] = {
        {{0, 0, 0}, {0, 10, 0}, {0, 0, 10}},
        {{0, 0, 0}, {0, 0, 10}, {0, 10, 0}},
        {{0, 0, 0}, {10, 3, 0}, {1, 0, 10}},
        {{0, 0, 0}, {-10, 3, -4}, {1, 7, 10}},
    };
    for (const auto& n : normals) {
        for (Colour c : colours) {
            Triangle t = make(n[0], n[1], n[2], c);
            t.shade(1.0);
            for (int shift = 0; shift < 24; shift += 8) {
                const int before = static_cast<int>((c >> shift) & 0xFF);
                const int after = static_cast<int>((t.shadedColour >> shift) & 0xFF);
                EXPECT_LE(std::abs(after - before), 255);
            }
            EXPECT_EQ(t.shadedColour >> 24, 0u) << std::hex << c;
        }
    }
}

TEST(Triangle, ScreenExtentTruncatesTowardZero) {
    Triangle t = make({0, -0.5, -1.5}, {0, 10.9, 2.2}, {0, -1.5, 7.99});
    t.computeScreenExtent(1.0, 0.0, 0.0);
    EXPECT_EQ(t.screenLeft, -1);
    EXPECT_EQ(t.screenRight, 10);
    EXPECT_EQ(t.screenTop, -1);
    EXPECT_EQ(t.screenBottom, 7);
    t.computeScreenExtent(2.0, 400.0, 300.0);
    EXPECT_EQ(t.screenLeft, 397);
    EXPECT_EQ(t.screenRight, 421);
    EXPECT_EQ(t.screenTop, 297);
    EXPECT_EQ(t.screenBottom, 315);
}

} // namespace
} // namespace fcw
