#include "app/device_frame.h"

#include "editor/view/frame_step.h"
#include "render/device_pixels.h"

namespace fcw {

namespace {

void sizeDepthRenderer(Editor& editor, const Rect& client) {
    DepthBufferRenderer& r = editor.services.depthRenderer;
    if (r.width() != client.width() || r.height() != client.height()) {
        r.resize(client);
    }
}

} // namespace

SceneFrame stepDeviceFrame(Editor& editor, double ratio) {
    Pane& pane = editor.pane();
    const Camera device = ratio == 1.0 ? pane.camera : deviceCamera(pane.camera, ratio);
    sizeDepthRenderer(editor, device.clientRect);
    SceneFrame frame = prepareScaledPaint(editor, pane, device, ratio);
    if (ratio != 1.0) {
        enlargeOverlays(frame);
    }
    return frame;
}

} // namespace fcw
