#include "model/mesh_store.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace fcw {
namespace {

// Rotation by V about the vertical axis, then by H about the horizontal axis, written as the
// plain matrix products the cached path must agree with.
Point3 rotate(const Point3& p, double V, double H) {
    const double x1 = p.x * std::cos(V) + p.y * std::sin(V);
    const double y1 = p.y * std::cos(V) - p.x * std::sin(V);
    const double x2 = x1 * std::cos(H) + p.z * std::sin(H);
    const double z2 = p.z * std::cos(H) - x1 * std::sin(H);
    return {x2, y1, z2};
}

void fillRandom(MeshStore& store, int count, unsigned seed) {
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> coord(-500.0, 500.0);
    store.lastIndex = static_cast<std::int16_t>(count - 1);
    for (int i = 0; i < count; ++i) {
        Triangle& t = store.modelTriangles[static_cast<std::size_t>(i)];
        for (int k = 0; k < 3; ++k) {
            t.setVertex(k, Point3(coord(rng), coord(rng), coord(rng)));
        }
        t.setColour(static_cast<Colour>(rng() & 0xFFFFFF));
        t.computePolar();
        t.computeNormal();
    }
}

constexpr double kTolerance = 1e-9;

TEST(MeshStore, EmptyStoreRefreshTouchesNothing) {
    MeshStore store;
    store.viewTriangles[0].colour = 77;
    store.depthKeys[0] = 5.0;
    store.refreshModelToView(0.3, 0.4);
    EXPECT_EQ(store.viewTriangles[0].colour, 77u);
    EXPECT_EQ(store.depthKeys[0], 5.0);
    EXPECT_EQ(store.count(), 0);
}

TEST(MeshStore, ForwardRefreshRotatesVerticalThenHorizontal) {
    MeshStore store;
    fillRandom(store, 50, 1);
    const double angles[][2] = {{0, 0}, {0.5, 0}, {0, -0.7}, {1.2, 2.9}, {-3.0, 0.25}};
    for (const auto& a : angles) {
        store.refreshModelToView(a[0], a[1]);
        for (int i = 0; i <= store.lastIndex; ++i) {
            const Triangle& m = store.modelTriangles[static_cast<std::size_t>(i)];
            const Triangle& v = store.viewTriangles[static_cast<std::size_t>(i)];
            EXPECT_EQ(v.colour, m.colour);
            for (int k = 0; k < 3; ++k) {
                const Point3 expect = rotate(m.v[static_cast<std::size_t>(k)], a[0], a[1]);
                EXPECT_NEAR(v.v[static_cast<std::size_t>(k)].x, expect.x, kTolerance);
                EXPECT_NEAR(v.v[static_cast<std::size_t>(k)].y, expect.y, kTolerance);
                EXPECT_NEAR(v.v[static_cast<std::size_t>(k)].z, expect.z, kTolerance);
            }
            // Derived fields are current and the depth key is the view centroid's depth.
            Triangle fresh = v;
            fresh.computePolar();
            fresh.computeNormal();
            EXPECT_EQ(fresh.normal.x, v.normal.x);
            EXPECT_EQ(fresh.centroid.x, v.centroid.x);
            EXPECT_EQ(store.depthKeys[static_cast<std::size_t>(i)], v.centroid.x);
        }
    }
}

TEST(MeshStore, InverseRefreshUndoesTheForwardOne) {
    MeshStore store;
    fillRandom(store, 200, 2);
    std::vector<Triangle> original(store.modelTriangles.begin(),
                                   store.modelTriangles.begin() + 200);
    const double angles[][2] = {{0, 0}, {0.785, 0.785}, {2.5, -1.1}, {-6.0, 6.0}, {3.1416, 0}};
    for (const auto& a : angles) {
        store.refreshModelToView(a[0], a[1]);
        store.refreshViewToModel(a[0], a[1]);
        for (std::size_t i = 0; i < original.size(); ++i) {
            for (std::size_t k = 0; k < 3; ++k) {
                EXPECT_NEAR(store.modelTriangles[i].v[k].x, original[i].v[k].x, kTolerance);
                EXPECT_NEAR(store.modelTriangles[i].v[k].y, original[i].v[k].y, kTolerance);
                EXPECT_NEAR(store.modelTriangles[i].v[k].z, original[i].v[k].z, kTolerance);
            }
        }
        // After an inverse refresh the keys are model-frame depths.
        EXPECT_EQ(store.depthKeys[7], store.modelTriangles[7].centroid.x);
    }
}

TEST(MeshStore, RefreshLeavesSelectionMarksAlone) {
    MeshStore store;
    fillRandom(store, 3, 3);
    store.viewTriangles[1].v[2].selected = 1;
    store.modelTriangles[1].v[0].selected = 1;
    store.refreshModelToView(0.4, 0.2);
    store.refreshViewToModel(0.4, 0.2);
    EXPECT_EQ(store.viewTriangles[1].v[2].selected, 1);
    EXPECT_EQ(store.viewTriangles[1].v[0].selected, 0);
    EXPECT_EQ(store.modelTriangles[1].v[0].selected, 1);
}

TEST(MeshStore, FullStoreRefreshesEverySlot) {
    MeshStore store;
    fillRandom(store, kTriangleSlots, 4); // text import may fill the spare slot too
    store.refreshModelToView(0.1, 0.2);
    const Point3 expect = rotate(store.modelTriangles[3000].v[1], 0.1, 0.2);
    EXPECT_NEAR(store.viewTriangles[3000].v[1].y, expect.y, kTolerance);
}

TEST(MeshStore, LargeModelsGiveBitForBitTheSingleTriangleResults) {
    MeshStore big;
    fillRandom(big, kMaxTriangles, 5); // large enough to be split between threads
    big.refreshModelToView(0.9, -1.7);
    MeshStore one;
    one.lastIndex = 0;
    for (std::size_t i : {0u, 1499u, 1500u, 2999u}) {
        one.modelTriangles[0] = big.modelTriangles[i];
        one.refreshModelToView(0.9, -1.7);
        const Triangle& a = big.viewTriangles[i];
        const Triangle& b = one.viewTriangles[0];
        for (std::size_t k = 0; k < 3; ++k) {
            EXPECT_EQ(a.v[k].x, b.v[k].x);
            EXPECT_EQ(a.v[k].y, b.v[k].y);
            EXPECT_EQ(a.v[k].z, b.v[k].z);
            EXPECT_EQ(a.vertexPolar[k].angleXZ, b.vertexPolar[k].angleXZ);
        }
        EXPECT_EQ(a.planeD, b.planeD);
        EXPECT_EQ(big.depthKeys[i], one.depthKeys[0]);
    }
}

} // namespace
} // namespace fcw
