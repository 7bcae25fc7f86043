#include "ops/vertex_move.h"

#include <cmath>
#include <vector>

namespace fcw {

namespace {

// The stored coordinate an axis works on: vertical z, horizontal y, depth x.
double& coordinate(Point3& p, MoveAxis axis) {
    return axis == MoveAxis::Vertical ? p.z : axis == MoveAxis::Horizontal ? p.y : p.x;
}

// The reference coordinate of the end-point and mean rules (0 for the others). The mean
// counts one term per entry.
double reference(std::vector<Triangle>& list, const Selection& selection, VertexMove move) {
    if (move.rule != MoveRule::Smallest && move.rule != MoveRule::Largest &&
        move.rule != MoveRule::Mean) {
        return 0.0;
    }
    double m = 0.0;
    bool first = true;
    double sum = 0.0;
    for (const SelectedVertex& s : selection.vertices()) {
        Point3& p =
            list[static_cast<std::size_t>(s.triangle)].v[static_cast<std::size_t>(s.vertex)];
        const double w = coordinate(p, move.axis);
        sum += w;
        if (first || (move.rule == MoveRule::Smallest && w < m) ||
            (move.rule == MoveRule::Largest && w > m)) {
            m = w;
        }
        first = false;
    }
    if (move.rule == MoveRule::Mean) {
        m = sum / static_cast<double>(selection.count());
    }
    return m;
}

// Sets p's distance from the axis to v, keeping its bearing about that axis.
void setDistance(Point3& p, MoveAxis axis, double v) {
    if (axis == MoveAxis::Vertical) {
        const double t = std::atan2(p.x, p.y);
        p.x = v * std::sin(t);
        p.y = v * std::cos(t);
    } else if (axis == MoveAxis::Horizontal) {
        const double t = std::atan2(p.x, p.z);
        p.x = v * std::sin(t);
        p.z = v * std::cos(t);
    } else {
        const double t = std::atan2(p.z, p.y);
        p.z = v * std::sin(t);
        p.y = v * std::cos(t);
    }
}

void apply(std::vector<Triangle>& list, const Selection& selection, VertexMove move, double v) {
    const double m = reference(list, selection, move);
    // Up and far are positive for the user; z and x grow the other way.
    const bool userSign = move.axis == MoveAxis::Horizontal;
    for (const SelectedVertex& s : selection.vertices()) {
        Triangle& t = list[static_cast<std::size_t>(s.triangle)];
        Point3& p = t.v[static_cast<std::size_t>(s.vertex)];
        double& w = coordinate(p, move.axis);
        switch (move.rule) {
        case MoveRule::Relative:
            w = userSign ? w + v : w - v;
            break;
        case MoveRule::Position:
            w = userSign ? v : -v;
            break;
        case MoveRule::Smallest:
        case MoveRule::Largest:
        case MoveRule::Mean:
            w = userSign ? w + (v - m) : w - (m + v);
            break;
        case MoveRule::Distance:
            setDistance(p, move.axis, v);
            break;
        }
        t.computePolar();
        t.computeNormal();
    }
}

} // namespace

void moveSelectedVertices(MeshStore& store, const Selection& selection, VertexMove move,
                          double value, MoveFrame frame, const Camera& camera) {
    if (frame == MoveFrame::CurrentView) {
        apply(store.viewTriangles, selection, move, value);
        store.refreshViewToModel(camera.verticalAxisAngle, camera.horizontalAxisAngle);
        // The view list is rebuilt from the model, so its depth keys are view-frame ones
        // again (the inverse refresh leaves model-frame keys behind).
        store.refreshModelToView(camera.verticalAxisAngle, camera.horizontalAxisAngle);
    } else {
        apply(store.modelTriangles, selection, move, value);
        store.refreshModelToView(camera.verticalAxisAngle, camera.horizontalAxisAngle);
    }
}

} // namespace fcw
