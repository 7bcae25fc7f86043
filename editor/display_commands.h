#pragma once

namespace fcw {

class Editor;

// The display commands: edge style (0 outline, 1 coloured outline, 2 filled with edges,
// 3 filled) and grid placement. Both repaint.
void setFrameMode(Editor& editor, int mode);
void setGridInFront(Editor& editor, bool inFront);

} // namespace fcw
