#include "ops/rotate_scale.h"

#include "ops/selection_walk.h"

#include <cmath>

namespace fcw {

namespace {

// The view list and the selection one rotation or stretch works on.
struct Target {
    MeshStore& store;
    const Selection& selection;
    bool triangles; // whole-selected triangles; otherwise the listed vertices

    Triangle& view(int t) const { return store.viewTriangles[static_cast<std::size_t>(t)]; }

    // The mean of the triangles' centroids or of the listed positions, in the view frame.
    Point3 mean() const {
        if (triangles) {
            return meanOfWholeCentroids(selection, store.viewTriangles);
        }
        Point3 sum(0, 0, 0);
        int n = 0;
        for (const SelectedVertex& v : selection.vertices()) {
            sum += view(v.triangle).v[static_cast<std::size_t>(v.vertex)];
            ++n;
        }
        if (n > 0) {
            sum /= n;
        }
        return sum;
    }

    // Applies `change` to every vertex of the target, recomputing each touched triangle's
    // caches and normal after it when `recompute` is set.
    template <typename Change> void forEach(bool recompute, Change&& change) const {
        auto refresh = [&](int t) {
            if (recompute) {
                view(t).computePolar();
                view(t).computeNormal();
            }
        };
        if (triangles) {
            forEachWholeTriangle(selection, [&](int t) {
                for (Point3& p : view(t).v) {
                    change(p);
                }
                refresh(t);
                return true;
            });
            return;
        }
        for (const SelectedVertex& v : selection.vertices()) {
            change(view(v.triangle).v[static_cast<std::size_t>(v.vertex)]);
            refresh(v.triangle);
        }
    }
};

// The edit was made in the view list: the model list follows by the inverse rotation, then
// the view list is rebuilt from it.
void carryBack(MeshStore& store, const Camera& camera) {
    store.refreshViewToModel(camera.verticalAxisAngle, camera.horizontalAxisAngle);
    store.refreshModelToView(camera.verticalAxisAngle, camera.horizontalAxisAngle);
}

} // namespace

void rotateInScreenPlane(Point3& p, double angle) {
    const double r = std::sqrt(p.y * p.y + p.z * p.z);
    const double phi = std::atan2(p.z, p.y) + angle;
    p.y = r * std::cos(phi);
    p.z = r * std::sin(phi);
}

void rotateSelection(MeshStore& store, const Selection& selection, RotateKind kind,
                     double angleRadians, const Camera& camera) {
    const bool triangles =
        kind == RotateKind::TrianglesAboutOrigin || kind == RotateKind::Triangles;
    const bool centred = kind == RotateKind::Triangles || kind == RotateKind::Vertices;
    const Target target{store, selection, triangles};
    const Point3 before = centred ? target.mean() : Point3(0, 0, 0);
    target.forEach(true, [&](Point3& p) { rotateInScreenPlane(p, angleRadians); });
    if (centred) {
        const Point3 after = target.mean();
        target.forEach(true, [&](Point3& p) { p.addDifference(after, before); });
    }
    carryBack(store, camera);
}

void scaleSelection(MeshStore& store, const Selection& selection, ScaleKind kind,
                    ScaleFactors factors, const Camera& camera) {
    const bool triangles = kind == ScaleKind::Triangles;
    const Target target{store, selection, triangles};
    const Point3 before = target.mean();
    // The vertex variant recomputes only after the shift back, as one pass.
    target.forEach(triangles, [&](Point3& p) {
        p.x *= factors.depth;
        p.y *= factors.horizontal;
        p.z *= factors.vertical;
    });
    const Point3 after = target.mean();
    target.forEach(true, [&](Point3& p) { p.addDifference(after, before); });
    carryBack(store, camera);
}

} // namespace fcw
