#include "editor/commands/commands.h"
#include "interact/snap.h"
#include "test_host.h"

#include <gtest/gtest.h>

namespace fcw {
namespace {

using testing::appendTriangle;
using testing::FakeHost;

Camera cameraAt(double centreX, double centreY, double zoom = 1.0) {
    Camera c;
    c.zoom = zoom;
    c.centreX = centreX;
    c.centreY = centreY;
    return c;
}

SnapSettings gridOn() {
    SnapSettings s;
    s.gridSnap[3] = true;
    return s;
}

TEST(Snap, ClickToGridLandsOnTheNearestIntersection) {
    ViewOptions view;
    view.grid = GridSpacing::Ten;
    const Camera c = cameraAt(400, 300);
    const auto a = snapClickToGrid(c, view, {414, 306});
    ASSERT_TRUE(a);
    EXPECT_DOUBLE_EQ(a->y, 10.0);
    EXPECT_DOUBLE_EQ(a->z, 10.0);
    const auto b = snapClickToGrid(c, view, {415, 305}); // exactly half goes up
    EXPECT_DOUBLE_EQ(b->y, 20.0);
    EXPECT_DOUBLE_EQ(b->z, 10.0);
    // Left of the first line within one step of the edge: forward to that line.
    const auto edge = snapClickToGrid(cameraAt(3.5, 0), view, {1, 0});
    EXPECT_DOUBLE_EQ(edge->y, 0.0);

    view.grid = GridSpacing::None;
    EXPECT_FALSE(snapClickToGrid(c, view, {414, 306})); // no spacing flag: no snap
    view.grid = GridSpacing::Five;
    EXPECT_FALSE(snapClickToGrid(cameraAt(400, 300, 1e-7), view, {414, 306})); // step < 4
    view.grid = GridSpacing::Forty;
    EXPECT_DOUBLE_EQ(snapClickToGrid(c, view, {425, 300})->y, 40.0);
}

TEST(Snap, PointRoundingCutsTheCorrectionToWholePixels) {
    ViewOptions view;
    view.grid = GridSpacing::Ten;
    PixelPoint p{414, 306};
    roundPointToGrid(cameraAt(400, 300), view, SnapSettings{}, p);
    EXPECT_EQ(p, (PixelPoint{414, 306})); // no click snaps to the grid: untouched
    roundPointToGrid(cameraAt(400, 300), view, gridOn(), p);
    EXPECT_EQ(p, (PixelPoint{410, 310}));
    PixelPoint negative{-14, -16};
    roundPointToGrid(cameraAt(0, 0), view, gridOn(), negative);
    EXPECT_EQ(negative, (PixelPoint{-10, -20}));
    PixelPoint fractional{13, 0}; // lines at 2.5, 12.5, 22.5: reached within one pixel
    roundPointToGrid(cameraAt(2.5, 0), view, gridOn(), fractional);
    EXPECT_EQ(fractional.x, 13);
}

TEST(Snap, OffsetRoundingUsesMultiplesOfTheStepFromZero) {
    ViewOptions view;
    view.grid = GridSpacing::Five;
    const Camera c = cameraAt(123.4, 56.7);
    PixelPoint d{-7, -8};
    roundOffsetToGrid(c, view, gridOn(), d);
    EXPECT_EQ(d, (PixelPoint{-5, -10}));
    PixelPoint e{7, 13};
    roundOffsetToGrid(c, view, gridOn(), e);
    EXPECT_EQ(e, (PixelPoint{5, 15}));
    view.grid = GridSpacing::None;
    PixelPoint f{-7, 3};
    roundOffsetToGrid(c, view, gridOn(), f);
    EXPECT_EQ(f, (PixelPoint{-7, 3}));
    // Positions far beyond 32-bit micro-pixels still round like near ones.
    view.grid = GridSpacing::Ten;
    PixelPoint far{100004, -100006};
    roundOffsetToGrid(c, view, gridOn(), far);
    EXPECT_EQ(far, (PixelPoint{100000, -100010}));
}

TEST(Snap, VertexSnapPrefersTheDrawingDepthThenTheEarlierVertex) {
    FakeHost host;
    Editor e(host);
    // Two vertices projecting to (10, 20): one at depth 50, one at depth 0.
    appendTriangle(e, {50, 10, 20}, {50, 100, 20}, {50, 10, 100}, 0);
    appendTriangle(e, {0, 10, 20}, {0, 100, 20}, {0, 10, 100}, 0);
    appendTriangle(e, {0, 300, 300}, {0, 301, 300}, {0, 300, 301}, 0); // provisional: ignored
    e.pane().camera = cameraAt(0, 0);
    const ModelPoint near = snapToVertex(e.document.store, e.pane().camera, {0, 11, 19}, {11, 19});
    EXPECT_EQ(near.x, 0.0);
    EXPECT_EQ(near.y, 10.0);
    EXPECT_EQ(near.z, 20.0);
    const ModelPoint deep = snapToVertex(e.document.store, e.pane().camera, {50, 11, 19}, {11, 19});
    EXPECT_EQ(deep.x, 50.0);
    const ModelPoint far =
        snapToVertex(e.document.store, e.pane().camera, {0, 299, 299}, {299, 299});
    EXPECT_EQ(far.y, 100.0); // the provisional triangle is no candidate; no search radius

    e.pane().camera.zoom = 2.0;
    const ModelPoint zoomed =
        snapToVertex(e.document.store, e.pane().camera, {0, 22, 38}, {22, 38});
    EXPECT_EQ(zoomed.y / 2.0, 10.0); // divides back to the vertex exactly

    MeshStore empty;
    const ModelPoint same = snapToVertex(empty, e.pane().camera, {1, 2, 3}, {5, 5});
    EXPECT_EQ(same.z, 3.0);
}

TEST(Snap, PreviewMovesThePointerOntoTheNearestProjectedVertex) {
    FakeHost host;
    Editor e(host);
    appendTriangle(e, {0, 10, 20}, {0, 100, 20}, {0, 10, 100}, 0);
    e.pane().camera = cameraAt(400.7, 300.2);
    PixelPoint p{405, 330};
    previewVertexSnap(e.document.store, e.pane().camera, 0, p);
    EXPECT_EQ(p, (PixelPoint{410, 320}));
    PixelPoint q{405, 330};
    previewVertexSnap(e.document.store, e.pane().camera, 1,
                      q); // slot lastIndex is provisional: no candidate
    EXPECT_EQ(q, (PixelPoint{405, 330}));
}

TEST(Snap, CommandsKeepVertexAndGridExclusivePerPoint) {
    FakeHost host;
    Editor e(host);
    dispatchCommand(e, command_id::kThirdPointVertexSnap); // third point: vertex
    dispatchCommand(e, command_id::kFirstPointVertexSnap); // first point: vertex
    dispatchCommand(
        e, command_id::kThirdPointGridSnap); // third point: grid clears only the third vertex flag
    EXPECT_TRUE(e.session.snap.vertexSnap[1]);
    EXPECT_FALSE(e.session.snap.vertexSnap[3]);
    EXPECT_TRUE(e.session.snap.gridSnap[3]);

    dispatchCommand(
        e, command_id::kAllVertexSnap); // all vertex: not all on, so all on and grid cleared
    EXPECT_TRUE(allVertexSnap(e.session.snap));
    EXPECT_FALSE(e.session.snap.gridSnap[3]);
    EXPECT_TRUE(findCommand(command_id::kAllVertexSnap)->isChecked(e));
    dispatchCommand(e, command_id::kAllVertexSnap);
    EXPECT_FALSE(e.session.snap.vertexSnap[1]);

    dispatchCommand(e, command_id::kToolbarGridSnap); // toolbar grid search = all grid
    EXPECT_TRUE(allGridSnap(e.session.snap));

    // The toolbar vertex search is greyed in every tool but drawing; the menu item is not.
    dispatchCommand(e, command_id::kToolRangeMove);
    EXPECT_EQ(dispatchCommand(e, command_id::kToolbarVertexSnap), DispatchResult::Disabled);
    EXPECT_EQ(dispatchCommand(e, command_id::kAllVertexSnap), DispatchResult::Done);
}

TEST(Snap, GridSpacingCommandsAreOneExclusiveGroupAndRepaint) {
    FakeHost host;
    Editor e(host);
    dispatchCommand(e, command_id::kToolbarGrid5); // toolbar 5
    EXPECT_EQ(e.session.view.grid, GridSpacing::Five);
    dispatchCommand(e, command_id::kGrid40); // menu 40 clears 5
    EXPECT_NE(e.session.view.grid, GridSpacing::Five);
    EXPECT_TRUE(findCommand(command_id::kToolbarGrid40)->isChecked(e));
    EXPECT_EQ(e.session.view.gridUnits(), 40);
    dispatchCommand(e, command_id::kToolbarGrid40); // same spacing again turns the grid off
    EXPECT_EQ(e.session.view.gridUnits(), 0);
    EXPECT_EQ(host.repaints, 3);
}

} // namespace
} // namespace fcw
