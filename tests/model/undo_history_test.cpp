#include "editor/editor.h"
#include "test_host.h"

#include <gtest/gtest.h>

namespace fcw {
namespace {

using testing::appendTriangle;
using testing::FakeHost;

// One counted edit: snapshot, then append a triangle whose colour tells the edits apart.
void edit(Editor& e, Colour tag) {
    e.takeSnapshot();
    appendTriangle(e, {0, 0, 0}, {0, 10, 0}, {0, 0, 10}, tag);
    e.countEdit();
}

TEST(Undo, ElevenEditsKeepTheLastTenSteps) {
    FakeHost host;
    Editor e(host);
    for (Colour c = 1; c <= 11; ++c) {
        edit(e, c);
    }
    EXPECT_EQ(e.undoDepth(), 10);
    for (int expectedCount = 10; expectedCount >= 1; --expectedCount) {
        undoLast(e);
        EXPECT_EQ(e.document.store.count(), expectedCount);
        EXPECT_EQ(
            e.document.store.modelTriangles[static_cast<std::size_t>(expectedCount - 1)].colour,
            static_cast<Colour>(expectedCount));
        EXPECT_EQ(
            e.document.store.viewTriangles[static_cast<std::size_t>(expectedCount - 1)].colour,
            static_cast<Colour>(expectedCount));
    }
    // The state before edit 1 (empty) was pushed out; the eleventh undo does nothing.
    EXPECT_EQ(e.undoDepth(), 0);
    undoLast(e);
    EXPECT_EQ(e.document.store.count(), 1);
}

TEST(Undo, RestoresCoordinatesAndRefreshesTheView) {
    FakeHost host;
    Editor e(host);
    e.pane().camera.verticalAxisAngle = 0.5;
    edit(e, 7);
    e.takeSnapshot();
    e.document.store.modelTriangles[0].setVertex(1, Point3(5, 6, 7));
    e.document.store.modelTriangles[0].computePolar();
    e.document.store.modelTriangles[0].computeNormal();
    e.refreshModelToView();
    e.countEdit();
    undoLast(e);
    EXPECT_EQ(e.document.store.modelTriangles[0].v[1].y, 10.0);
    Editor fresh(host);
    fresh.pane().camera.verticalAxisAngle = 0.5;
    appendTriangle(fresh, {0, 0, 0}, {0, 10, 0}, {0, 0, 10}, 7);
    EXPECT_EQ(e.document.store.viewTriangles[0].v[1].x,
              fresh.document.store.viewTriangles[0].v[1].x);
}

TEST(Undo, RestoredTrianglesHaveTheirNormalRecomputed) {
    // The restored coordinates differ from what the slot held before: its normal and plane
    // must follow them, not stay those of the undone edit.
    FakeHost host;
    Editor e(host);
    edit(e, 7);
    e.takeSnapshot();
    Triangle& t = e.document.store.modelTriangles[0];
    t.setVertex(2, Point3(-40, 3, 9));
    t.computePolar();
    t.computeNormal();
    e.refreshModelToView();
    e.countEdit();
    undoLast(e);
    Triangle fresh = e.document.store.modelTriangles[0];
    fresh.computeNormal();
    EXPECT_EQ(e.document.store.modelTriangles[0].normal.x, fresh.normal.x);
    EXPECT_EQ(e.document.store.modelTriangles[0].normal.y, fresh.normal.y);
    EXPECT_EQ(e.document.store.modelTriangles[0].normal.z, fresh.normal.z);
    EXPECT_EQ(e.document.store.modelTriangles[0].planeD, fresh.planeD);
    EXPECT_EQ(e.document.store.modelTriangles[0].inverseNormalX, fresh.inverseNormalX);
}

TEST(Undo, AnEditWhileDrawingIsUndoneWithoutTheHalfDrawnTriangle) {
    FakeHost host;
    Editor e(host);
    edit(e, 1);
    // A second triangle begun: its provisional slot is not part of the model.
    e.session.interaction.toolMode = ToolMode::DrawTriangle;
    e.session.tools.drawing.phase = DrawPhase::OneVertex;
    ++e.document.store.lastIndex;
    e.takeSnapshot(); // an edit command now, say a rounding of an older selection
    e.countEdit();
    undoLast(e);
    EXPECT_EQ(e.document.store.lastIndex, 0);
    EXPECT_EQ(editPhaseNumber(e), 0);
}

TEST(Undo, EndsTheSelectionAndClearsEveryMark) {
    // The restored model may hold other triangles in the selected slots; a selection that
    // survived would let the next command touch a triangle the user never chose.
    FakeHost host;
    Editor e(host);
    edit(e, 1);
    edit(e, 2);
    e.document.selection.selectTriangles(e.document.store, 0, 1);
    undoLast(e); // triangle 1 is gone again
    ASSERT_EQ(e.document.store.lastIndex, 0);
    EXPECT_TRUE(e.document.selection.empty());
    for (int t = 0; t < kTriangleSlots; ++t) {
        for (std::size_t k = 0; k < 3; ++k) {
            ASSERT_EQ(e.document.store.modelTriangles[static_cast<std::size_t>(t)].v[k].selected, 0)
                << t;
            ASSERT_EQ(e.document.store.viewTriangles[static_cast<std::size_t>(t)].v[k].selected, 0)
                << t;
        }
    }
}

TEST(Undo, DropsTheProvisionalTriangleAndUndoesThePreviousEdit) {
    FakeHost host;
    Editor e(host);
    edit(e, 1);
    edit(e, 2);
    // One point of a third triangle placed: provisional slot at lastIndex.
    e.takeSnapshot();
    ++e.document.store.lastIndex;
    e.session.tools.drawing.phase = DrawPhase::OneVertex;
    undoLast(e);
    EXPECT_EQ(editPhaseNumber(e), 0);
    EXPECT_EQ(e.document.store.count(), 1);
    EXPECT_EQ(e.undoDepth(), 1);
}

TEST(Undo, EmptySnapshotEmptiesTheModel) {
    FakeHost host;
    Editor e(host);
    edit(e, 1);
    undoLast(e);
    EXPECT_EQ(e.document.store.lastIndex, -1);
}

TEST(Undo, RefusedEditIsNotCounted) {
    FakeHost host;
    Editor e(host);
    edit(e, 1);
    e.takeSnapshot(); // an operation that is then refused: no count
    appendTriangle(e, {0, 0, 0}, {1, 0, 0}, {0, 1, 0}, 99);
    e.document.store.lastIndex = 0;
    undoLast(e);
    EXPECT_EQ(e.document.store.lastIndex, -1); // back before edit 1, not before the refused one
}

TEST(Undo, SnapshotsSaveTheModelAndNoSlotPastIt) {
    FakeHost host;
    Editor e(host);
    edit(e, 1);
    e.document.store.modelTriangles[1].setColour(55); // whatever the free slot holds
    // A held Paint button is no reason to save the free slot: undoing the stroke must not
    // bring it back as a triangle.
    e.session.interaction.toolMode = ToolMode::Paint;
    e.session.tools.paint.phase = HoldPhase::Held;
    e.takeSnapshot();
    EXPECT_EQ(e.document.undo.counts[1], 0);
    e.countEdit();
    undoLast(e);
    EXPECT_EQ(e.document.store.lastIndex, 0);
    // The drawing tool's last slot (here 0) is the triangle being drawn, which is left out.
    e.session.interaction.toolMode = ToolMode::DrawTriangle;
    e.session.tools.drawing.phase = DrawPhase::OneVertex;
    e.takeSnapshot();
    EXPECT_EQ(e.document.undo.counts[1], -1);
    e.session.tools.drawing.phase = DrawPhase::Idle;
    e.takeSnapshot();
    EXPECT_EQ(e.document.undo.counts[1], 0);
}

TEST(Undo, FullModelSnapshotsRoundTrip) {
    FakeHost host;
    Editor e(host);
    e.document.store.lastIndex = kMaxTriangles - 1;
    for (int i = 0; i < kMaxTriangles; ++i) {
        Triangle& t = e.document.store.modelTriangles[static_cast<std::size_t>(i)];
        t.setVertex(0, Point3(i, 0, 0));
        t.setColour(static_cast<Colour>(i));
        t.computePolar();
    }
    for (int n = 0; n < 12; ++n) {
        e.takeSnapshot();
        e.countEdit();
    }
    e.document.store.lastIndex = 0;
    undoLast(e);
    EXPECT_EQ(e.document.store.lastIndex, kMaxTriangles - 1);
    EXPECT_EQ(e.document.store.modelTriangles[2999].v[0].x, 2999.0);
    EXPECT_EQ(e.document.store.modelTriangles[2999].colour, 2999u);
}

// The colours of the model's triangles, oldest first: which edits the model holds.
std::vector<Colour> coloursOf(const Editor& e) {
    std::vector<Colour> out;
    for (int i = 0; i <= e.document.store.lastIndex; ++i) {
        out.push_back(e.document.store.modelTriangles[static_cast<std::size_t>(i)].colour);
    }
    return out;
}

std::vector<Colour> firstEdits(int n) {
    std::vector<Colour> out;
    for (Colour c = 1; c <= static_cast<Colour>(n); ++c) {
        out.push_back(c);
    }
    return out;
}

TEST(Redo, BringsBackEveryUndoneStepThroughTheHistorysWrapAround) {
    FakeHost host;
    Editor e(host);
    for (Colour c = 1; c <= 13; ++c) { // three past the ten slots: the history has wrapped
        edit(e, c);
    }
    redoNext(e); // nothing undone yet
    EXPECT_EQ(e.document.store.count(), 13);
    EXPECT_EQ(e.redoDepth(), 0);
    for (int n = 12; n >= 3; --n) {
        undoLast(e);
        EXPECT_EQ(coloursOf(e), firstEdits(n));
    }
    EXPECT_EQ(e.undoDepth(), 0);
    EXPECT_EQ(e.redoDepth(), 10);
    undoLast(e); // the oldest reachable state: an eleventh undo changes nothing
    EXPECT_EQ(e.redoDepth(), 10);
    for (int n = 4; n <= 13; ++n) {
        redoNext(e);
        EXPECT_EQ(coloursOf(e), firstEdits(n));
        EXPECT_EQ(e.undoDepth() + e.redoDepth(), 10);
    }
    redoNext(e); // everything redone
    EXPECT_EQ(e.document.store.count(), 13);
    // And back again: the redone steps are undo steps like the edits were.
    for (int n = 12; n >= 3; --n) {
        undoLast(e);
        EXPECT_EQ(coloursOf(e), firstEdits(n));
    }
}

TEST(Redo, ANewCountedEditForgetsWhatWasUndoneButARefusedOneDoesNot) {
    FakeHost host;
    Editor e(host);
    edit(e, 1);
    edit(e, 2);
    undoLast(e);
    e.takeSnapshot(); // refused after the snapshot: not counted, redo stays
    EXPECT_EQ(e.redoDepth(), 1);
    edit(e, 7);
    EXPECT_EQ(e.redoDepth(), 0);
    redoNext(e);
    EXPECT_EQ(coloursOf(e), (std::vector<Colour>{1, 7}));
}

TEST(Redo, MarksTheDocumentModifiedEndsTheSelectionAndRefreshesTheView) {
    FakeHost host;
    Editor e(host);
    e.pane().camera.verticalAxisAngle = 0.5;
    edit(e, 1);
    edit(e, 2);
    undoLast(e);
    e.document.modified = false; // as if saved after the undo
    e.document.selection.selectTriangles(e.document.store, 0, 0);
    const std::uint64_t serial = e.historySerial();
    redoNext(e);
    EXPECT_TRUE(e.document.modified);
    EXPECT_GT(e.historySerial(), serial);
    EXPECT_TRUE(e.document.selection.empty());
    ASSERT_EQ(e.document.store.count(), 2);
    Editor fresh(host);
    fresh.pane().camera.verticalAxisAngle = 0.5;
    appendTriangle(fresh, {0, 0, 0}, {0, 10, 0}, {0, 0, 10}, 2);
    EXPECT_EQ(e.document.store.viewTriangles[1].v[1].x,
              fresh.document.store.viewTriangles[0].v[1].x);
    EXPECT_EQ(e.document.store.viewTriangles[1].colour, 2u);
}

TEST(Redo, EndsATriangleBeingDrawnFirstAndRedoesTheLastUndo) {
    FakeHost host;
    Editor e(host);
    edit(e, 1);
    edit(e, 2);
    undoLast(e);
    // One point of a new triangle placed: its provisional slot is given back first and is
    // neither redone nor kept as an undo step.
    e.session.interaction.toolMode = ToolMode::DrawTriangle;
    e.session.tools.drawing.phase = DrawPhase::OneVertex;
    ++e.document.store.lastIndex;
    redoNext(e);
    EXPECT_EQ(editPhaseNumber(e), 0);
    EXPECT_EQ(coloursOf(e), (std::vector<Colour>{1, 2}));
    undoLast(e);
    EXPECT_EQ(coloursOf(e), (std::vector<Colour>{1}));
}

TEST(Redo, EmptyModelsOnEitherSide) {
    FakeHost host;
    Editor e(host);
    edit(e, 1);
    undoLast(e); // back to empty
    redoNext(e);
    EXPECT_EQ(coloursOf(e), (std::vector<Colour>{1}));
    undoLast(e);
    EXPECT_EQ(e.document.store.lastIndex, -1);
}

} // namespace
} // namespace fcw
