#pragma once

#include "render/view_options.h"

namespace fcw {

class Editor;

// The display commands: edge style and grid placement. Both repaint.
void setFrameMode(Editor& editor, FrameMode mode);
void setGridInFront(Editor& editor, bool inFront);

} // namespace fcw
