#pragma once

#include "editor/batch/headless_host.h"
#include "editor/editor.h"

#include <functional>
#include <iosfwd>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace fcw {

// Paints the view as the window does: the frame step, then the pixels.
using PaintView = std::function<void(Editor&)>;

// The median and the minimum of some durations in milliseconds (the median of an even count
// is the mean of the middle two). Both 0 for none.
struct Timing {
    double medianMs = 0;
    double minMs = 0;
};
Timing summarise(std::vector<double> millis);

// The batch verb "bench paint N" / "bench drag N" (words include "bench"). Prints one line
// "bench KIND n=N median_ms=X min_ms=Y"; returns a problem text for bad words or when the
// state does not allow the run. While it runs, every repaint paints with `paint`.
//   paint: N full repaints of the current view and state.
//   drag:  with a selection shown in the range tool, presses in the centre box, makes N moves
//          of one pixel to the right (each repaints as the window does) and releases; the
//          selection ends up moved by N pixels, one undoable edit. Times each move event.
std::optional<std::string> runBench(Editor& editor, HeadlessHost& host, std::ostream& out,
                                    const PaintView& paint, std::span<const std::string> words);

} // namespace fcw
