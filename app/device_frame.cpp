#include "app/device_frame.h"

#include "editor/view/frame_step.h"
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
    DepthBufferRenderer& r = editor.services.depthRenderer;
    if (r.width() != client.width() || r.height() != client.height()) {
        r.resize(client);
    }
}

} // namespace

SceneFrame stepDeviceFrame(Editor& editor, double ratio) {
    Pane& pane = editor.pane();
    if (ratio == 1.0) {
        sizeDepthRenderer(editor, pane.camera.clientRect);
        return stepFrame(editor);
    }
    stepFrame(editor);
    const Camera window = pane.camera;
    const LastPaint windowPaint = pane.lastPaint;
    const InteractionState pointer = editor.session.interaction;
    scalePointerOverlays(editor.session.interaction, ratio);
    pane.camera = deviceCamera(window, ratio);
    sizeDepthRenderer(editor, pane.camera.clientRect);
    SceneFrame frame = stepFrame(editor);
    enlargeOverlays(frame);
    // The boxes input reads stay in window pixels. The draw order is the same at any scale,
    // and the frame views it, so it stays where it is.
    pane.camera = window;
    pane.lastPaint.centreBox = windowPaint.centreBox;
    pane.lastPaint.statusBoxRect = windowPaint.statusBoxRect;
    editor.session.interaction = pointer;
    return frame;
}

} // namespace fcw
