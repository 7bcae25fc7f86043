#pragma once

#include "editor/editor.h"
#include "render/qt_canvas.h"

#include <memory>

namespace fcw {

// Paints the whole view into one picture `ratio` device pixels per window pixel. The single
// layout is the active pane's frame (stepDeviceFrame) alone; the quad paints every pane into
// its place with the same painter and marks each pane's edges with a thin frame, the active
// pane's in another colour. A pane too small to hold a pixel is left out.
class ViewPicture {
  public:
    // Paints into canvas(), resized to the view's device size (at least 1 x 1).
    void paint(Editor& editor, double ratio);
    QtCanvas& canvas() { return canvas_; }

  private:
    void paintQuad(Editor& editor, double ratio);

    QtCanvas canvas_{1, 1};
    QtCanvas paneCanvas_{1, 1};
    // The model turned by a pane's camera other than the active one.
    std::unique_ptr<MeshStore> scratch_;
};

} // namespace fcw
