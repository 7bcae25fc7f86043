#include "app/editor.h"

namespace fcw {

std::string DocumentState::displayName() const {
    if (path.empty()) {
        return kUntitledName;
    }
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

void Editor::takeSnapshot() {
    const ToolMode mode = interaction.toolMode;
    const bool extraSlot = interaction.editPhase != 0 &&
                           (mode == ToolMode::Erase || mode == ToolMode::Paint ||
                            mode == ToolMode::OriginMove || mode == ToolMode::Zoom);
    undo.takeSnapshot(store, extraSlot);
}

void Editor::setModified(bool modified) {
    if (document.modified != modified) {
        document.modified = modified;
        host.documentStateChanged();
    }
}

void undoLast(Editor& editor) {
    InteractionState& state = editor.interaction;
    if (state.editPhase != 0) {
        state.editPhase = 0;
        if (state.toolMode == ToolMode::DrawTriangle && editor.store.lastIndex >= 0) {
            --editor.store.lastIndex;
        }
    }
    if (!editor.undo.restoreLast(editor.store)) {
        return;
    }
    if (editor.store.lastIndex >= 0) {
        editor.refreshModelToView();
    }
}

void showTooManyPolygons(Editor& editor) {
    editor.host.beep();
    Dialog warning(kTooManyPolygonsDialog);
    editor.host.runDialog(warning);
}

} // namespace fcw
