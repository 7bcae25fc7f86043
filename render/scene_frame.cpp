#include "render/scene_frame.h"

#include "app/editor.h"
#include "render/depth_order.h"

namespace fcw {

void prepareFrame(Editor& editor) {
    Camera& camera = editor.camera;
    camera.computeCentre();
    const Rect& client = camera.clientRect;
    editor.interaction.centreBox = boxAround((client.right - client.left) / 2,
                                             (client.bottom - client.top) / 2);
    sortByDepth(editor);
}

} // namespace fcw
