#include "ops/mirror.h"

#include "editor/editor.h"
#include "ops/selection_walk.h"

namespace fcw {


void mirrorSelection(Editor& e, MirrorAxis axis) {
    e.takeSnapshot();
    const Point3 before = meanOfWholeCentroids(e.selection, e.store.viewTriangles);
    forEachWholeTriangle(e.selection, [&](int t) {
        Triangle& tri = e.store.viewTriangles[static_cast<std::size_t>(t)];
        for (Point3& p : tri.v) {
            double& c = axis == MirrorAxis::Horizontal ? p.y
                        : axis == MirrorAxis::Vertical ? p.z
                                                       : p.x;
            c *= -1.0;
        }
        tri.reverseWinding();
        return true;
    });
    const Point3 after = meanOfWholeCentroids(e.selection, e.store.viewTriangles);
    forEachWholeTriangle(e.selection, [&](int t) {
        Triangle& tri = e.store.viewTriangles[static_cast<std::size_t>(t)];
        tri.translateBy(after, before);
        tri.computePolar();
        tri.computeNormal();
        return true;
    });
    e.refreshViewToModel();
    e.refreshModelToView();
    e.countEdit();
    e.repaint();
}

} // namespace fcw
