#include "editor/commands/display_commands.h"

#include "editor/editor.h"

namespace fcw {

void setFrameMode(Editor& editor, FrameMode mode) {
    editor.session.view.frameMode = mode;
    editor.repaint();
}

void setGridInFront(Editor& editor, bool inFront) {
    editor.session.view.gridInFront = inFront;
    editor.repaint();
}

} // namespace fcw
