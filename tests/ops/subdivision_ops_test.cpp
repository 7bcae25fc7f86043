// The splits as functions of a hand-built store and selection: the slots they write, listed.
#include "ops/subdivision.h"
#include "store_builder.h"

#include <gtest/gtest.h>

namespace fcw {
namespace {

using testing::at;
using testing::OpsModel;

TEST(SubdivisionOps, FourSplitWritesTheParentSlotAndAppendsThreeInOrder) {
    OpsModel m;
    m.add({0, 0, 0}, {0, 8, 0}, {0, 0, 6}, 7);
    m.add({0, 20, 0}, {0, 28, 0}, {0, 20, 6}, 8);
    m.selectWhole({0});
    EXPECT_EQ(splitSelection(m.store, m.selection, SelectionSplit::InFour, m.camera),
              SplitOutcome::Done);
    ASSERT_EQ(m.store.lastIndex, 4);
    EXPECT_TRUE(at(m.model(0, 0), 0, 0, 0) && at(m.model(0, 1), 0, 4, 0) &&
                at(m.model(0, 2), 0, 0, 3));
    EXPECT_TRUE(at(m.model(2, 0), 0, 4, 0) && at(m.model(2, 1), 0, 8, 0) &&
                at(m.model(2, 2), 0, 4, 3));
    EXPECT_TRUE(at(m.model(3, 0), 0, 0, 3) && at(m.model(3, 1), 0, 4, 3) &&
                at(m.model(3, 2), 0, 0, 6));
    EXPECT_TRUE(at(m.model(4, 0), 0, 4, 3) && at(m.model(4, 1), 0, 0, 3) &&
                at(m.model(4, 2), 0, 4, 0));
    EXPECT_TRUE(at(m.model(1, 1), 0, 28, 0)); // not selected
    for (int t : {0, 2, 3, 4}) {
        EXPECT_EQ(m.store.modelTriangles[static_cast<std::size_t>(t)].colour, 7u);
        EXPECT_EQ(m.store.viewTriangles[static_cast<std::size_t>(t)].colour, 7u); // view rebuilt
        EXPECT_GT(m.store.modelTriangles[static_cast<std::size_t>(t)].normal.x, 0.0);
    }
    EXPECT_TRUE(m.selection.empty());
    EXPECT_EQ(m.marks(), 0);
}

TEST(SubdivisionOps, TwoSplitCutsTheSelectedEdgeAndFourAndTwoSharesItsMidpoint) {
    OpsModel m;
    m.add({0, 0, 0}, {0, 10, 0}, {0, 0, 10}, 1);
    m.add({0, 10, 0}, {0, 10, 10}, {0, 0, 10}, 2);
    m.select({{1, 0}, {1, 2}});
    EXPECT_TRUE(hasEdgeSelectedTriangle(m.store, m.selection));
    EXPECT_EQ(splitSelection(m.store, m.selection, SelectionSplit::InTwo, m.camera),
              SplitOutcome::Done);
    ASSERT_EQ(m.store.lastIndex, 2);
    // Free vertex v1, m = mid(v2, v0): the parent becomes (m, v1, v2), the new slot (v0, v1, m).
    EXPECT_TRUE(at(m.model(1, 0), 0, 5, 5) && at(m.model(1, 1), 0, 10, 10) &&
                at(m.model(1, 2), 0, 0, 10));
    EXPECT_TRUE(at(m.model(2, 0), 0, 10, 0) && at(m.model(2, 1), 0, 10, 10) &&
                at(m.model(2, 2), 0, 5, 5));
    EXPECT_FALSE(hasEdgeSelectedTriangle(m.store, m.selection));

    OpsModel both;
    both.add({0, 0, 0}, {0, 10, 0}, {0, 0, 10}, 1);
    both.add({0, 10, 0}, {0, 10, 10}, {0, 0, 10}, 2);
    both.select({{0, 0}, {0, 1}, {0, 2}, {1, 0}, {1, 2}});
    EXPECT_EQ(splitSelection(both.store, both.selection, SelectionSplit::FourAndTwo, both.camera),
              SplitOutcome::Done);
    EXPECT_EQ(both.store.lastIndex, 5);
    EXPECT_TRUE(at(both.model(5, 2), 0, 5, 5)); // the four-split's midpoint of the shared edge
}

TEST(SubdivisionOps, AFullStoreStopsTheWalkKeepingWhatWasSplit) {
    OpsModel m;
    m.add({0, 0, 0}, {0, 8, 0}, {0, 0, 6}, 1);
    m.add({0, 20, 0}, {0, 28, 0}, {0, 20, 6}, 2);
    m.selectWhole({0, 1});
    m.store.lastIndex = 2995; // room for one four-split
    EXPECT_EQ(splitSelection(m.store, m.selection, SelectionSplit::InFour, m.camera),
              SplitOutcome::StoppedAtCapacity);
    EXPECT_EQ(m.store.lastIndex, 2998);
    EXPECT_TRUE(at(m.model(0, 1), 0, 4, 0));  // the first was split
    EXPECT_TRUE(at(m.model(1, 1), 0, 28, 0)); // the second was not
    EXPECT_TRUE(m.selection.empty());
}

TEST(SubdivisionOps, APickedSplitKeepsTheSelectionAndLeavesNewSlotsUnmarked) {
    OpsModel m;
    m.add({0, 0, 0}, {0, 9, 0}, {0, 0, 9}, 1);
    m.selectWhole({0});
    EXPECT_EQ(splitTriangle(m.store, 1, PickedSplit::InThree, m.camera), SplitOutcome::NotLive);
    EXPECT_EQ(m.store.lastIndex, 0);
    EXPECT_EQ(splitTriangle(m.store, 0, PickedSplit::InThree, m.camera), SplitOutcome::Done);
    ASSERT_EQ(m.store.lastIndex, 2);
    // The centroid (0, 3, 3) is shared by all three parts.
    EXPECT_TRUE(at(m.model(0, 1), 0, 3, 3) && at(m.model(1, 2), 0, 3, 3) &&
                at(m.model(2, 0), 0, 3, 3));
    EXPECT_EQ(m.selection.count(), 3);
    EXPECT_EQ(m.marks(), 6); // the parent's slot only, in both lists
    m.store.lastIndex = 2998;
    EXPECT_EQ(splitTriangle(m.store, 0, PickedSplit::InFour, m.camera),
              SplitOutcome::StoppedAtCapacity);
    EXPECT_EQ(m.store.lastIndex, 2998);
}

} // namespace
} // namespace fcw
