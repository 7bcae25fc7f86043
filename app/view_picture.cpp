#include "app/view_picture.h"

#include "app/device_frame.h"
#include "editor/view/frame_step.h"
#include "editor/view/panes.h"
#include "model/split_range.h"
#include "render/device_pixels.h"
#include "render/qt_vector_state.h"
#include "render/scene_painter.h"

#include <QPainter>

#include <algorithm>
#include <atomic>

namespace fcw {

namespace {

void resizeCanvas(QtCanvas& canvas, int w, int h) {
    w = std::max(w, 1);
    h = std::max(h, 1);
    if (canvas.width() != w || canvas.height() != h) {
        canvas = QtCanvas(w, h);
    }
}

struct PanePaint {
    SceneFrame frame;
    QtCanvas* surface;
};

// Paints the panes' frames on two threads, each pane whole on one of them (band by band): the
// main thread takes the last, the active pane's (the only one with text, which the toolkit
// draws here), then whichever are left, as the helper does from the first. The picture is the
// same whichever thread paints which pane.
void paintTogether(std::vector<PanePaint>& paints) {
    if (paints.empty()) {
        return;
    }
    const std::size_t active = paints.size() - 1;
    std::atomic<std::size_t> next{0};
    shareWithHelper(active > 0, [&](int worker) {
        if (worker == 0) {
            paintScene(paints[active].frame, *paints[active].surface);
        }
        for (std::size_t k = next++; k < active; k = next++) {
            paintScene(paints[k].frame, *paints[k].surface);
        }
    });
}

const QColor kPaneEdge(160, 160, 160);
const QColor kActivePaneEdge(0, 120, 215);

} // namespace

void ViewPicture::paint(Editor& editor, double ratio) {
    if (editor.session.paneLayout == PaneLayout::Quad) {
        paintQuad(editor, ratio);
        return;
    }
    const SceneFrame frame = stepDeviceFrame(editor, ratio);
    resizeCanvas(canvas_, frame.client.right, frame.client.bottom);
    paintScene(frame, canvas_);
}

void ViewPicture::paintQuad(Editor& editor, double ratio) {
    const PixelPoint size = viewSize(editor);
    const Rect device = deviceClient({0, 0, size.x, size.y}, ratio);
    resizeCanvas(canvas_, device.right, device.bottom);
    // The active pane last, so the depth-buffer renderer is left at its size.
    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < editor.session.panes.size(); ++i) {
        if (i != editor.session.activePane) {
            order.push_back(i);
        }
    }
    order.push_back(editor.session.activePane);
    // At ratio 1 the panes tile the view and each paints its own background; otherwise (and
    // where a pane is too small to paint) the view's white shows between them.
    const bool tiled = ratio == 1.0 && std::all_of(order.begin(), order.end(), [&](std::size_t i) {
                           const Rect& r = editor.session.panes[i].rect();
                           return r.width() > 0 && r.height() > 0;
                       });
    if (!tiled) {
        canvas_.mutableImage().fill(Qt::white);
    }
    // Panes that share no pixel are painted two at a time once every frame is prepared; the
    // depth-buffer display has one renderer, sized and filled for one pane at a time.
    const bool together = tiled && editor.session.view.depthNormalDisplay == 0;
    std::vector<PanePaint> paints;
    for (const std::size_t i : order) {
        Pane& pane = editor.session.panes[i];
        const Rect& r = pane.rect();
        if (r.width() <= 0 || r.height() <= 0) {
            continue;
        }
        const Camera camera = ratio == 1.0 ? pane.camera : deviceCamera(pane.camera, ratio);
        if (editor.services.depthRenderer.width() != camera.clientRect.width() ||
            editor.services.depthRenderer.height() != camera.clientRect.height()) {
            editor.services.depthRenderer.resize(camera.clientRect);
        }
        SceneFrame frame = i == editor.session.activePane
                               ? prepareScaledPaint(editor, pane, camera, ratio)
                               : prepareOtherPanePaint(editor, pane, turned_[i], camera, ratio);
        if (ratio != 1.0) {
            enlargeOverlays(frame);
        }
        const int x = devicePosition(pane.origin.x, ratio);
        const int y = devicePosition(pane.origin.y, ratio);
        // Painted in place: the pane's surface is its rectangle of the view's picture.
        QtCanvas& surface = paneSurface(
            i, {x, y, x + std::max(frame.client.right, 1), y + std::max(frame.client.bottom, 1)});
        surface.setConcurrentBands(!together);
        if (together) {
            paints.push_back({std::move(frame), &surface});
        } else {
            paintScene(frame, surface);
        }
    }
    if (together) {
        paintTogether(paints);
    }
    QPainter painter(&canvas_.mutableImage());
    painter.setBrush(Qt::NoBrush);
    for (const std::size_t i : order) {
        const Pane& pane = editor.session.panes[i];
        const int x = devicePosition(pane.origin.x, ratio);
        const int y = devicePosition(pane.origin.y, ratio);
        const Rect c = deviceClient(pane.rect(), ratio);
        if (c.width() <= 1 || c.height() <= 1) {
            continue;
        }
        painter.setPen(QPen(i == editor.session.activePane ? kActivePaneEdge : kPaneEdge, 1));
        painter.drawRect(x, y, c.width() - 1, c.height() - 1);
    }
    painter.end();
    clearUpperVectorState();
}

QtCanvas& ViewPicture::paneSurface(std::size_t pane, const Rect& area) {
    PaneSurface& s = surfaces_.at(pane);
    const uchar* pixels = canvas_.image().constBits();
    if (!s.canvas || s.pixels != pixels || s.area != area) {
        s.canvas = std::make_unique<QtCanvas>(QtCanvas::region(canvas_, area));
        s.pixels = pixels;
        s.area = area;
    }
    return *s.canvas;
}

} // namespace fcw
