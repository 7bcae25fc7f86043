#include "ops/mirror.h"

#include "ops/selection_walk.h"

namespace fcw {

void mirrorSelection(MeshStore& store, const Selection& selection, MirrorAxis axis,
                     const Camera& camera) {
    auto& view = store.viewTriangles;
    const Point3 before = meanOfWholeCentroids(selection, view);
    forEachWholeTriangle(selection, [&](int t) {
        Triangle& tri = view[static_cast<std::size_t>(t)];
        for (Point3& p : tri.v) {
            double& c = axis == MirrorAxis::Horizontal ? p.y
                        : axis == MirrorAxis::Vertical ? p.z
                                                       : p.x;
            c *= -1.0;
        }
        tri.reverseWinding();
        return true;
    });
    const Point3 after = meanOfWholeCentroids(selection, view);
    forEachWholeTriangle(selection, [&](int t) {
        Triangle& tri = view[static_cast<std::size_t>(t)];
        tri.translateBy(after, before);
        tri.computePolar();
        tri.computeNormal();
        return true;
    });
    store.refreshViewToModel(camera.verticalAxisAngle, camera.horizontalAxisAngle);
    store.refreshModelToView(camera.verticalAxisAngle, camera.horizontalAxisAngle);
}

} // namespace fcw
