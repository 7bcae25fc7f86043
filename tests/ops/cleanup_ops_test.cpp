// The clean-up operations as functions of a hand-built store and selection.
#include "ops/cleanup.h"
#include "store_builder.h"

#include <gtest/gtest.h>

#include <vector>

namespace fcw {
namespace {

using testing::at;
using testing::OpsModel;

TEST(CleanupOps, RoundingTouchesOnlyListedVerticesAndRebuildsTheView) {
    OpsModel m;
    m.add({0.5, 1.5, -2.5}, {0.4, 10.45, 7.96}, {3, 4, 5});
    m.select({{0, 0}, {0, 1}});
    roundSelectedVertices(m.store, m.selection, m.camera);
    EXPECT_TRUE(at(m.model(0, 0), 1, 2, -3));
    EXPECT_TRUE(at(m.model(0, 1), 0, 10, 8));
    EXPECT_TRUE(at(m.model(0, 2), 3, 4, 5));
    EXPECT_NEAR(m.view(0, 0).y, 2.0, 1e-12);
    EXPECT_EQ(m.selection.count(), 2);
    EXPECT_EQ(m.marks(), 4); // two vertices, marked in both lists
}

TEST(CleanupOps, MergeReportsEachOuterStepAndPullsOntoTheEarlierVertex) {
    OpsModel m;
    m.add({0, 0, 0}, {0, 1.9, 0}, {0, 4, 0});
    m.add({0, 5.9, 0}, {0, 20, 0}, {0, 20, 1.99});
    m.selectWhole({0, 1});
    std::vector<std::pair<int, int>> steps;
    mergeSelectedVertices(m.store, m.selection, m.camera,
                          [&](int done, int total) { steps.emplace_back(done, total); });
    ASSERT_EQ(steps.size(), 5u);
    EXPECT_EQ(steps.front(), std::make_pair(0, 6));
    EXPECT_EQ(steps.back(), std::make_pair(4, 6));
    EXPECT_TRUE(at(m.model(0, 1), 0, 0, 0));  // 1.9 from the first
    EXPECT_TRUE(at(m.model(0, 2), 0, 4, 0));  // 4 from both earlier ones: stays
    EXPECT_TRUE(at(m.model(1, 0), 0, 4, 0));  // 1.9 from (0, 4, 0)
    EXPECT_TRUE(at(m.model(1, 2), 0, 20, 0)); // 1.99 below (0, 20, 0)
    // Caches follow the new corners.
    Triangle fresh = m.store.modelTriangles[1];
    fresh.computePolar();
    EXPECT_EQ(fresh.centroid.y, m.store.modelTriangles[1].centroid.y);
}

TEST(CleanupOps, LineTrianglesGoTheRestCloseUpAndNoMarkIsLeft) {
    OpsModel m;
    m.add({0, 0, 0}, {0, 0, 0}, {0, 1, 1}, 1);
    m.add({0, 0, 0}, {0, 1, 1}, {0, 2, 2}, 2);
    m.add({0, 5, 0}, {0, 6, 0}, {0, 6, 0}, 3);
    m.add({0, 5, 0}, {0, 6, 0}, {0, 5, 1}, 4);
    m.selectWhole({3});
    EXPECT_EQ(deleteLineTriangles(m.store, m.selection, m.camera), 2);
    ASSERT_EQ(m.store.lastIndex, 1);
    EXPECT_EQ(m.store.modelTriangles[1].colour, 4u);
    EXPECT_EQ(m.store.viewTriangles[1].colour, 4u);
    EXPECT_TRUE(at(m.model(1, 2), 0, 5, 1));
    EXPECT_TRUE(m.selection.empty());
    EXPECT_EQ(m.marks(), 0); // slot 3's marks did not stay behind in slot 1 or 3
}

TEST(CleanupOps, ReverseAndPaintActOnWholeTrianglesOnlyAndEndTheSelection) {
    OpsModel m;
    m.add({0, 0, 0}, {0, 10, 0}, {0, 0, 10}, 1);
    m.add({0, 20, 0}, {0, 30, 0}, {0, 20, 10}, 2);
    m.select({{0, 0}, {0, 1}, {0, 2}, {1, 0}, {1, 1}}); // triangle 1 only in part
    paintSelection(m.store, m.selection, 0xABCDEF);
    EXPECT_EQ(m.store.modelTriangles[0].colour, 0xABCDEFu);
    EXPECT_EQ(m.store.viewTriangles[0].colour, 0xABCDEFu);
    EXPECT_EQ(m.store.modelTriangles[1].colour, 2u);
    EXPECT_EQ(m.marks(), 0);

    const double before = m.store.modelTriangles[0].normal.x;
    m.select({{0, 0}, {0, 1}, {0, 2}, {1, 0}, {1, 1}});
    reverseSelection(m.store, m.selection);
    EXPECT_EQ(m.store.modelTriangles[0].normal.x, -before);
    EXPECT_LT(m.store.viewTriangles[0].normal.x * before, 0.0);
    EXPECT_TRUE(at(m.model(0, 1), 0, 0, 10)); // v1 and v2 swapped
    EXPECT_GT(m.store.modelTriangles[1].normal.x * before, 0.0);
    EXPECT_TRUE(m.selection.empty());
    EXPECT_EQ(m.marks(), 0);
}

TEST(CleanupOps, SelectAllTakesEveryLiveVertexAndNothingOfAnEmptyModel) {
    OpsModel m;
    selectAll(m.store, m.selection);
    EXPECT_TRUE(m.selection.empty());
    m.add({0, 0, 0}, {0, 10, 0}, {0, 0, 10});
    m.add({0, 20, 0}, {0, 30, 0}, {0, 20, 10});
    selectAll(m.store, m.selection);
    EXPECT_EQ(m.selection.count(), 6);
    EXPECT_EQ(m.marks(), 12);
}

} // namespace
} // namespace fcw
