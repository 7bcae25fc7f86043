#include "editor/scene_frame.h"

#include "editor/editor.h"
#include "render/depth_order.h"

#include <algorithm>

namespace fcw {

void prepareFrame(Editor& editor) {
    Camera& camera = editor.camera;
    camera.computeCentre();
    const Rect& client = camera.clientRect;
    editor.interaction.centreBox = boxAround((client.right - client.left) / 2,
                                             (client.bottom - client.top) / 2);
    sortByDepth(editor);
}

void sortByDepth(Editor& editor) {
    int n = editor.store.lastIndex;
    if (rangeToolBusy(editor)) {
        n += 1;
    }
    n = std::min(n, kTriangleSlots - 1); // never past the store's last slot
    sortByDepth(editor.store.depthKeys, n, editor.drawOrder);
    editor.drawOrderLast = n;
}

int drawOrderScanLast(const Editor& editor) {
    return std::min<int>(std::max<int>(editor.drawOrderLast, editor.store.lastIndex),
                         kTriangleSlots - 1);
}

} // namespace fcw
