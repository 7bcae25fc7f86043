#include "app/view_picture.h"

#include "app/device_frame.h"
#include "editor/view/frame_step.h"
#include "editor/view/panes.h"
#include "render/device_pixels.h"
#include "render/qt_vector_state.h"
#include "render/scene_painter.h"

#include <QPainter>

#include <algorithm>

namespace fcw {

namespace {

void resizeCanvas(QtCanvas& canvas, int w, int h) {
    w = std::max(w, 1);
    h = std::max(h, 1);
    if (canvas.width() != w || canvas.height() != h) {
        canvas = QtCanvas(w, h);
    }
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
    canvas_.mutableImage().fill(Qt::white);
    if (!scratch_) {
        scratch_ = std::make_unique<MeshStore>();
    }
    QPainter painter(&canvas_.mutableImage());
    // The active pane last, so the depth-buffer renderer is left at its size.
    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < editor.session.panes.size(); ++i) {
        if (i != editor.session.activePane) {
            order.push_back(i);
        }
    }
    order.push_back(editor.session.activePane);
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
                               : prepareOtherPanePaint(editor, pane, *scratch_, camera, ratio);
        if (ratio != 1.0) {
            enlargeOverlays(frame);
        }
        resizeCanvas(paneCanvas_, frame.client.right, frame.client.bottom);
        paintScene(frame, paneCanvas_);
        painter.drawImage(devicePosition(pane.origin.x, ratio),
                          devicePosition(pane.origin.y, ratio), paneCanvas_.image());
        // The toolkit's copy leaves the vector registers' upper halves in use, which would
        // slow every trigonometric call of the next pane's turning several times over.
        clearUpperVectorState();
    }
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

} // namespace fcw
