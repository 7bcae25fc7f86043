#include "editor/display_commands.h"

#include "editor/editor.h"
#include "editor/frame_step.h"
#include "editor/panes.h"

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

void toggleQuadLayout(Editor& editor) {
    setPaneLayout(editor,
                  editor.paneLayout == PaneLayout::Quad ? PaneLayout::Single : PaneLayout::Quad);
    editor.repaint();
}

void activatePane(Editor& editor, std::size_t index) {
    setActivePane(editor, index);
    editor.repaint();
}

} // namespace fcw
