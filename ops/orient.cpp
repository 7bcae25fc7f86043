#include "ops/orient.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

namespace fcw {

namespace {

// Positions closer than this share a corner, relative to the largest extent of the triangles.
constexpr double kRelativeTolerance = 1e-7;

Point3 cross(const Point3& a, const Point3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
double dot(const Point3& a, const Point3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

// The corners of the triangles, each named by the first corner found within the tolerance.
struct Corners {
    std::vector<std::array<int, 3>> ids; // per triangle of the list
    std::vector<Point3> positions;       // per corner id
    double tolerance = 0.0;
};

// The largest extent of the points along an axis, and that axis (0 x, 1 y, 2 z).
std::pair<double, int> extentOf(std::span<const Point3> points) {
    if (points.empty()) {
        return {0.0, 0};
    }
    Point3 low = points[0];
    Point3 high = points[0];
    for (const Point3& p : points) {
        low = {std::min(low.x, p.x), std::min(low.y, p.y), std::min(low.z, p.z)};
        high = {std::max(high.x, p.x), std::max(high.y, p.y), std::max(high.z, p.z)};
    }
    const double e[3] = {high.x - low.x, high.y - low.y, high.z - low.z};
    const int axis = e[1] > e[0] ? (e[2] > e[1] ? 2 : 1) : (e[2] > e[0] ? 2 : 0);
    return {e[axis], axis};
}

double along(const Point3& p, int axis) {
    return axis == 0 ? p.x : (axis == 1 ? p.y : p.z);
}

Corners weldCorners(const std::vector<Triangle>& model, std::span<const int> triangles) {
    std::vector<Point3> points;
    points.reserve(3 * triangles.size());
    for (const int t : triangles) {
        for (const Point3& p : model[static_cast<std::size_t>(t)].v) {
            points.emplace_back(p.x, p.y, p.z);
        }
    }
    const auto [extent, axis] = extentOf(points);
    Corners out;
    out.tolerance = extent * kRelativeTolerance;
    const double tol = out.tolerance;
    // Sorted along the longest axis, a corner's matches lie in a short window before it.
    std::vector<std::size_t> order(points.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        order[i] = i;
    }
    std::sort(order.begin(), order.end(), [&, axis = axis](std::size_t a, std::size_t b) {
        return along(points[a], axis) < along(points[b], axis);
    });
    out.ids.resize(triangles.size());
    std::vector<int> idOf(points.size(), -1);
    for (std::size_t i = 0; i < order.size(); ++i) {
        const Point3& p = points[order[i]];
        for (std::size_t j = i; j-- > 0 && along(p, axis) - along(points[order[j]], axis) <= tol;) {
            const Point3& q = points[order[j]];
            if (std::abs(p.x - q.x) <= tol && std::abs(p.y - q.y) <= tol &&
                std::abs(p.z - q.z) <= tol) {
                idOf[order[i]] = idOf[order[j]];
                break;
            }
        }
        if (idOf[order[i]] < 0) {
            idOf[order[i]] = static_cast<int>(out.positions.size());
            out.positions.push_back(p);
        }
        out.ids[order[i] / 3][order[i] % 3] = idOf[order[i]];
    }
    return out;
}

// One side of an edge: the triangle (list index) and whether it runs from the lower corner id
// to the higher one.
struct EdgeSide {
    std::uint64_t key = 0;
    int triangle = 0;
    bool rising = false;
};

struct Neighbour {
    int triangle = 0;
    bool sameWay = false; // both run the shared edge the same way
};

struct Adjacency {
    std::vector<std::vector<Neighbour>> neighbours;
    std::vector<bool> onBoundary; // some edge not shared by exactly two
};

Adjacency adjacency(const Corners& corners, const std::vector<bool>& usable) {
    std::vector<EdgeSide> sides;
    for (std::size_t t = 0; t < corners.ids.size(); ++t) {
        if (!usable[t]) {
            continue;
        }
        for (std::size_t k = 0; k < 3; ++k) {
            const auto a = static_cast<std::uint64_t>(corners.ids[t][k]);
            const auto b = static_cast<std::uint64_t>(corners.ids[t][(k + 1) % 3]);
            sides.push_back({std::min(a, b) << 32 | std::max(a, b), static_cast<int>(t), a < b});
        }
    }
    std::sort(sides.begin(), sides.end(), [](const EdgeSide& x, const EdgeSide& y) {
        return x.key != y.key ? x.key < y.key : x.triangle < y.triangle;
    });
    Adjacency out{std::vector<std::vector<Neighbour>>(corners.ids.size()),
                  std::vector<bool>(corners.ids.size(), false)};
    for (std::size_t i = 0; i < sides.size();) {
        std::size_t end = i;
        while (end < sides.size() && sides[end].key == sides[i].key) {
            ++end;
        }
        if (end - i == 2 && sides[i].triangle != sides[i + 1].triangle) {
            const bool same = sides[i].rising == sides[i + 1].rising;
            out.neighbours[static_cast<std::size_t>(sides[i].triangle)].push_back(
                {sides[i + 1].triangle, same});
            out.neighbours[static_cast<std::size_t>(sides[i + 1].triangle)].push_back(
                {sides[i].triangle, same});
        } else {
            for (std::size_t j = i; j < end; ++j) {
                out.onBoundary[static_cast<std::size_t>(sides[j].triangle)] = true;
            }
        }
        i = end;
    }
    return out;
}

// A part's corners as its triangles run once they are made consistent.
struct Part {
    std::vector<int> members; // list indices, first the one the walk started from
    bool consistent = true;
    bool closed = true;
};

// Walks the part of `start`, setting flip[t] so that neighbours run shared edges opposite ways.
Part walkPart(const Adjacency& adj, int start, std::vector<int>& flip) {
    Part part;
    flip[static_cast<std::size_t>(start)] = 0;
    part.members.push_back(start);
    for (std::size_t next = 0; next < part.members.size(); ++next) {
        const int t = part.members[next];
        part.closed = part.closed && !adj.onBoundary[static_cast<std::size_t>(t)];
        for (const Neighbour& n : adj.neighbours[static_cast<std::size_t>(t)]) {
            const int wanted = flip[static_cast<std::size_t>(t)] ^ (n.sameWay ? 1 : 0);
            int& other = flip[static_cast<std::size_t>(n.triangle)];
            if (other < 0) {
                other = wanted;
                part.members.push_back(n.triangle);
            } else if (other != wanted) {
                part.consistent = false;
            }
        }
    }
    return part;
}

// The corners of list triangle t in the order the part's walk gives it.
std::array<Point3, 3> cornersOf(const Corners& c, int t, int flip) {
    const auto& id = c.ids[static_cast<std::size_t>(t)];
    const auto at = [&](int k) { return c.positions[static_cast<std::size_t>(id[k])]; };
    return flip != 0 ? std::array<Point3, 3>{at(0), at(2), at(1)}
                     : std::array<Point3, 3>{at(0), at(1), at(2)};
}

Point3 normalOf(const std::array<Point3, 3>& v) {
    return cross(v[1] - v[0], v[2] - v[0]);
}

// +1 when the part as walked faces outward, -1 inward, 0 when it is flat.
int walkedFacing(const Corners& c, const Part& part, const std::vector<int>& flip) {
    Point3 centre(0, 0, 0);
    for (const int t : part.members) {
        for (const int id : c.ids[static_cast<std::size_t>(t)]) {
            centre += c.positions[static_cast<std::size_t>(id)];
        }
    }
    centre /= 3.0 * static_cast<double>(part.members.size());
    double volume = 0.0;
    double farthest = -1.0;
    int far = -1;
    for (const int t : part.members) {
        const auto v = cornersOf(c, t, flip[static_cast<std::size_t>(t)]);
        volume += dot(v[0] - centre, cross(v[1] - centre, v[2] - centre));
        for (const int id : c.ids[static_cast<std::size_t>(t)]) {
            const Point3 d = c.positions[static_cast<std::size_t>(id)] - centre;
            if (dot(d, d) > farthest) {
                farthest = dot(d, d);
                far = id;
            }
        }
    }
    if (part.closed && volume != 0.0) {
        return volume > 0.0 ? 1 : -1;
    }
    // The triangles at the farthest corner, each weighted by its area.
    const Point3 away = c.positions[static_cast<std::size_t>(far)] - centre;
    double lean = 0.0;
    for (const int t : part.members) {
        const auto& id = c.ids[static_cast<std::size_t>(t)];
        if (std::find(id.begin(), id.end(), far) != id.end()) {
            lean += dot(normalOf(cornersOf(c, t, flip[static_cast<std::size_t>(t)])), away);
        }
    }
    return lean > 0.0 ? 1 : (lean < 0.0 ? -1 : 0);
}

// Whether every corner lies in the plane of the part's largest triangle; `largest` is set to it.
bool isFlat(const Corners& c, const Part& part, int& largest) {
    double best = -1.0;
    Point3 normal;
    for (const int t : part.members) {
        const Point3 n = normalOf(cornersOf(c, t, 0));
        if (dot(n, n) > best) {
            best = dot(n, n);
            normal = n;
            largest = t;
        }
    }
    const double length = std::sqrt(best);
    if (!(length > 0.0)) {
        return true;
    }
    const Point3 origin = cornersOf(c, largest, 0)[0];
    for (const int t : part.members) {
        for (const int id : c.ids[static_cast<std::size_t>(t)]) {
            const Point3 d = c.positions[static_cast<std::size_t>(id)] - origin;
            if (std::abs(dot(d, normal)) > c.tolerance * length) {
                return false;
            }
        }
    }
    return true;
}

} // namespace

OrientPlan planOrientation(const MeshStore& store, std::span<const int> triangles, Facing facing) {
    OrientPlan plan;
    const Corners corners = weldCorners(store.modelTriangles, triangles);
    // A triangle with two corners in one place has no facing and joins no part.
    std::vector<bool> usable(triangles.size());
    for (std::size_t i = 0; i < triangles.size(); ++i) {
        const auto& id = corners.ids[i];
        usable[i] = id[0] != id[1] && id[1] != id[2] && id[0] != id[2];
    }
    const Adjacency adj = adjacency(corners, usable);
    std::vector<int> flip(triangles.size(), -1);
    for (std::size_t start = 0; start < triangles.size(); ++start) {
        if (!usable[start] || flip[start] >= 0) {
            continue;
        }
        const Part part = walkPart(adj, static_cast<int>(start), flip);
        if (!part.consistent) {
            ++plan.leftAlone;
            continue;
        }
        int largest = part.members.front();
        int turnAll = 0;
        if (isFlat(corners, part, largest)) {
            turnAll = flip[static_cast<std::size_t>(largest)];
        } else {
            const int faces = walkedFacing(corners, part, flip);
            const int wanted = facing == Facing::Outward ? 1 : -1;
            turnAll = faces == 0 ? flip[static_cast<std::size_t>(largest)] : (faces != wanted);
        }
        for (const int t : part.members) {
            if ((flip[static_cast<std::size_t>(t)] ^ turnAll) != 0) {
                plan.toTurn.push_back(triangles[static_cast<std::size_t>(t)]);
            }
        }
    }
    std::sort(plan.toTurn.begin(), plan.toTurn.end());
    return plan;
}

void turnTriangles(MeshStore& store, std::span<const int> slots) {
    for (const int t : slots) {
        store.modelTriangles[static_cast<std::size_t>(t)].reverseWinding();
        store.viewTriangles[static_cast<std::size_t>(t)].reverseWinding();
    }
}

} // namespace fcw
