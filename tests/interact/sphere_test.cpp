#include "editor/commands/commands.h"
#include "interact/sphere.h"
#include "test_host.h"

#include <gtest/gtest.h>

#include <cmath>

namespace fcw {
namespace {

// Generates into a store whose reserved slot is `first`; returns the store.
MeshStore make(int n, int m, bool split, ModelPoint s, ModelPoint e, double zoom = 1.0,
               int first = 0) {
    MeshStore store;
    store.lastIndex = static_cast<std::int16_t>(first);
    generateSphere(store, s, e, n, m, split, zoom, 0x123456);
    return store;
}

TEST(Sphere, TriangleCounts) {
    EXPECT_EQ(sphereTriangleCount(3, 4, false), 12);
    EXPECT_EQ(sphereTriangleCount(3, 4, true), 18);
    EXPECT_EQ(sphereTriangleCount(10, 10, false), 160);
    EXPECT_EQ(sphereTriangleCount(10, 10, true), 300);
    const MeshStore plain = make(3, 4, false, {0, 0, 50}, {0, 0, -50}, 1.0, 5);
    EXPECT_EQ(plain.lastIndex, 5 + 12 - 1);
    const MeshStore split = make(10, 10, true, {0, 0, 50}, {0, 0, -50});
    EXPECT_EQ(split.lastIndex, 299);
    // Counts from an edited profile are clamped: 0 meridians and 2 latitudes act as 3 and 4.
    EXPECT_EQ(make(0, 2, false, {0, 0, 50}, {0, 0, -50}).lastIndex, 11);
}

TEST(Sphere, AllVerticesLieOnTheSphereAndTheFirstTriangleIsTheLowerCap) {
    const double zoom = 2.0;
    const MeshStore st = make(10, 10, false, {20, 30, 80}, {20, 50, -40}, zoom);
    // Centre (20, 40, 20) in pixels, radius 60; stored divided by the zoom.
    for (int i = 0; i <= st.lastIndex; ++i) {
        const Triangle& t = st.viewTriangles[static_cast<std::size_t>(i)];
        EXPECT_EQ(t.colour, 0x123456u);
        for (const Point3& p : t.v) {
            const double dx = p.x * zoom - 20;
            const double dy = p.y * zoom - 40;
            const double dz = p.z * zoom - 20;
            EXPECT_NEAR(std::sqrt(dx * dx + dy * dy + dz * dz), 60.0, 1e-9);
        }
        // Derived data is current.
        Triangle fresh = t;
        fresh.computeNormal();
        EXPECT_EQ(fresh.planeD, t.planeD);
    }
    EXPECT_EQ(st.viewTriangles[0].v[0].z, 80.0 / zoom);    // the lower pole
    EXPECT_EQ(st.viewTriangles[159].v[0].z, -40.0 / zoom); // the upper pole
}

TEST(Sphere, DragDirectionDoesNotMatterAndTheSeamCloses) {
    const MeshStore down = make(7, 9, true, {0, -100, -30}, {0, 10, 50});
    const MeshStore up = make(7, 9, true, {0, 10, 50}, {0, -100, -30});
    ASSERT_EQ(down.lastIndex, up.lastIndex);
    for (int i = 0; i <= down.lastIndex; ++i) {
        for (std::size_t k = 0; k < 3; ++k) {
            EXPECT_EQ(down.viewTriangles[static_cast<std::size_t>(i)].v[k].x,
                      up.viewTriangles[static_cast<std::size_t>(i)].v[k].x);
        }
    }
    // Lower cap: triangle 0 starts at k = 0, triangle n - 1 ends at k = n.
    const Triangle& first = down.viewTriangles[0];
    const Triangle& last = down.viewTriangles[6];
    EXPECT_EQ(first.v[1].x, last.v[2].x);
    EXPECT_EQ(first.v[1].y, last.v[2].y);
    EXPECT_EQ(first.v[1].z, last.v[2].z);
}

TEST(Sphere, NeverWritesPastTheLastSlot) {
    MeshStore store;
    store.lastIndex = 2990; // the caller should have refused; the generator stays in bounds
    generateSphere(store, {0, 0, 10}, {0, 0, -10}, 10, 10, false, 1.0, 0);
    EXPECT_EQ(store.lastIndex, kTriangleSlots - 1);
}

TEST(Sphere, QuadSplitSwitchWorksOnlyInTheSphereTool) {
    testing::FakeHost host;
    Editor e(host);
    EXPECT_EQ(dispatchCommand(e, command_id::kSphereQuadSplit), DispatchResult::Disabled);
    dispatchCommand(e, command_id::kToolSphere);
    EXPECT_EQ(dispatchCommand(e, command_id::kSphereQuadSplit), DispatchResult::Done);
    EXPECT_TRUE(findCommand(command_id::kSphereQuadSplit)->isChecked(e));
    EXPECT_EQ(host.repaints, 1);
}

} // namespace
} // namespace fcw
