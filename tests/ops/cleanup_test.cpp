#include "editor/commands/commands.h"
#include "ops/cleanup.h"
#include "test_host.h"

#include "editor/editor_invariants.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace fcw {
namespace {

using testing::appendTriangle;
using testing::FakeHost;

TEST(Cleanup, RoundingGoesHalvesAwayFromZeroOnTheFirstDecimal) {
    EXPECT_EQ(roundCoordinate(2.5), 3.0);
    EXPECT_EQ(roundCoordinate(2.45), 2.0);
    EXPECT_EQ(roundCoordinate(-2.5), -3.0);
    EXPECT_EQ(roundCoordinate(-2.45), -2.0);
    EXPECT_EQ(roundCoordinate(0.96), 1.0);
    EXPECT_EQ(roundCoordinate(-0.4), 0.0);
    EXPECT_EQ(roundCoordinate(3e9 + 0.7), 3e9 + 1); // past 32 bits still rounds
    EXPECT_EQ(roundCoordinate(1e300), 1e300);
}

TEST(Cleanup, SelectAllThenRoundAndMergeKeepTheSelection) {
    FakeHost host;
    Editor e(host);
    appendTriangle(e, {0, 0, 0}, {0, 1.5, 0}, {0, 3.0, 0}, 1);
    appendTriangle(e, {0.4, 10.6, 20}, {0, 30, 1.9}, {0, 30, 0}, 2);
    EXPECT_EQ(dispatchCommand(e, command_id::kMergeVertices), DispatchResult::Disabled);
    dispatchCommand(e, command_id::kSelectAll);
    EXPECT_EQ(e.session.interaction.toolMode, ToolMode::RangeMove);
    EXPECT_EQ(e.document.selection.count(), 6);
    dispatchCommand(e, command_id::kRoundVertices);
    EXPECT_EQ(e.document.store.modelTriangles[1].v[0].y, 11.0);
    EXPECT_EQ(e.document.store.modelTriangles[1].v[0].x, 0.0);
    EXPECT_EQ(e.document.store.modelTriangles[0].v[1].y, 2.0); // 1.5 rounds up
    EXPECT_EQ(e.document.selection.count(), 6);

    // Greedy merge in list order: 0, 2 (was 1.5), 3 -> the second moves to 0, the third stays.
    e.document.store.modelTriangles[0].v[1].y = 1.5;
    dispatchCommand(e, command_id::kMergeVertices);
    EXPECT_EQ(e.document.store.modelTriangles[0].v[1].y, 0.0);
    EXPECT_EQ(e.document.store.modelTriangles[0].v[2].y, 3.0);
    EXPECT_EQ(e.document.store.modelTriangles[1].v[1].z,
              2.0); // 2.0 apart after rounding: both stay
    EXPECT_EQ(e.document.store.modelTriangles[1].v[2].z, 0.0);
    EXPECT_EQ(e.undoDepth(), 2);
    EXPECT_TRUE(host.progress.empty()); // fewer than 500 vertices
}

TEST(Cleanup, RoundingAndMergingKeepTheModelsNormals) {
    for (int command : {command_id::kRoundVertices, command_id::kPopupMergeVertices}) {
        FakeHost host;
        Editor e(host);
        appendTriangle(e, {0, 0, 0}, {0, 1.6, 0.2}, {0.3, 3.0, 7.7}, 1);
        appendTriangle(e, {0.4, 10.6, 20}, {0, 30, 1.9}, {0, 30.2, 0}, 2);
        dispatchCommand(e, command_id::kSelectAll);
        dispatchCommand(e, command);
        for (std::size_t i = 0; i < 2; ++i) {
            Triangle fresh = e.document.store.modelTriangles[i];
            fresh.computeNormal();
            EXPECT_EQ(e.document.store.modelTriangles[i].normal.x, fresh.normal.x) << command;
            EXPECT_EQ(e.document.store.modelTriangles[i].normal.y, fresh.normal.y) << command;
            EXPECT_EQ(e.document.store.modelTriangles[i].planeD, fresh.planeD) << command;
        }
        EXPECT_FALSE(testing::checkEditorInvariants(e, false)) << command;
    }
}

TEST(Cleanup, SelectAllWhileDrawingLeavesTheHalfDrawnTriangleOut) {
    FakeHost host;
    Editor e(host);
    appendTriangle(e, {0, 0, 0}, {0, 10, 0}, {0, 0, 10}, 1);
    e.session.interaction.toolMode = ToolMode::DrawTriangle;
    e.session.tools.drawing.phase = DrawPhase::OneVertex;
    ++e.document.store.lastIndex; // the provisional slot
    dispatchCommand(e, command_id::kSelectAll);
    EXPECT_EQ(e.document.store.lastIndex, 0);
    EXPECT_EQ(e.session.interaction.toolMode, ToolMode::RangeMove);
    EXPECT_EQ(editPhaseNumber(e), 2);
    EXPECT_EQ(e.document.selection.count(), 3);
}

TEST(Cleanup, LineTrianglesGoAndTheRestKeepTheirOrder) {
    FakeHost host;
    Editor e(host);
    appendTriangle(e, {0, 0, 0}, {0, 0, 0}, {0, 1, 1}, 1); // two equal vertices
    appendTriangle(e, {0, 0, 0}, {0, 1, 1}, {0, 2, 2}, 2); // collinear but distinct: stays
    appendTriangle(e, {0, 5, 0}, {0, 6, 0}, {0, 5, 1}, 3);
    appendTriangle(e, {0, 5, 0}, {0, 6, 0}, {0, 6, 0}, 4); // in the last slot
    dispatchCommand(e, command_id::kDeleteLineTriangles);
    ASSERT_EQ(e.document.store.lastIndex, 1);
    EXPECT_EQ(e.document.store.modelTriangles[0].colour, 2u);
    EXPECT_EQ(e.document.store.modelTriangles[1].colour, 3u);
    EXPECT_EQ(e.document.store.viewTriangles[1].colour, 3u);
    EXPECT_EQ(e.undoDepth(), 1);
}

TEST(Cleanup, ReverseAndRecolourEndTheSelection) {
    FakeHost host;
    Editor e(host);
    appendTriangle(e, {0, 0, 0}, {0, 10, 0}, {0, 0, 10}, 1);
    dispatchCommand(e, command_id::kSelectAll);
    dispatchCommand(e, command_id::kReverseSelection);
    EXPECT_LT(e.document.store.viewTriangles[0].normal.x, 0.0);
    EXPECT_EQ(e.document.selection.count(), 0);
    EXPECT_EQ(editPhaseNumber(e), 0);
    dispatchCommand(e, command_id::kSelectAll);
    e.session.interaction.currentColour = 0x123456;
    dispatchCommand(e,
                    command_id::kRecolour); // the palette is cancelled: the current colour is used
    EXPECT_EQ(e.document.store.modelTriangles[0].colour, 0x123456u);
    EXPECT_EQ(host.dialogs, (std::vector<int>{141}));
    EXPECT_EQ(e.undoDepth(), 2);
}

TEST(Cleanup, MergeMatchesTheGreedyRuleOnCrowdedPoints) {
    FakeHost host;
    Editor e(host);
    std::mt19937 rng(3);
    std::uniform_real_distribution<double> coord(0.0, 6.0); // crowded: many pairs within 2
    for (int i = 0; i < 40; ++i) {
        appendTriangle(e, {coord(rng), coord(rng), coord(rng)}, {coord(rng), coord(rng), 0},
                       {0, coord(rng), coord(rng)}, 0);
    }
    dispatchCommand(e, command_id::kSelectAll);
    // The rule, written plainly: each later vertex snaps to an earlier one within 2.0.
    std::vector<Point3> want;
    for (const SelectedVertex& v : e.document.selection.vertices()) {
        want.push_back(e.document.store.modelTriangles[static_cast<std::size_t>(v.triangle)]
                           .v[static_cast<std::size_t>(v.vertex)]);
    }
    for (std::size_t i = 0; i + 1 < want.size(); ++i) {
        for (std::size_t j = i + 1; j < want.size(); ++j) {
            const Point3 d = want[i] - want[j];
            if (std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z) < 2.0) {
                want[j].setCoords(want[i]);
            }
        }
    }
    dispatchCommand(e, command_id::kMergeVertices);
    for (std::size_t k = 0; k < want.size(); ++k) {
        const SelectedVertex& v = e.document.selection.vertices()[k];
        const Triangle& t = e.document.store.modelTriangles[static_cast<std::size_t>(v.triangle)];
        EXPECT_TRUE(sameCoords(t.v[static_cast<std::size_t>(v.vertex)], want[k])) << k;
        Triangle fresh = t;
        fresh.computePolar();
        EXPECT_EQ(fresh.centroid.x, t.centroid.x); // caches current
    }
}

TEST(Cleanup, MergeShowsProgressForLargeSelections) {
    FakeHost host;
    Editor e(host);
    for (int i = 0; i < 170; ++i) {
        appendTriangle(e, {0, 3.0 * i, 0}, {0, 3.0 * i, 50}, {0, 3.0 * i, 100}, 0);
    }
    dispatchCommand(e, command_id::kSelectAll);
    dispatchCommand(e, command_id::kPopupMergeVertices);
    ASSERT_EQ(host.progress.size(), 509u);
    EXPECT_EQ(host.progress.front(), "頂点の処理状況；0/510");
}

} // namespace
} // namespace fcw
