#include "editor/display_commands.h"

#include "editor/editor.h"
#include "editor/frame_step.h"

namespace fcw {

void setFrameMode(Editor& editor, int mode) {
    editor.view.frameMode = static_cast<std::int8_t>(mode);
    settleDepthDisplay(editor);
    editor.repaint();
}

void setGridInFront(Editor& editor, bool inFront) {
    editor.view.gridInFront = inFront;
    editor.repaint();
}

} // namespace fcw
