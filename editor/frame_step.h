#pragma once

#include "render/scene_frame.h"

#include <vector>

namespace fcw {

class Editor;

// The step run before every paint of the view, by the window, the print path, the batch player
// and the benchmarks alike. It updates the state that handlers rely on between paints: the
// origin's window position (the only place it is recomputed), CentreBox, the back-to-front
// drawOrder, the status box's rectangle (which the pointer dodges), the shaded colours and the
// depth-display fall-back. It asks the host for the Shift key once. It returns what the paint
// draws; the frame views the store's view list and drawOrder, so it is stale after the next
// edit. Running it twice on the same state changes nothing the second time.
SceneFrame stepFrame(Editor& editor);

// Sorts the editor's drawOrder by the store's depth keys. While a tool other than drawing or
// sphere has an operation under way, the free slot after the last triangle is included too.
void sortByDepth(Editor& editor);

// The last drawOrder position a pick looks at: the sorted range (which may hold the free slot
// after the last triangle), or the whole model when it grew since the last sort.
int drawOrderScanLast(const Editor& editor);

// The status box's text lines: triangle count, both view angles in degrees, the colour label
// and the pointer position (up and away from the viewer positive).
std::vector<StatusLine> statusLines(const Editor& editor);

// The status box: 390 x 100 pixels in the top-left corner, or in the bottom-right one when
// statusCorner is 4.
Rect statusBoxRectFor(const Editor& editor);

} // namespace fcw
