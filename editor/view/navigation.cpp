#include "editor/view/navigation.h"

#include "editor/editor.h"
#include "editor/view/panes.h"
#include "interact/snap.h"

namespace fcw {

void setZoomLevel(Editor& editor, double zoom) {
    editor.pane().camera.zoom = zoom;
    editor.repaint();
}

void resetOrigin(Editor& editor) {
    Camera& camera = editor.pane().camera;
    camera.depth = 0.0;
    camera.originOffsetX = 0.0;
    camera.originOffsetY = 0.0;
    if (!isOrthographic(editor.pane())) { // the orthographic panes keep their angles
        camera.verticalAxisAngle = 0.0;
        camera.horizontalAxisAngle = 0.0;
    }
    editor.refreshModelToView();
    editor.repaint();
}

void wheelZoom(Editor& editor, int wheelDelta) {
    Camera& camera = editor.pane().camera;
    const double oldZoom = camera.zoom;
    camera.zoom += wheelDelta * (1.0 / 120.0) * 0.1;
    const double zoom = camera.zoom;
    if (selectionShown(editor) && zoom > kMinWheelZoom && zoom < kMaxZoom) {
        const double ratio = zoom / oldZoom;
        const Rect& client = camera.clientRect;
        // In doubles: a rectangle around far-off triangles sits near the ends of the int32 range,
        // where the integer differences would overflow.
        const double hw = (client.right - client.left) / 2;
        const double hh = (client.bottom - client.top) / 2;
        Rect& r = editor.session.tools.range.band;
        r.left = truncToInt32((r.left - hw) * ratio + hw);
        r.right = truncToInt32((r.right - hw) * ratio + hw);
        r.top = truncToInt32((r.top - hh) * ratio + hh);
        r.bottom = truncToInt32((r.bottom - hh) * ratio + hh);
        if (anyGridSnap(editor.session.snap) && editor.session.view.anyGridSpacing()) {
            // Each corner moves to the model-frame y and z of its grid-snapped point.
            auto snapCorner = [&](std::int32_t& x, std::int32_t& y) {
                if (const auto p = snapClickToGrid(camera, editor.session.view, {x, y})) {
                    x = truncToInt32(camera.centreX + p->y);
                    y = truncToInt32(camera.centreY + p->z);
                }
            };
            snapCorner(r.left, r.top);
            snapCorner(r.right, r.bottom);
        }
    }
    if (camera.zoom < kMinWheelZoom) {
        camera.zoom = kMinWheelZoom;
    } else if (camera.zoom > kMaxZoom) {
        camera.zoom = kMaxZoom;
    }
    editor.repaint();
}

void resizeView(Editor& editor, std::int32_t width, std::int32_t height) {
    const PixelPoint grab = centre(editor.session.tools.range.grabBox);
    const PixelPoint middle = centre(editor.pane().lastPaint.centreBox);
    const std::int32_t dx = grab.x - middle.x;
    const std::int32_t dy = grab.y - middle.y;

    layOutPanes(editor, width, height);
    const Rect& client = editor.pane().camera.clientRect;
    editor.session.tools.range.grabBox =
        boxAround(client.width() / 2 + dx, client.height() / 2 + dy);
    editor.services.depthRenderer.resize(editor.pane().camera.clientRect);
}

} // namespace fcw
