#include "ops/cleanup.h"

#include "model/mesh_edits.h"
#include "ops/selection_walk.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace fcw {

namespace {

Point3& vertexOf(std::vector<Triangle>& list, const SelectedVertex& v) {
    return list[static_cast<std::size_t>(v.triangle)].v[static_cast<std::size_t>(v.vertex)];
}

bool valid(const MeshStore& store, const SelectedVertex& v) {
    return v.triangle >= 0 && v.triangle <= store.lastIndex && v.vertex >= 0 && v.vertex <= 2;
}

void recompute(MeshStore& store, int t) {
    store.modelTriangles[static_cast<std::size_t>(t)].computePolar();
    store.modelTriangles[static_cast<std::size_t>(t)].computeNormal();
}

void refreshForward(MeshStore& store, const Camera& camera) {
    store.refreshModelToView(camera.verticalAxisAngle, camera.horizontalAxisAngle);
}

} // namespace

double roundCoordinate(double w) {
    // 64-bit truncation gives the 32-bit results wherever those exist and stays correct for
    // larger coordinates; beyond 64 bits a double is already whole.
    if (!(std::fabs(w) < 9.0e17)) {
        return w;
    }
    const auto whole = static_cast<std::int64_t>(w);
    const std::int64_t d = static_cast<std::int64_t>(w * 10) % 10;
    if (d > 4 || d < -4) {
        return static_cast<double>(w >= 0 ? whole + 1 : whole - 1);
    }
    return static_cast<double>(whole);
}

void roundSelectedVertices(MeshStore& store, const Selection& selection, const Camera& camera) {
    for (const SelectedVertex& v : selection.vertices()) {
        if (!valid(store, v)) {
            continue;
        }
        Point3& p = vertexOf(store.modelTriangles, v);
        p.x = roundCoordinate(p.x);
        p.y = roundCoordinate(p.y);
        p.z = roundCoordinate(p.z);
        recompute(store, v.triangle);
    }
    refreshForward(store, camera);
}

void mergeSelectedVertices(MeshStore& store, const Selection& selection, const Camera& camera,
                           const MergeProgress& progress) {
    const auto list = selection.vertices();
    const std::size_t n = list.size();
    // The listed vertices are distinct, so the greedy merge can run on a flat copy of their
    // positions; the caches of the touched triangles are recomputed once at the end, which
    // gives the same values as recomputing after every comparison.
    std::vector<Point3> pos(n);
    std::vector<bool> usable(n);
    for (std::size_t i = 0; i < n; ++i) {
        usable[i] = valid(store, list[i]);
        if (usable[i]) {
            pos[i] = vertexOf(store.modelTriangles, list[i]);
        }
    }
    for (std::size_t i = 0; i + 1 < n; ++i) {
        if (usable[i]) {
            const Point3 a = pos[i];
            for (std::size_t j = i + 1; j < n; ++j) {
                if (!usable[j]) {
                    continue;
                }
                Point3& b = pos[j];
                const double dx = a.x - b.x;
                const double dy = a.y - b.y;
                const double dz = a.z - b.z;
                const double d2 = dx * dx + dy * dy + dz * dz;
                // sqrt(d2) < 2.0 exactly; the root is only needed right at the boundary.
                if (d2 < 3.99 || (d2 < 4.0 && std::sqrt(d2) < 2.0)) {
                    b.setCoords(a);
                }
            }
        }
        if (progress) {
            progress(static_cast<int>(i), static_cast<int>(n));
        }
    }
    for (std::size_t j = 0; j < n; ++j) {
        if (usable[j]) {
            vertexOf(store.modelTriangles, list[j]).setCoords(pos[j]);
        }
    }
    int lastDone = -1;
    for (std::size_t j = 1; j < n; ++j) {
        if (usable[j] && list[j].triangle != lastDone) {
            lastDone = list[j].triangle;
            recompute(store, lastDone);
        }
    }
    refreshForward(store, camera);
}

int deleteLineTriangles(MeshStore& store, Selection& selection, const Camera& camera) {
    int write = 0;
    // Compacting in one pass keeps the survivors' order, as removing one at a time would.
    for (int i = 0; i <= store.lastIndex; ++i) {
        const Triangle& t = store.modelTriangles[static_cast<std::size_t>(i)];
        const bool line =
            sameCoords(t.v[0], t.v[1]) || sameCoords(t.v[0], t.v[2]) || sameCoords(t.v[2], t.v[1]);
        if (line) {
            continue;
        }
        if (write != i) {
            Triangle& dst = store.modelTriangles[static_cast<std::size_t>(write)];
            dst.assign(t);
            dst.computePolar();
            dst.computeNormal();
        }
        ++write;
    }
    const int removed = store.lastIndex + 1 - write;
    store.lastIndex = static_cast<std::int16_t>(write - 1);
    refreshForward(store, camera);
    // The survivors moved down with the marks of the slots they landed in.
    selection.clear(store);
    return removed;
}

void reverseSelection(MeshStore& store, Selection& selection) {
    forEachWholeTriangle(selection, [&](int t) {
        store.modelTriangles[static_cast<std::size_t>(t)].reverseWinding();
        store.viewTriangles[static_cast<std::size_t>(t)].reverseWinding();
        return true;
    });
    selection.clear(store);
}

void paintSelection(MeshStore& store, Selection& selection, Colour colour) {
    forEachWholeTriangle(selection, [&](int t) {
        recolourTriangle(store, t, colour);
        return true;
    });
    selection.clear(store);
}

void selectAll(MeshStore& store, Selection& selection) {
    if (store.lastIndex < 0) {
        return;
    }
    selection.selectTriangles(store, 0, std::min<int>(store.lastIndex, kTriangleSlots - 1));
}

} // namespace fcw
