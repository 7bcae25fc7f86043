#include "editor/tools/pick.h"

#include "editor/pane.h"
#include "editor/view/frame_step.h"
#include "model/mesh_store.h"

#include <cmath>

namespace fcw {

bool pointInTriangle(const Triangle& t, const Camera& c, PixelPoint point) {
    double dx[3];
    double dy[3];
    for (std::size_t i = 0; i < 3; ++i) {
        dx[i] = c.zoom * t.v[i].y - (point.x - c.centreX);
        dy[i] = c.zoom * t.v[i].z - (point.y - c.centreY);
    }
    auto angle = [&](std::size_t a, std::size_t b) {
        const double la = std::sqrt(dx[a] * dx[a] + dy[a] * dy[a]);
        const double lb = std::sqrt(dx[b] * dx[b] + dy[b] * dy[b]);
        if (la == 0.0 || lb == 0.0) {
            return -1.0; // on a vertex
        }
        // A rounding step past +-1 gives NaN, and NaN compares as outside.
        return std::acos((dx[a] * dx[b] + dy[a] * dy[b]) / (la * lb));
    };
    const double a01 = angle(0, 1);
    const double a12 = angle(1, 2);
    const double a02 = angle(0, 2);
    if (a01 < 0 || a12 < 0 || a02 < 0) {
        return true; // a point exactly on a vertex counts as inside
    }
    const double ratio = (a01 + a12 + a02) / (2 * std::acos(-1.0));
    return 0.999999999999 < ratio && ratio < 1.0000000000001;
}

std::optional<int> pickTriangle(const Pane& pane, const MeshStore& store, PixelPoint point,
                                bool skipBackFacing) {
    // The whole sorted range: after a paint with a selection shown it holds the free slot
    // after the last triangle too, and stopping at lastIndex would miss the nearest one.
    const int last = store.lastIndex;
    const int scanLast = drawOrderScanLast(pane, last);
    const std::vector<std::int16_t>& order = pane.lastPaint.drawOrder;
    for (int i = 0; i <= scanLast; ++i) {
        const int t = order[static_cast<std::size_t>(scanLast - i)];
        if (t < 0 || t > last) {
            continue; // stale order entry (no paint since the store changed)
        }
        const Triangle& tri = store.viewTriangles[static_cast<std::size_t>(t)];
        if (skipBackFacing && tri.normal.x < 0) {
            continue;
        }
        if (pointInTriangle(tri, pane.camera, point)) {
            return t;
        }
    }
    return std::nullopt;
}

} // namespace fcw
