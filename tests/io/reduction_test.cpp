#include "io/reduction.h"

#include "bench/dense_sphere.h"
#include "io/frames.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

namespace fcw {
namespace {

constexpr Colour kUpper = 0x0000FFu;
constexpr Colour kLower = 0xFF8000u;
constexpr double kRadius = 100.0;
constexpr double kSize = 2 * kRadius;

double length(const Vec3& v) {
    return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
}

Vec3 mix(const Vec3& a, const Vec3& b, const Vec3& c, double wa, double wb, double wc) {
    return {wa * a[0] + wb * b[0] + wc * c[0], wa * a[1] + wb * b[1] + wc * c[1],
            wa * a[2] + wb * b[2] + wc * c[2]};
}

double area(const TriangleCore& t) {
    return length(faceNormal(t.v)) / 2;
}

struct Box {
    Vec3 low{HUGE_VAL, HUGE_VAL, HUGE_VAL};
    Vec3 high{-HUGE_VAL, -HUGE_VAL, -HUGE_VAL};
};

Box boxOf(const std::vector<TriangleCore>& ts) {
    Box b;
    for (const auto& t : ts)
        for (const auto& p : t.v)
            for (std::size_t a = 0; a < 3; ++a) {
                b.low[a] = std::min(b.low[a], p[a]);
                b.high[a] = std::max(b.high[a], p[a]);
            }
    return b;
}

TEST(Reduction, DenseSphereKeepsOutlineColoursAndFacing) {
    const auto sphere = denseSphere(50, kRadius, kUpper, kLower);
    ASSERT_EQ(sphere.size(), 20000u);
    const auto reduced = reduceTriangles(sphere, 3000);
    ASSERT_LE(reduced.size(), 3000u);
    EXPECT_GT(reduced.size(), 2500u); // aims at the limit, keeping as much detail as it may

    double reducedArea = 0;
    double sphereArea = 0;
    for (const auto& t : sphere)
        sphereArea += area(t);
    for (const auto& t : reduced) {
        // Corners, edge midpoints and the centroid all stay within 1 % of the model's size of
        // the surface: the triangles are small enough to follow it.
        const auto& [a, b, c] = t.v;
        for (const Vec3& p : {a, b, c, mix(a, b, c, 0.5, 0.5, 0), mix(a, b, c, 0, 0.5, 0.5),
                              mix(a, b, c, 0.5, 0, 0.5), mix(a, b, c, 1. / 3, 1. / 3, 1. / 3)})
            EXPECT_NEAR(length(p), kRadius, 0.01 * kSize);
        const Vec3 centre = mix(a, b, c, 1. / 3, 1. / 3, 1. / 3);
        ASSERT_NE(centre[2], 0.0);
        EXPECT_EQ(t.colour, centre[2] > 0 ? kUpper : kLower);
        const Vec3 n = faceNormal(t.v);
        // Outward, or edge-on for a sliver whose corners lie on one great circle (three points
        // in a row on an octahedron face): never turned inward.
        const double facing =
            (n[0] * centre[0] + n[1] * centre[1] + n[2] * centre[2]) / (length(n) * length(centre));
        EXPECT_GT(facing, -1e-9);
        EXPECT_GT(area(t), 0.0);
        reducedArea += area(t);
    }
    EXPECT_GT(reducedArea, 0.97 * sphereArea); // no holes

    const Box before = boxOf(sphere);
    const Box after = boxOf(reduced);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_NEAR(after.low[i], before.low[i], 0.03 * kSize);
        EXPECT_NEAR(after.high[i], before.high[i], 0.03 * kSize);
    }
}

// Every triangle its own colour: no weld joins anything, so the simplifier alone cannot
// reduce; the fallback still meets the limit with colours taken from the input.
TEST(Reduction, CountlessColourRegionsStillMeetTheLimit) {
    auto sphere = denseSphere(30, kRadius, 0, 0);
    std::set<Colour> inputColours;
    for (std::size_t i = 0; i < sphere.size(); ++i) {
        sphere[i].colour = static_cast<Colour>(i * 7919u) & 0xFFFFFFu;
        inputColours.insert(sphere[i].colour);
    }
    const auto reduced = reduceTriangles(sphere, 1000);
    ASSERT_LE(reduced.size(), 1000u);
    EXPECT_GT(reduced.size(), 100u);
    for (const auto& t : reduced) {
        EXPECT_TRUE(inputColours.contains(t.colour));
        EXPECT_GT(area(t), 0.0);
    }
}

// A strip of thousands of small triangles meeting corner to corner: each is tiny against the
// strip's length, so the simplifier removes them all within any error it is allowed; some of
// the original triangles are kept instead of nothing.
TEST(Reduction, AModelTheSimplifierWouldEmptyKeepsOriginalTriangles) {
    std::vector<TriangleCore> strip(3500);
    for (std::size_t i = 0; i < strip.size(); ++i) {
        const double y = static_cast<double>(i);
        strip[i].colour = i < strip.size() / 2 ? 0x0000ffu : 0x00ff00u;
        strip[i].v = {{{0, y, 0}, {0, y + 1, 0}, {0, y, 1}}};
    }
    const auto reduced = reduceTriangles(strip, 1000);
    ASSERT_FALSE(reduced.empty());
    EXPECT_LE(reduced.size(), 1000u);
    for (const auto& t : reduced) {
        const auto i = static_cast<std::size_t>(t.v[0][1]);
        ASSERT_LT(i, strip.size());
        EXPECT_EQ(t.v, strip[i].v);
        EXPECT_EQ(t.colour, strip[i].colour);
    }
}

TEST(Reduction, SmallModelsPassAndBadTrianglesDoNotReachTheSimplifier) {
    const auto sphere = denseSphere(10, kRadius, kUpper, kLower); // 800 triangles
    EXPECT_EQ(reduceTriangles(sphere, 800).size(), 800u);
    EXPECT_TRUE(reduceTriangles(sphere, 0).empty());

    auto withBad = sphere;
    TriangleCore flat;
    flat.v = {{{1, 1, 1}, {2, 2, 2}, {3, 3, 3}}};
    TriangleCore nan;
    nan.v = {{{0, 0, 0}, {std::nan(""), 1, 0}, {0, 0, 1}}};
    for (int i = 0; i < 100; ++i) {
        withBad.push_back(flat);
        withBad.push_back(nan);
    }
    const auto cleaned = reduceTriangles(withBad, 850); // 1000 in, 800 usable
    EXPECT_EQ(cleaned.size(), 800u);
    for (const auto& t : cleaned)
        EXPECT_GT(area(t), 0.0);
    EXPECT_LE(reduceTriangles(withBad, 400).size(), 400u);
}

} // namespace
} // namespace fcw
