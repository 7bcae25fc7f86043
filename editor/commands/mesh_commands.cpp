#include "editor/commands/mesh_commands.h"

#include "editor/dialogs/palette_dialog.h"
#include "editor/dialogs/transform_dialogs.h"
#include "editor/edit_transaction.h"
#include "editor/editor.h"
#include "editor/interface_text.h"
#include "editor/tools/operation.h"
#include "ops/cleanup.h"
#include "ops/selection_walk.h"
#include "ops/subdivision.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace fcw {

namespace {

// The merge shows its progress only for a selection this large.
constexpr int kMergeProgressFrom = 500;

void endSelection(Editor& e) {
    e.document.selection.clear(e.document.store);
    clearToolPhases(e);
}

// A split that stops at the triangle limit keeps what it split so far, as a counted edit.
void runSelectionSplit(Editor& e, SelectionSplit kind) {
    EditTransaction edit(e);
    edit.goAhead();
    const SplitOutcome outcome =
        splitSelection(e.document.store, e.document.selection, kind, e.pane().camera);
    edit.commit();
    if (outcome == SplitOutcome::StoppedAtCapacity) {
        showTooManyPolygons(e);
        return;
    }
    clearToolPhases(e);
    e.repaint();
}

// A split the triangle limit refuses changes nothing and costs no undo step.
void splitPicked(Editor& e, PickedSplit kind) {
    EditTransaction edit(e);
    const int picked = e.session.interaction.pickedTriangle;
    switch (pickedSplitOutcome(e.document.store, picked, kind)) {
    case SplitOutcome::Done:
        edit.goAhead();
        splitTriangle(e.document.store, picked, kind, e.pane().camera);
        edit.commit();
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
    runEdit(
        e, [&] { roundSelectedVertices(e.document.store, e.document.selection, e.pane().camera); });
    e.repaint();
}

void mergeSelectedVertices(Editor& e) {
    EditTransaction edit(e);
    edit.goAhead();
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
    edit.commit();
    e.repaint();
}

void deleteLineTriangles(Editor& e) {
    runEdit(e,
            [&] { deleteLineTriangles(e.document.store, e.document.selection, e.pane().camera); });
    endSelection(e);
    e.repaint();
}

void reverseSelection(Editor& e) {
    runEdit(e, [&] { reverseSelection(e.document.store, e.document.selection); });
    endSelection(e);
    e.repaint();
}

void paintSelection(Editor& e) {
    runEdit(e, [&] {
        choosePaintColour(e); // a closed palette keeps the current colour
        paintSelection(e.document.store, e.document.selection, e.session.interaction.currentColour);
    });
    endSelection(e);
    e.repaint();
}

void selectAll(Editor& e) {
    abandonDrawing(e);
    if (e.document.store.lastIndex < 0) {
        return;
    }
    activateRangeTool(e);
    if (rubberBandShown(e) || selectionDragged(e)) {
        return;
    }
    selectAll(e.document.store, e.document.selection);
    showSelection(e);
}

void mirrorSelection(Editor& e, MirrorAxis axis) {
    runEdit(
        e, [&] { mirrorSelection(e.document.store, e.document.selection, axis, e.pane().camera); });
    e.repaint();
}

void rotateSelection(Editor& e, RotateKind kind) {
    EditTransaction edit(e);
    RotateDialog dialog;
    if (!e.host.runDialog(dialog)) {
        return;
    }
    edit.goAhead();
    rotateSelection(e.document.store, e.document.selection, kind, dialog.angleRadians(),
                    e.pane().camera);
    edit.commit();
    e.repaint();
}

void scaleSelection(Editor& e, ScaleKind kind) {
    EditTransaction edit(e);
    ScaleDialog dialog;
    if (!e.host.runDialog(dialog)) {
        return;
    }
    edit.goAhead();
    const ScaleFactors factors{dialog.factor(ScaleDialog::kDepth),
                               dialog.factor(ScaleDialog::kHorizontal),
                               dialog.factor(ScaleDialog::kVertical)};
    scaleSelection(e.document.store, e.document.selection, kind, factors, e.pane().camera);
    edit.commit();
    e.repaint();
}

void orientParts(Editor& e, Facing facing) {
    EditTransaction edit(e);
    MeshStore& store = e.document.store;
    std::vector<int> scope;
    if (e.document.selection.empty()) {
        for (int t = 0; t <= std::min<int>(store.lastIndex, kTriangleSlots - 1); ++t) {
            scope.push_back(t);
        }
    } else {
        forEachWholeTriangle(e.document.selection, [&](int t) {
            scope.push_back(t);
            return true;
        });
    }
    const OrientPlan plan = planOrientation(store, scope, facing);
    if (!plan.toTurn.empty()) {
        edit.goAhead();
        turnTriangles(store, plan.toTurn);
        edit.commit(EditRefresh::ModelToView);
    }
    constexpr char kOriented[] = FCW_TR_NOOP(
        "Status", "%1 個の三角形の向きを変えました。揃えられない部分 %2 個はそのままです");
    e.host.showStatusMessage(
        fillIn(e.host.translate(text_context::kStatus, kOriented),
               {std::to_string(plan.toTurn.size()), std::to_string(plan.leftAlone)}));
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
