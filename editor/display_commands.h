#pragma once

#include <cstddef>

namespace fcw {

class Editor;

// The display commands: edge style (0 outline, 1 coloured outline, 2 filled with edges,
// 3 filled) and grid placement. Both repaint.
void setFrameMode(Editor& editor, int mode);
void setGridInFront(Editor& editor, bool inFront);

// "4画面": the quad layout, or back to the single one. Repaints.
void toggleQuadLayout(Editor& editor);
// "正面", "右側面", "上面", "自由視点": makes that pane (a pane_index) active. Repaints.
void activatePane(Editor& editor, std::size_t index);

} // namespace fcw
