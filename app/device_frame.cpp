#include "app/device_frame.h"

#include "editor/frame_step.h"
#include "render/device_pixels.h"

namespace fcw {

namespace {

// What the pointer placed, moved to the same place in the finer picture. The grab box keeps
// its window size here; enlargeOverlays scales it about its centre, as the centre box.
void scalePointerOverlays(InteractionState& s, double ratio) {
    auto scaled = [ratio](std::int32_t v) { return devicePosition(v, ratio); };
    s.lastPointer = {scaled(s.lastPointer.x), scaled(s.lastPointer.y)};
    s.selectionRect = {scaled(s.selectionRect.left), scaled(s.selectionRect.top),
                       scaled(s.selectionRect.right), scaled(s.selectionRect.bottom)};
    const PixelPoint grab = centre(s.grabBox);
    s.grabBox = boxAround(scaled(grab.x), scaled(grab.y));
}

void sizeDepthRenderer(Editor& editor, const Rect& client) {
    DepthBufferRenderer& r = editor.depthRenderer;
    if (r.width() != client.width() || r.height() != client.height()) {
        r.resize(client);
    }
}

} // namespace

SceneFrame stepDeviceFrame(Editor& editor, double ratio) {
    if (ratio == 1.0) {
        sizeDepthRenderer(editor, editor.camera.clientRect);
        return stepFrame(editor);
    }
    stepFrame(editor);
    const Camera window = editor.camera;
    const InteractionState pointer = editor.interaction;
    scalePointerOverlays(editor.interaction, ratio);
    editor.camera = deviceCamera(window, ratio);
    sizeDepthRenderer(editor, editor.camera.clientRect);
    SceneFrame frame = stepFrame(editor);
    enlargeOverlays(frame);
    editor.camera = window;
    editor.interaction = pointer;
    return frame;
}

} // namespace fcw
