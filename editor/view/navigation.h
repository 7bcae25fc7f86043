#pragma once

#include <cstdint>

namespace fcw {

class Editor;

// Sets the zoom to an absolute level (commands "÷１０" … "×１０") and repaints.
void setZoomLevel(Editor& editor, double zoom);

// "原点に戻す": drawing depth, origin offsets and both angles back to 0 (the zoom stays),
// the view list rebuilt for the front view, then a repaint.
void resetOrigin(Editor& editor);

// The mouse wheel: 0.1 zoom per notch of 120 (away from the user zooms in), kept within
// 0.2 .. 10. A shown selection's rectangle is rescaled about the window centre (and snapped
// to the grid when clicks snap to it) so it keeps framing the same vertices. Repaints.
void wheelZoom(Editor& editor, int wheelDelta);

// The view's client area became width x height pixels. Keeps GrabBox at its offset from the
// window centre. Does not repaint: the paint that follows a resize does.
void resizeView(Editor& editor, std::int32_t width, std::int32_t height);

} // namespace fcw
