#pragma once

namespace fcw {

class Editor;

enum class MirrorAxis { Horizontal, Vertical, Depth };

// Reflects the whole-selected triangles in place across the screen plane through the mean of
// their centroids (left-right, up-down or front-back as currently shown), turning each one's
// winding so its normal keeps to the same side of the surface. One undo step; the selection
// stays.
void mirrorSelection(Editor& editor, MirrorAxis axis);

} // namespace fcw
