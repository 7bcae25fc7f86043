#include "model/mesh_store.h"

#include "model/split_range.h"

#include <cmath>

namespace fcw {

namespace {

// Forward: rotate by V about the vertical axis (already added to angleXY), then by H about the
// horizontal axis. z0 recovers the source z from the XZ cache before the new angle was added.
inline void rotateForward(const PolarCache& p, double H, Point3& out) {
    const double a = p.angleXY;
    const double b = p.angleXZ;
    const double y = p.radiusXY * std::cos(a);
    const double x1 = p.radiusXY * std::sin(a);
    const double z0 = p.radiusXZ * std::cos(b - H);
    const double theta = std::atan2(x1, z0);
    const double r = std::sqrt(x1 * x1 + z0 * z0);
    out.z = r * std::cos(theta + H);
    out.x = r * std::sin(theta + H);
    out.y = y;
}

// Inverse (angles passed negated): undo the horizontal rotation first, the vertical second.
inline void rotateInverse(const PolarCache& p, double V, Point3& out) {
    const double a = p.angleXY;
    const double b = p.angleXZ;
    const double z = p.radiusXZ * std::cos(b);
    const double x1 = p.radiusXZ * std::sin(b);
    const double y0 = p.radiusXY * std::cos(a - V);
    const double theta = std::atan2(x1, y0);
    const double r = std::sqrt(x1 * x1 + y0 * y0);
    out.y = r * std::cos(theta + V);
    out.x = r * std::sin(theta + V);
    out.z = z;
}

} // namespace

void MeshStore::refreshRange(RefreshDirection direction, double verticalAngle,
                             double horizontalAngle, int first, int last) {
    const bool forward = direction == RefreshDirection::ModelToView;
    const std::vector<Triangle>& source = forward ? modelTriangles : viewTriangles;
    std::vector<Triangle>& destination = forward ? viewTriangles : modelTriangles;
    for (int i = first; i <= last; ++i) {
        const Triangle& s = source[static_cast<std::size_t>(i)];
        Triangle& d = destination[static_cast<std::size_t>(i)];
        d.colour = s.colour;
        for (std::size_t k = 0; k < 3; ++k) {
            PolarCache p = s.vertexPolar[k];
            p.angleXY += verticalAngle;
            p.angleXZ += horizontalAngle;
            d.vertexPolar[k] = p;
            if (forward) {
                rotateForward(p, horizontalAngle, d.v[k]);
            } else {
                rotateInverse(p, verticalAngle, d.v[k]);
            }
        }
        d.computePolar();
        d.computeNormal();
    }
}

void MeshStore::refreshView(RefreshDirection direction, double verticalAngle,
                            double horizontalAngle) {
    // Each triangle is rotated independently of the others, so large models are split
    // between this thread and one helper; every result is computed exactly as it would be
    // on one thread.
    splitRange(lastIndex + 1, kTriangleSplitThreshold, [&](int first, int last) {
        refreshRange(direction, verticalAngle, horizontalAngle, first, last);
    });
    const std::vector<Triangle>& destination =
        direction == RefreshDirection::ModelToView ? viewTriangles : modelTriangles;
    for (int i = 0; i <= lastIndex; ++i) {
        depthKeys[static_cast<std::size_t>(i)] =
            destination[static_cast<std::size_t>(i)].centroid.x;
    }
}

} // namespace fcw
