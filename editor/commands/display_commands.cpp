#include "editor/commands/display_commands.h"

#include "editor/editor.h"
#include "editor/view/frame_step.h"
#include "editor/view/panes.h"

namespace fcw {

void setFrameMode(Editor& editor, FrameMode mode) {
    editor.session.view.frameMode = mode;
    settleDepthDisplay(editor);
    editor.repaint();
}

void setGridInFront(Editor& editor, bool inFront) {
    editor.session.view.gridInFront = inFront;
    editor.repaint();
}

void toggleQuadLayout(Editor& editor) {
    setPaneLayout(editor, editor.session.paneLayout == PaneLayout::Quad ? PaneLayout::Single
                                                                        : PaneLayout::Quad);
    editor.repaint();
}

void activatePane(Editor& editor, std::size_t index) {
    setActivePane(editor, index);
    editor.repaint();
}

} // namespace fcw
