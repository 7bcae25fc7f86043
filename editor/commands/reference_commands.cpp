#include "editor/commands/reference_commands.h"

#include "editor/dialogs/reference_dialog.h"
#include "editor/editor.h"
#include "editor/interface_text.h"
#include "editor/view/panes.h"

namespace fcw {

namespace {

ReferenceImage* activeReference(Editor& editor) {
    const auto slot = activeReferenceSlot(editor);
    return slot ? &editor.document.references[*slot] : nullptr;
}

} // namespace

void loadReferenceCommand(Editor& editor) {
    const Host& host = editor.host;
    FileDialogRequest request;
    request.title = host.translate(text_context::kFiles, FCW_TR_NOOP("Files", "下絵を読み込む"));
    request.filters = {
        host.translate(
            text_context::kFiles,
            FCW_TR_NOOP("Files", "下絵の画像(*.png *.jpg *.jpeg *.bmp *.gif *.webp *.tif *.tiff)")),
        host.translate(text_context::kFiles, FCW_TR_NOOP("Files", "全て(*.*)"))};
    const auto slot = activeReferenceSlot(editor);
    if (slot && editor.document.references[*slot].inUse) {
        request.initialPath = editor.document.references[*slot].path;
    }
    const auto choice = editor.host.chooseOpenFile(request);
    if (!choice || choice->path.empty()) {
        return;
    }
    const std::size_t target = slot.value_or(static_cast<std::size_t>(ReferenceDirection::Front));
    if (loadReferenceImage(editor, target, choice->path) && !slot) {
        setActivePane(editor, pane_index::kFront); // so that the user sees it
    }
    editor.repaint();
}

void referenceSettingsCommand(Editor& editor) {
    ReferenceImage* r = activeReference(editor);
    if (r == nullptr || !r->inUse) {
        return;
    }
    ReferenceDialog dialog(r->settings);
    if (!editor.host.runDialog(dialog)) {
        return;
    }
    const ReferenceSettings s = dialog.settings();
    if (!(s == r->settings)) {
        r->settings = s;
        editor.countSettingChange();
    }
    editor.repaint();
}

void removeReferenceCommand(Editor& editor) {
    if (const auto slot = activeReferenceSlot(editor)) {
        removeReferenceImage(editor, *slot);
        editor.repaint();
    }
}

bool activePaneHasReference(const Editor& editor) {
    const auto slot = activeReferenceSlot(editor);
    return slot && editor.document.references[*slot].inUse;
}

bool dragReference(Editor& editor, PixelPoint p) {
    ReferenceImage* r = activeReference(editor);
    if (r == nullptr || !r->loaded() || !r->settings.shown || r->settings.locked) {
        return false;
    }
    InteractionState& s = editor.session.interaction;
    if (editor.session.tools.middlePan.fresh) {
        s.dragLast = p;
    }
    editor.session.tools.middlePan.fresh = false;
    const double zoom = editor.pane().camera.zoom;
    const std::int32_t dx = p.x - s.dragLast.x;
    const std::int32_t dy = p.y - s.dragLast.y;
    s.dragLast = p;
    if (dx != 0 || dy != 0) {
        r->settings.across += dx / zoom;
        r->settings.up -= dy / zoom;
        editor.countSettingChange();
    }
    return true;
}

} // namespace fcw
