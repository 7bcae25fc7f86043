#include "editor/commands/mesh_commands.h"

#include "editor/dialogs/palette_dialog.h"
#include "editor/dialogs/transform_dialogs.h"
#include "editor/editor.h"
#include "editor/interface_text.h"
#include "editor/tools/operation.h"
#include "ops/cleanup.h"
#include "ops/subdivision.h"

#include <cstdio>

namespace fcw {

namespace {

// The merge shows its progress only for a selection this large.
constexpr int kMergeProgressFrom = 500;

void endSelection(Editor& e) {
    e.document.selection.clear(e.document.store);
    clearToolPhases(e);
}

void runSelectionSplit(Editor& e, SelectionSplit kind) {
    abandonDrawing(e);
    e.takeSnapshot();
    const SplitOutcome outcome =
        splitSelection(e.document.store, e.document.selection, kind, e.pane().camera);
    e.countEdit();
    if (outcome == SplitOutcome::StoppedAtCapacity) {
        showTooManyPolygons(e);
        return;
    }
    clearToolPhases(e);
    e.repaint();
}

void splitPicked(Editor& e, PickedSplit kind) {
    abandonDrawing(e);
    e.takeSnapshot();
    switch (splitTriangle(e.document.store, e.session.interaction.pickedTriangle, kind,
                          e.pane().camera)) {
    case SplitOutcome::Done:
        e.countEdit();
        break;
    case SplitOutcome::StoppedAtCapacity:
        showTooManyPolygons(e);
        break;
    case SplitOutcome::NotLive:
        break;
    }
    e.repaint();
}

} // namespace

void roundSelectedVertices(Editor& e) {
    e.takeSnapshot();
    roundSelectedVertices(e.document.store, e.document.selection, e.pane().camera);
    e.repaint();
    e.countEdit();
}

void mergeSelectedVertices(Editor& e) {
    e.takeSnapshot();
    const Rect& client = e.pane().camera.clientRect;
    const PixelPoint progressAt{(client.right - client.left) / 2 - 100,
                                (client.bottom - client.top) / 2 - 10};
    MergeProgress progress;
    if (e.document.selection.count() >= kMergeProgressFrom) {
        const std::string pattern =
            e.host.translate(text_context::kStatus, FCW_TR_NOOP("Status", "頂点の処理状況；%1/%2"));
        progress = [&e, pattern, progressAt](int done, int total) {
            e.host.showProgressText(fillIn(pattern, {std::to_string(done), std::to_string(total)}),
                                    progressAt);
        };
    }
    mergeSelectedVertices(e.document.store, e.document.selection, e.pane().camera, progress);
    e.repaint();
    e.countEdit();
}

void deleteLineTriangles(Editor& e) {
    abandonDrawing(e);
    e.takeSnapshot();
    deleteLineTriangles(e.document.store, e.document.selection, e.pane().camera);
    endSelection(e);
    e.countEdit();
    e.repaint();
}

void reverseSelection(Editor& e) {
    abandonDrawing(e);
    e.takeSnapshot();
    reverseSelection(e.document.store, e.document.selection);
    e.countEdit();
    endSelection(e);
    e.repaint();
}

void paintSelection(Editor& e) {
    abandonDrawing(e);
    e.takeSnapshot();
    choosePaintColour(e); // a closed palette keeps the current colour
    paintSelection(e.document.store, e.document.selection, e.session.interaction.currentColour);
    e.countEdit();
    endSelection(e);
    e.repaint();
}

void selectAll(Editor& e) {
    abandonDrawing(e);
    if (e.document.store.lastIndex < 0) {
        return;
    }
    e.session.interaction.toolMode = ToolMode::RangeMove;
    if (rubberBandShown(e) || selectionDragged(e)) {
        return;
    }
    selectAll(e.document.store, e.document.selection);
    showSelection(e);
}

void mirrorSelection(Editor& e, MirrorAxis axis) {
    e.takeSnapshot();
    mirrorSelection(e.document.store, e.document.selection, axis, e.pane().camera);
    e.countEdit();
    e.repaint();
}

void rotateSelection(Editor& e, RotateKind kind) {
    RotateDialog dialog;
    if (!e.host.runDialog(dialog)) {
        return;
    }
    e.takeSnapshot();
    rotateSelection(e.document.store, e.document.selection, kind, dialog.angleRadians(),
                    e.pane().camera);
    e.countEdit();
    e.repaint();
}

void scaleSelection(Editor& e, ScaleKind kind) {
    ScaleDialog dialog;
    if (!e.host.runDialog(dialog)) {
        return;
    }
    e.takeSnapshot();
    const ScaleFactors factors{dialog.factor(ScaleDialog::kDepth),
                               dialog.factor(ScaleDialog::kHorizontal),
                               dialog.factor(ScaleDialog::kVertical)};
    scaleSelection(e.document.store, e.document.selection, kind, factors, e.pane().camera);
    e.countEdit();
    e.repaint();
}

bool hasEdgeSelectedTriangle(const Editor& e) {
    return hasEdgeSelectedTriangle(e.document.store, e.document.selection);
}

void splitSelectionInFour(Editor& e) {
    runSelectionSplit(e, SelectionSplit::InFour);
}

void splitSelectionInThree(Editor& e) {
    runSelectionSplit(e, SelectionSplit::InThree);
}

void splitSelectionInTwo(Editor& e) {
    runSelectionSplit(e, SelectionSplit::InTwo);
}

void splitSelectionFourAndTwo(Editor& e) {
    runSelectionSplit(e, SelectionSplit::FourAndTwo);
}

void splitPickedInFour(Editor& e) {
    splitPicked(e, PickedSplit::InFour);
}

void splitPickedInThree(Editor& e) {
    splitPicked(e, PickedSplit::InThree);
}

} // namespace fcw
