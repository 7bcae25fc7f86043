#include "render/navigation.h"

#include "app/editor.h"

namespace fcw {

void setZoomLevel(Editor& editor, double zoom) {
    editor.camera.zoom = zoom;
    editor.repaint();
}

void resetOrigin(Editor& editor) {
    Camera& camera = editor.camera;
    camera.depth = 0.0;
    camera.originOffsetX = 0.0;
    camera.originOffsetY = 0.0;
    camera.verticalAxisAngle = 0.0;
    camera.horizontalAxisAngle = 0.0;
    editor.refreshModelToView();
    editor.repaint();
}

void resizeView(Editor& editor, std::int32_t width, std::int32_t height) {
    InteractionState& state = editor.interaction;
    auto centreOf = [](const Rect& r) {
        return PixelPoint{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    };
    const PixelPoint grab = centreOf(state.grabBox);
    const PixelPoint centre = centreOf(state.centreBox);
    const std::int32_t dx = grab.x - centre.x;
    const std::int32_t dy = grab.y - centre.y;

    editor.camera.clientRect = {0, 0, width, height};
    state.grabBox = boxAround(width / 2 + dx, height / 2 + dy);
    editor.depthRenderer.resize(editor.camera.clientRect);
}

} // namespace fcw
