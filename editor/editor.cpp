#include "editor/editor.h"

#include "editor/interface_text.h"
#include "editor/symmetry.h"

#include <algorithm>

namespace fcw {

std::string Document::displayName() const {
    if (path.empty()) {
        return kUntitledName;
    }
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

void Editor::takeSnapshot() {
    // The slot a half-drawn triangle or a sphere's rectangle holds is not part of the model:
    // an undo must not bring it back as a finished triangle.
    const int held = provisionalSlot(*this);
    const MeshStore& store = document.store;
    document.undo.takeSnapshot(store, held >= 0 ? store.lastIndex - 1 : store.lastIndex);
}

void Editor::countEdit() {
    document.undo.countEdit();
    setModified(true);
}

void Editor::countSettingChange() {
    ++document.settingChanges;
    setModified(true);
}

void Editor::setModified(bool modified) {
    if (document.modified != modified) {
        document.modified = modified;
        host.documentStateChanged();
    }
}

void replaceModel(Editor& editor, const std::vector<TriangleCore>& triangles) {
    clearToolPhases(editor);
    MeshStore& store = editor.document.store;
    // A new model has no selection; marks left in the slots by the previous one would
    // otherwise come back with the next Shift+rubber band.
    editor.document.selection.clear(store);
    const std::size_t count = std::min<std::size_t>(triangles.size(), kTriangleSlots);
    store.lastIndex = static_cast<std::int16_t>(static_cast<int>(count) - 1);
    for (std::size_t i = 0; i < count; ++i) {
        Triangle& model = store.modelTriangles[i];
        Triangle& view = store.viewTriangles[i];
        model.assign(triangles[i]);
        model.computePolar();
        model.computeNormal();
        view.assign(model);
        view.computePolar();
        view.computeNormal();
    }
    editor.refreshModelToView();
    editor.document.symmetry.modelReplaced = true;
}

namespace {

// What Undo and Redo share: the model replaced by `restore`, then the same follow-up.
void stepHistory(Editor& editor, bool (UndoHistory::*restore)(MeshStore&)) {
    endOperation(editor);
    abandonOperation(editor);
    if (!(editor.document.undo.*restore)(editor.document.store)) {
        return;
    }
    editor.setModified(true);
    // The restored model may hold other triangles in the selected slots: the selection ends,
    // so no later command touches a triangle the user did not choose.
    editor.document.selection.clear(editor.document.store);
    if (editor.document.store.lastIndex >= 0) {
        editor.refreshModelToView();
    }
    resetSymmetryReference(editor);
}

} // namespace

void undoLast(Editor& editor) {
    stepHistory(editor, &UndoHistory::restoreLast);
}

void redoNext(Editor& editor) {
    stepHistory(editor, &UndoHistory::restoreNext);
}

void showTooManyPolygons(Editor& editor) {
    editor.host.beep();
    Dialog warning(kTooManyPolygonsDialog);
    editor.host.runDialog(warning);
}

std::string shownDocumentName(const Editor& editor) {
    return editor.document.path.empty()
               ? editor.host.translate(text_context::kMessage, kUntitledName)
               : editor.document.displayName();
}

} // namespace fcw
