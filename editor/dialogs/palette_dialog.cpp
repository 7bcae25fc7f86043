#include "editor/dialogs/palette_dialog.h"

#include "editor/editor.h"
#include "render/palette.h"

namespace fcw {

bool PaletteDialog::clickAt(int x, int y) {
    chosen_ = paletteColourAt({x, y});
    return chosen_.has_value();
}

bool choosePaintColour(Editor& editor) {
    PaletteDialog dialog;
    if (!editor.host.runDialog(dialog) || !dialog.chosen()) {
        return false;
    }
    editor.session.interaction.currentColour = *dialog.chosen();
    return true;
}

void showPaletteAndPaint(Editor& editor) {
    choosePaintColour(editor);
    selectPaintTool(editor);
}

} // namespace fcw
