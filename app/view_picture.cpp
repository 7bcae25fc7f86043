#include "app/view_picture.h"

#include "app/device_frame.h"
#include "editor/view/frame_step.h"
#include "editor/view/panes.h"
#include "model/split_range.h"
#include "render/device_pixels.h"
#include "render/qt_vector_state.h"
#include "render/scene_painter.h"

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

// A pane's preparation: 0 while under way, 1 when its frame is ready, 2 when it failed.
struct Readiness {
    std::atomic<int> state{0};

    // Waits for the preparation; whether the frame is there to paint.
    bool await() {
        int v = 0;
        while ((v = state.load(std::memory_order_acquire)) == 0) {
            state.wait(0, std::memory_order_acquire);
        }
        return v == 1;
    }
};

// Marks a preparation ended when it leaves scope, failed unless `done` was set.
struct MarkEnded {
    Readiness& readiness;
    bool done = false;
    ~MarkEnded() {
        readiness.state.store(done ? 1 : 2, std::memory_order_release);
        readiness.state.notify_all();
    }
};

// The panes' frames: grey, the active pane's blue (0x00BBGGRR).
constexpr Colour kPaneEdge = 0x00A0A0A0;
constexpr Colour kActivePaneEdge = 0x00D77800;

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
        clearUpperVectorState(); // Qt's fill leaves the vector registers' upper halves in use
    }
    // Panes that share no pixel are prepared and painted two at a time; the depth-buffer
    // display has one renderer, sized and filled for one pane at a time.
    if (tiled && editor.session.view.depthNormalDisplay == 0) {
        paintTogether(editor, order);
    } else {
        paintInTurn(editor, order, ratio);
    }
    canvas_.setClip(nullptr);
    for (const std::size_t i : order) {
        const Pane& pane = editor.session.panes[i];
        const int x = devicePosition(pane.origin.x, ratio);
        const int y = devicePosition(pane.origin.y, ratio);
        const Rect c = deviceClient(pane.rect(), ratio);
        if (c.width() <= 1 || c.height() <= 1) {
            continue;
        }
        canvas_.frameRect({x, y, x + c.width(), y + c.height()},
                          i == editor.session.activePane ? kActivePaneEdge : kPaneEdge);
    }
}

void ViewPicture::paintInTurn(Editor& editor, const std::vector<std::size_t>& order, double ratio) {
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
        surface.setConcurrentBands(true);
        paintScene(frame, surface);
    }
}

// Each pane is prepared and painted whole by one of two threads. This thread first prepares
// the active pane, which shades the store's view list, while the helper starts and waits for
// it; the panes beside it copy the store when they turn it. Then the others are prepared and
// painted in that order, by whichever thread is free, a paint once its pane is prepared;
// this thread takes one preparation, then paints the active pane, the only one with text.
void ViewPicture::paintTogether(Editor& editor, const std::vector<std::size_t>& order) {
    const std::size_t others = order.size() - 1;
    std::vector<QtCanvas*> surfaces;
    for (const std::size_t i : order) {
        const Pane& pane = editor.session.panes[i];
        const Rect& r = pane.rect();
        QtCanvas& surface = paneSurface(
            i, {pane.origin.x, pane.origin.y, pane.origin.x + r.right, pane.origin.y + r.bottom});
        surface.setConcurrentBands(false);
        surfaces.push_back(&surface);
    }
    Pane& activePane = editor.session.panes[order.back()];
    // The depth renderer is kept at the active pane's size, as painting in turn leaves it.
    if (editor.services.depthRenderer.width() != activePane.rect().width() ||
        editor.services.depthRenderer.height() != activePane.rect().height()) {
        editor.services.depthRenderer.resize(activePane.camera.clientRect);
    }
    std::vector<SceneFrame> frames(order.size());
    Readiness activeReady;
    std::vector<Readiness> ready(others);
    // Tasks 0 .. others - 1 prepare a pane beside the active one, the next as many paint it.
    std::atomic<std::size_t> nextTask{0};
    auto runTask = [&](std::size_t task) {
        if (task < others) {
            MarkEnded ended{ready[task]};
            Pane& pane = editor.session.panes[order[task]];
            frames[task] =
                prepareOtherPanePaint(editor, pane, turned_[order[task]], pane.camera, 1.0);
            ended.done = true;
        } else if (ready[task - others].await()) {
            paintScene(frames[task - others], *surfaces[task - others]);
        }
    };
    shareWithHelper(others > 0, [&](int worker) {
        if (worker == 0) {
            {
                MarkEnded ended{activeReady};
                frames[others] = prepareScaledPaint(editor, activePane, activePane.camera, 1.0);
                ended.done = true;
            }
            if (const std::size_t task = nextTask++; task < 2 * others) {
                runTask(task);
            }
            paintScene(frames[others], *surfaces[others]);
        } else if (!activeReady.await()) {
            return;
        }
        for (std::size_t task = nextTask++; task < 2 * others; task = nextTask++) {
            runTask(task);
        }
    });
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
