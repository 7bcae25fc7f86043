#include "ops/mirror.h"

#include "app/editor.h"
#include "ops/selection_walk.h"

namespace fcw {

namespace {

Point3 meanCentroid(Editor& e) {
    Point3 sum(0, 0, 0);
    int n = 0;
    forEachWholeTriangle(e.interaction, [&](int t) {
        sum += e.store.viewTriangles[static_cast<std::size_t>(t)].centroid;
        ++n;
        return true;
    });
    if (n > 0) {
        sum /= n;
    }
    return sum;
}

} // namespace

void mirrorSelection(Editor& e, MirrorAxis axis) {
    e.takeSnapshot();
    const Point3 before = meanCentroid(e);
    forEachWholeTriangle(e.interaction, [&](int t) {
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
    const Point3 after = meanCentroid(e);
    forEachWholeTriangle(e.interaction, [&](int t) {
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
