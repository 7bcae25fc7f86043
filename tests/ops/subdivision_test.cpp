#include "editor/commands/commands.h"
#include "ops/mirror.h"
#include "ops/subdivision.h"
#include "test_host.h"

#include <gtest/gtest.h>

#include <cmath>

namespace fcw {
namespace {

using testing::appendTriangle;
using testing::FakeHost;

// Selects vertices of triangles (marks in both lists and the list) as the range tool would.
void select(Editor& e, std::initializer_list<std::pair<int, int>> vertices) {
    InteractionState& s = e.session.interaction;
    s.toolMode = ToolMode::RangeMove;
    e.session.tools.range.phase = RangePhase::SelectionShown;
    std::vector<SelectedVertex> list;
    for (auto [t, k] : vertices) {
        list.push_back({static_cast<std::int16_t>(t), static_cast<std::int8_t>(k)});
    }
    e.document.selection.selectVertices(e.document.store, list);
}

double area(const Triangle& t) {
    const Point3 e1 = t.v[1] - t.v[0];
    const Point3 e2 = t.v[2] - t.v[0];
    const double x = e1.y * e2.z - e1.z * e2.y;
    const double y = e1.z * e2.x - e1.x * e2.z;
    const double z = e1.x * e2.y - e1.y * e2.x;
    return 0.5 * std::sqrt(x * x + y * y + z * z);
}

struct Fixture {
    FakeHost host;
    Editor e{host};
    Fixture(int count) {
        for (int i = 0; i < count; ++i) {
            appendTriangle(e, {0, 10.0 * i, 0}, {0, 10.0 * i + 8, 0}, {0, 10.0 * i, 6}, 0x10u + i);
        }
    }
};

TEST(Subdivision, FourSplitAppendsThreeInOrderWithTheParentsWinding) {
    Fixture f(10);
    Editor& e = f.e;
    EXPECT_EQ(dispatchCommand(e, command_id::kSplitInFour), DispatchResult::Disabled);
    select(e, {{4, 0}, {4, 1}, {4, 2}, {5, 0}});
    const Triangle parent = e.document.store.modelTriangles[4];
    EXPECT_EQ(dispatchCommand(e, command_id::kSplitInFour), DispatchResult::Done);
    ASSERT_EQ(e.document.store.lastIndex, 12);
    EXPECT_EQ(e.document.store.modelTriangles[4].v[0].y, parent.v[0].y);  // P0 corner stays
    EXPECT_EQ(e.document.store.modelTriangles[10].v[1].y, parent.v[1].y); // P1 corner
    EXPECT_EQ(e.document.store.modelTriangles[11].v[2].z, parent.v[2].z); // P2 corner
    for (int t : {4, 10, 11, 12}) {
        const Triangle& sub = e.document.store.modelTriangles[static_cast<std::size_t>(t)];
        EXPECT_NEAR(area(sub), area(parent) / 4, 1e-12);
        // The view copies carry current normals.
        EXPECT_GT(e.document.store.viewTriangles[static_cast<std::size_t>(t)].normal.x *
                      parent.normal.x,
                  0.0);
        EXPECT_EQ(sub.colour, parent.colour);
    }
    EXPECT_EQ(e.document.store.modelTriangles[10].v[0].selected, 0); // appended slots lose marks
    EXPECT_EQ(e.document.selection.count(), 0);
    EXPECT_EQ(editPhaseNumber(e), 0);
    EXPECT_EQ(e.undoDepth(), 1);
    undoLast(e);
    EXPECT_EQ(e.document.store.lastIndex, 9);
}

TEST(Subdivision, ThreeAndTwoSplits) {
    Fixture f(2);
    Editor& e = f.e;
    const Triangle parent = e.document.store.modelTriangles[0];
    select(e, {{0, 0}, {0, 1}, {0, 2}});
    dispatchCommand(e, command_id::kSplitInThree);
    ASSERT_EQ(e.document.store.lastIndex, 3);
    for (int t : {0, 2, 3}) {
        EXPECT_NEAR(area(e.document.store.modelTriangles[static_cast<std::size_t>(t)]),
                    area(parent) / 3, 1e-12);
    }
    // Two selected vertices of triangle 1: cut at the midpoint of the selected edge.
    select(e, {{1, 0}, {1, 2}});
    EXPECT_EQ(dispatchCommand(e, command_id::kPopupSplitInTwo), DispatchResult::Done);
    ASSERT_EQ(e.document.store.lastIndex, 4);
    EXPECT_EQ(e.document.store.modelTriangles[1].v[1].y, 18.0); // free vertex P1 stays
    EXPECT_EQ(e.document.store.modelTriangles[4].v[2].z, 3.0);  // mid(P2, P0)
    select(e, {{2, 0}});
    EXPECT_EQ(dispatchCommand(e, command_id::kPopupSplitInTwo),
              DispatchResult::Disabled); // one vertex: never split
}

TEST(Subdivision, LimitsAndTheFailurePath) {
    MeshStore s;
    s.lastIndex = 2996;
    EXPECT_TRUE(splitInFour(s, 0));
    EXPECT_EQ(s.lastIndex, 2999);
    s.lastIndex = 2997;
    EXPECT_FALSE(splitInFour(s, 0));
    EXPECT_TRUE(splitInThree(s, 0));
    s.lastIndex = 2998;
    EXPECT_FALSE(splitInThree(s, 0));

    Fixture f(3);
    Editor& e = f.e;
    e.document.store.lastIndex = 2995; // room for one four-split only
    select(e, {{0, 0}, {0, 1}, {0, 2}, {1, 0}, {1, 1}, {1, 2}});
    dispatchCommand(e, command_id::kSplitInFour);
    EXPECT_EQ(e.document.store.lastIndex, 2998);
    EXPECT_EQ(f.host.beeps, 1);
    EXPECT_EQ(f.host.dialogs, (std::vector<int>{302}));
    EXPECT_EQ(e.document.selection.count(), 0);
    undoLast(e);
    EXPECT_EQ(e.document.store.lastIndex, 2995);
}

TEST(Subdivision, FourAndTwoLeavesNoVertexOnAnOpenEdge) {
    FakeHost host;
    Editor e(host);
    // Two triangles sharing the edge (0,10,0)-(0,0,10).
    appendTriangle(e, {0, 0, 0}, {0, 10, 0}, {0, 0, 10}, 1);
    appendTriangle(e, {0, 10, 0}, {0, 10, 10}, {0, 0, 10}, 2);
    select(e, {{0, 0}, {0, 1}, {0, 2}, {1, 0}, {1, 2}});
    dispatchCommand(e, command_id::kSplitFourAndTwo);
    ASSERT_EQ(e.document.store.lastIndex, 5); // 4 + 2
    // Triangle 1 is cut at (0, 5, 5), the midpoint the four-split used too.
    bool found = false;
    for (const Point3& p : e.document.store.modelTriangles[1].v) {
        found = found || (p.y == 5.0 && p.z == 5.0);
    }
    EXPECT_TRUE(found);
}

TEST(Subdivision, PopupSplitsThePickedTriangle) {
    Fixture f(1);
    f.e.session.interaction.pickedTriangle = 0;
    dispatchCommand(f.e, command_id::kPopupSplitPickedInFour);
    EXPECT_EQ(f.e.document.store.lastIndex, 3);
    EXPECT_EQ(f.e.undoDepth(), 1);
    EXPECT_EQ(f.host.repaints, 1);
}

TEST(Subdivision, APickedSplitTheLimitRefusesCostsNoUndoStep) {
    Fixture f(1);
    Editor& e = f.e;
    e.document.store.lastIndex = kMaxTriangles - 3; // a split in four would pass the limit by one
    for (int i = 1; i <= e.document.store.lastIndex; ++i) {
        e.document.store.modelTriangles[static_cast<std::size_t>(i)] =
            e.document.store.modelTriangles[0];
    }
    e.refreshModelToView();
    for (Colour c = 1; c <= kUndoLevels; ++c) { // a full history: triangle 0 recoloured ten times
        e.takeSnapshot();
        e.document.store.modelTriangles[0].setColour(c);
        e.countEdit();
    }
    e.session.interaction.pickedTriangle = 0;
    dispatchCommand(e, command_id::kPopupSplitPickedInFour);
    EXPECT_EQ(f.host.dialogs, std::vector<int>{kTooManyPolygonsDialog});
    EXPECT_EQ(e.document.store.lastIndex, kMaxTriangles - 3);
    EXPECT_EQ(f.host.repaints, 1);
    // The oldest step is still there: ten undos bring back the colour before the first edit.
    EXPECT_EQ(e.undoDepth(), kUndoLevels);
    for (int i = 0; i < kUndoLevels; ++i) {
        undoLast(e);
    }
    EXPECT_EQ(e.document.store.modelTriangles[0].colour, 0x10u);
}

TEST(Subdivision, EverySplitTriangleHasItsOwnNormalInTheModel) {
    // The parent's slot and the appended ones must carry the normal and plane of their new
    // corners, not what the slot held before.
    for (int command :
         {command_id::kPopupSplitPickedInFour, command_id::kPopupSplitPickedInThree}) {
        Fixture f(2);
        f.e.document.store.modelTriangles[0].setVertex(2,
                                                       Point3(5, 0, 6)); // tilted, so halves differ
        f.e.document.store.modelTriangles[0].computePolar();
        f.e.document.store.modelTriangles[0].computeNormal();
        f.e.refreshModelToView();
        f.e.session.interaction.pickedTriangle = 0;
        dispatchCommand(f.e, command);
        ASSERT_GT(f.e.document.store.lastIndex, 1) << command;
        for (int i = 0; i <= f.e.document.store.lastIndex; ++i) {
            const Triangle& t = f.e.document.store.modelTriangles[static_cast<std::size_t>(i)];
            Triangle fresh = t;
            fresh.computeNormal();
            EXPECT_EQ(t.normal.x, fresh.normal.x) << command << " slot " << i;
            EXPECT_EQ(t.normal.y, fresh.normal.y) << command << " slot " << i;
            EXPECT_EQ(t.normal.z, fresh.normal.z) << command << " slot " << i;
            EXPECT_EQ(t.planeD, fresh.planeD) << command << " slot " << i;
        }
    }
}

TEST(Subdivision, SplittingWhileATriangleIsBeingDrawnSplitsOnlyFinishedOnes) {
    Fixture f(1);
    select(f.e, {{0, 0}, {0, 1}, {0, 2}});
    // A triangle begun with the drawing tool holds slot 1.
    f.e.session.interaction.toolMode = ToolMode::DrawTriangle;
    f.e.session.tools.drawing.phase = DrawPhase::OneVertex;
    ++f.e.document.store.lastIndex;
    dispatchCommand(f.e, command_id::kSplitInFour);
    EXPECT_EQ(f.e.document.store.lastIndex,
              3); // triangle 0 and its three new parts, no half triangle
    EXPECT_EQ(editPhaseNumber(f.e), 0);
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(f.e.document.store.modelTriangles[static_cast<std::size_t>(i)].colour, 0x10u);
    }
    undoLast(f.e);
    EXPECT_EQ(f.e.document.store.lastIndex, 0);
}

TEST(Mirror, ReflectsAcrossTheMeanCentroidAndTwiceRestores) {
    Fixture f(2);
    Editor& e = f.e;
    e.pane().camera.verticalAxisAngle = 0.4;
    e.refreshModelToView();
    select(e, {{0, 0}, {0, 1}, {0, 2}});
    const Triangle before = e.document.store.viewTriangles[0];
    dispatchCommand(e, command_id::kMirrorLeftRight);
    const Triangle& after = e.document.store.viewTriangles[0];
    EXPECT_NEAR(after.centroid.y, before.centroid.y, 1e-9);
    EXPECT_NEAR(after.v[0].y, 2 * before.centroid.y - before.v[0].y, 1e-9);
    EXPECT_NEAR(after.v[1].y, 2 * before.centroid.y - before.v[2].y, 1e-9); // winding turned
    EXPECT_GT(after.normal.x * before.normal.x, 0.0);
    EXPECT_EQ(e.document.store.modelTriangles[1].v[1].y, 18.0); // not selected: untouched
    dispatchCommand(e, command_id::kPopupMirrorLeftRight);
    for (std::size_t k = 0; k < 3; ++k) {
        EXPECT_NEAR(e.document.store.viewTriangles[0].v[k].y, before.v[k].y, 1e-9);
        EXPECT_NEAR(e.document.store.viewTriangles[0].v[k].z, before.v[k].z, 1e-9);
    }
    EXPECT_EQ(e.undoDepth(), 2);
    EXPECT_EQ(e.document.selection.count(), 3); // the selection stays

    dispatchCommand(e,
                    command_id::kPopupMirrorFrontBack); // depth: a flat triangle turns to face away
    EXPECT_LT(e.document.store.viewTriangles[0].normal.x * before.normal.x, 0.0);
}

} // namespace
} // namespace fcw
