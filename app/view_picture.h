#pragma once

#include "editor/editor.h"
#include "editor/view/frame_step.h"
#include "render/qt_canvas.h"

#include <array>

#include <memory>
#include <vector>

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
    // The panes of `order` (the active one last) prepared and painted one after the other.
    void paintInTurn(Editor& editor, const std::vector<std::size_t>& order, double ratio);
    // The same at ratio 1 with the panes tiling the view, on two threads.
    void paintTogether(Editor& editor, const std::vector<std::size_t>& order);
    // The surface over `area` of the view's picture for a pane, kept (with its text cache)
    // while the picture and the area stay as they are.
    QtCanvas& paneSurface(std::size_t pane, const Rect& area);

    struct PaneSurface {
        std::unique_ptr<QtCanvas> canvas;
        const uchar* pixels = nullptr;
        Rect area{};
    };

    QtCanvas canvas_{1, 1};
    std::array<PaneSurface, pane_index::kCount> surfaces_;
    // The model turned by each pane's camera while it is not the active one.
    std::array<TurnedModel, pane_index::kCount> turned_;
};

} // namespace fcw
