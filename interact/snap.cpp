#include "interact/snap.h"

#include "interact/model_point.h"

#include <cmath>
#include <cstdlib>

namespace fcw {

namespace {

// Truncation toward zero into 64 bits; values a window can never produce give 0.
std::int64_t trunc64(double d) {
    if (!(d > -9.0e18 && d < 9.0e18)) {
        return 0;
    }
    return static_cast<std::int64_t>(d);
}

// a = (c * 1e6 - (trunc(origin * 1e6) mod G)) mod G, the distance past the grid line below c.
std::int64_t pastLine(std::int64_t cMicro, double origin, std::int64_t step) {
    return (cMicro - trunc64(origin * 1.0e6) % step) % step;
}

} // namespace

std::int64_t gridStepMicroPixels(int spacing, double zoom) {
    return trunc64(static_cast<double>(spacing) * 1000000.0 * zoom);
}

bool anyGridSnap(const SnapSettings& snap) {
    return snap.gridSnap[1] || snap.gridSnap[2] || snap.gridSnap[3];
}

std::optional<Point3> nearestCommittedVertex(const MeshStore& store, const Camera& camera,
                                             const ModelPoint& click, PixelPoint clickPixel) {
    const double zoom = camera.zoom;
    const double h = static_cast<double>(clickPixel.x - truncToInt32(camera.centreX));
    const double v = static_cast<double>(clickPixel.y - truncToInt32(camera.centreY));
    bool found = false;
    double best = 0.0;
    Point3 bestVertex;
    for (int i = 0; i < store.lastIndex; ++i) {
        const Triangle& model = store.modelTriangles[static_cast<std::size_t>(i)];
        const Triangle& view = store.viewTriangles[static_cast<std::size_t>(i)];
        for (std::size_t j = 0; j < 3; ++j) {
            const Point3& m = model.v[j];
            const Point3& w = view.v[j];
            const double sx = h - zoom * w.y;
            const double sy = v - zoom * w.z;
            const double dx = click.x - zoom * m.x;
            const double dy = click.y - zoom * m.y;
            const double dz = click.z - zoom * m.z;
            const double distance =
                std::sqrt(sx * sx + sy * sy + 0.001 * (dx * dx + dy * dy + dz * dz));
            if (!found || distance < best) {
                found = true;
                best = distance;
                bestVertex = m;
            }
        }
    }
    if (!found) {
        return std::nullopt;
    }
    return bestVertex;
}

ModelPoint snapToVertex(const MeshStore& store, const Camera& camera, const ModelPoint& click,
                        PixelPoint clickPixel) {
    const auto vertex = nearestCommittedVertex(store, camera, click, clickPixel);
    if (!vertex) {
        return click;
    }
    const double zoom = camera.zoom;
    return {zoom * vertex->x, zoom * vertex->y, zoom * vertex->z};
}

void previewVertexSnap(const MeshStore& store, const Camera& camera, int editPhase,
                       PixelPoint& point) {
    const double zoom = camera.zoom;
    const double v = point.y - camera.centreY;
    const double h = point.x - camera.centreX;
    const double depth = camera.depth;
    const int n = editPhase == 0 ? store.lastIndex + 1 : store.lastIndex;
    bool found = false;
    double best = 0.0;
    Point3 bestVertex;
    for (int i = 0; i < n && i < kTriangleSlots; ++i) {
        for (const Point3& w : store.viewTriangles[static_cast<std::size_t>(i)].v) {
            const double dd = depth - zoom * w.x;
            const double dh = h - zoom * w.y;
            const double dv = v - zoom * w.z;
            const double distance = std::sqrt(0.001 * dd * dd + dh * dh + dv * dv);
            if (!found || distance < best) {
                found = true;
                best = distance;
                bestVertex = w;
            }
        }
    }
    if (found) {
        point = {truncToInt32(camera.centreX + zoom * bestVertex.y),
                 truncToInt32(camera.centreY + zoom * bestVertex.z)};
    }
}

std::optional<ModelPoint> snapClickToGrid(const Camera& camera, const ViewOptions& view,
                                          PixelPoint click) {
    const int spacing = view.gridUnits();
    if (spacing == 0) {
        return std::nullopt;
    }
    const std::int64_t step = gridStepMicroPixels(spacing, camera.zoom);
    if (step < 4) {
        return std::nullopt;
    }
    const std::int64_t half = step / 2;
    auto snap = [&](std::int32_t c, double origin) {
        const std::int64_t a = pastLine(c * kMicroPixelsPerPixel, origin, step);
        return a < half ? c - static_cast<double>(a) / 1000000.0
                        : c + static_cast<double>(step - a) / 1000000.0;
    };
    return modelPointFromClient(camera, snap(click.x, camera.centreX),
                                snap(click.y, camera.centreY));
}

void roundPointToGrid(const Camera& camera, const ViewOptions& view, const SnapSettings& snap,
                      PixelPoint& point) {
    if (!anyGridSnap(snap)) {
        return;
    }
    const int spacing = view.gridUnits();
    const std::int64_t step = gridStepMicroPixels(spacing == 0 ? 1 : spacing, camera.zoom);
    if (step < 4) {
        return;
    }
    const std::int64_t half = step / 2;
    auto round = [&](std::int32_t& c, double origin) {
        const std::int64_t magnitude = std::llabs(static_cast<long long>(c));
        const std::int64_t a = pastLine(magnitude * kMicroPixelsPerPixel, origin, step);
        const auto down = static_cast<std::int32_t>(a / kMicroPixelsPerPixel);
        const auto up = static_cast<std::int32_t>((step - a) / kMicroPixelsPerPixel);
        if (c >= 0) {
            c = a < half ? c - down : c + up;
        } else {
            c = a < half ? c + down : c - up;
        }
    };
    round(point.x, camera.centreX);
    round(point.y, camera.centreY);
}

void roundOffsetToGrid(const Camera& camera, const ViewOptions& view, const SnapSettings& snap,
                       PixelPoint& offset) {
    const int spacing = view.gridUnits();
    if (!anyGridSnap(snap) || spacing == 0) {
        return;
    }
    const std::int64_t step = gridStepMicroPixels(spacing, camera.zoom);
    if (step <= 1) {
        return;
    }
    const std::int64_t half = step / 2;
    auto round = [&](std::int32_t& d) {
        const std::int64_t magnitude = std::llabs(static_cast<long long>(d));
        const std::int64_t a = (magnitude * kMicroPixelsPerPixel) % step;
        const std::int64_t rounded = a < half ? magnitude - a / kMicroPixelsPerPixel
                                              : magnitude + (step - a) / kMicroPixelsPerPixel;
        d = static_cast<std::int32_t>(d < 0 ? -rounded : rounded);
    };
    round(offset.x);
    round(offset.y);
}

void toggleVertexSnap(SnapSettings& s, int point) {
    const auto p = static_cast<std::size_t>(point);
    s.vertexSnap[p] = !s.vertexSnap[p];
    if (s.vertexSnap[p]) {
        s.gridSnap[p] = false;
    }
}

void toggleGridSnap(SnapSettings& s, int point) {
    const auto p = static_cast<std::size_t>(point);
    s.gridSnap[p] = !s.gridSnap[p];
    if (s.gridSnap[p]) {
        s.vertexSnap[p] = false;
    }
}

bool allVertexSnap(const SnapSettings& s) {
    return s.vertexSnap[1] && s.vertexSnap[2] && s.vertexSnap[3];
}

bool allGridSnap(const SnapSettings& s) {
    return s.gridSnap[1] && s.gridSnap[2] && s.gridSnap[3];
}

void toggleAllVertexSnap(SnapSettings& s) {
    const bool turnOn = !allVertexSnap(s);
    for (std::size_t p = 1; p <= 3; ++p) {
        s.vertexSnap[p] = turnOn;
        if (turnOn) {
            s.gridSnap[p] = false;
        }
    }
}

void toggleAllGridSnap(SnapSettings& s) {
    const bool turnOn = !allGridSnap(s);
    for (std::size_t p = 1; p <= 3; ++p) {
        s.gridSnap[p] = turnOn;
        if (turnOn) {
            s.vertexSnap[p] = false;
        }
    }
}

void toggleGridSpacing(ViewOptions& view, int spacing) {
    const auto chosen = static_cast<GridSpacing>(spacing);
    view.grid = view.grid == chosen ? GridSpacing::None : chosen;
}

bool gridSpacingIs(const ViewOptions& view, int spacing) {
    return view.gridUnits() == spacing;
}

} // namespace fcw
