#pragma once

#include "render/view_options.h"

#include <cstddef>

namespace fcw {

class Editor;

// The display commands: edge style and grid placement. Both repaint.
void setFrameMode(Editor& editor, FrameMode mode);
void setGridInFront(Editor& editor, bool inFront);

// "4画面": the quad layout, or back to the single one. Repaints.
void toggleQuadLayout(Editor& editor);
// "正面", "右側面", "上面", "自由視点": makes that pane (a pane_index) active. Repaints.
void activatePane(Editor& editor, std::size_t index);

} // namespace fcw
