#include "tests/app/editor_invariants.h"

#include "app/editor.h"
#include "ops/selection_walk.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <sstream>

namespace fcw::testing {

namespace {

// Bit-for-bit equality, so that a NaN cache matches a NaN recomputation.
bool same(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0 || (std::isnan(a) && std::isnan(b));
}

bool samePoint(const Point3& a, const Point3& b) {
    return same(a.x, b.x) && same(a.y, b.y) && same(a.z, b.z);
}

bool samePolar(const PolarCache& a, const PolarCache& b) {
    return same(a.angleXY, b.angleXY) && same(a.angleXZ, b.angleXZ) &&
           same(a.radiusXY, b.radiusXY) && same(a.radiusXZ, b.radiusXZ);
}

std::string describe(const char* list, int index, const std::string& what) {
    std::ostringstream s;
    s << list << " triangle " << index << ": " << what;
    return s.str();
}

// The derived fields against a recomputation from the vertices. The normal of a triangle
// still being drawn is computed only when its third vertex is placed, so `withNormal` is false
// for it.
std::optional<std::string> checkDerived(const Triangle& t, const char* list, int index,
                                        bool withNormal) {
    Triangle fresh = t;
    fresh.computePolar();
    fresh.computeNormal();
    for (std::size_t k = 0; k < 3; ++k) {
        if (!samePolar(t.vertexPolar[k], fresh.vertexPolar[k])) {
            return describe(list, index, "stale polar cache of vertex " + std::to_string(k));
        }
    }
    if (!samePoint(t.centroid, fresh.centroid)) {
        return describe(list, index, "stale centroid");
    }
    if (!samePolar(t.centroidPolar, fresh.centroidPolar)) {
        return describe(list, index, "stale centroid polar cache");
    }
    if (withNormal) {
        if (!samePoint(t.normal, fresh.normal)) {
            return describe(list, index, "stale normal");
        }
        if (!same(t.planeD, fresh.planeD) || !same(t.inverseNormalX, fresh.inverseNormalX)) {
            return describe(list, index, "stale plane");
        }
    }
    return std::nullopt;
}

bool closeEnough(double expected, double actual, double tolerance) {
    return std::fabs(expected - actual) <= tolerance;
}

double largestCoordinate(const Triangle& t) {
    double m = 0.0;
    for (const Point3& p : t.v) {
        for (double c : {p.x, p.y, p.z}) {
            if (std::isnan(c)) {
                return c;
            }
            m = std::max(m, std::fabs(c));
        }
    }
    return m;
}

} // namespace

std::optional<std::string> checkEditorInvariants(const Editor& e, bool allowFullSlots) {
    const MeshStore& store = e.store;
    const InteractionState& s = e.interaction;
    const int last = store.lastIndex;
    const int limit = allowFullSlots ? kTriangleSlots - 1 : kMaxTriangles - 1;
    if (last < -1 || last > limit) {
        return "lastIndex " + std::to_string(last) + " outside -1 .. " + std::to_string(limit);
    }
    if (e.undoDepth() < 0 || e.undoDepth() > kUndoLevels) {
        return "undo depth " + std::to_string(e.undoDepth());
    }

    // A sphere being dragged out owns a reserved slot past the model whose contents are
    // whatever was there; a triangle being drawn owns a provisional one.
    const bool reservedSlot = s.toolMode == ToolMode::Sphere && s.editPhase != 0;
    const bool provisional = s.toolMode == ToolMode::DrawTriangle && s.editPhase != 0;
    const int checkedLast = reservedSlot ? last - 1 : last;

    for (int i = 0; i <= checkedLast; ++i) {
        const auto slot = static_cast<std::size_t>(i);
        const bool beingDrawn = provisional && i == last;
        if (auto bad = checkDerived(store.modelTriangles[slot], "model", i, !beingDrawn)) {
            return bad;
        }
        if (auto bad = checkDerived(store.viewTriangles[slot], "view", i, true)) {
            return bad;
        }
        for (std::size_t k = 0; k < 3; ++k) {
            if (store.modelTriangles[slot].v[k].selected != store.viewTriangles[slot].v[k].selected) {
                return describe("model/view", i,
                                "selection marks differ at vertex " + std::to_string(k));
            }
        }
    }

    // The view list against a fresh rotation of the model list. The editor often derives the
    // model from the view (after vertex moves), so one round trip of rounding is allowed.
    static MeshStore rotated;
    rotated.lastIndex = static_cast<std::int16_t>(checkedLast);
    std::copy_n(store.modelTriangles.begin(), checkedLast + 1, rotated.modelTriangles.begin());
    rotated.refreshModelToView(e.camera.verticalAxisAngle, e.camera.horizontalAxisAngle);
    for (int i = 0; i <= checkedLast; ++i) {
        const auto slot = static_cast<std::size_t>(i);
        const Triangle& expected = rotated.viewTriangles[slot];
        const Triangle& actual = store.viewTriangles[slot];
        if (expected.colour != actual.colour) {
            return describe("view", i, "colour differs from the model's");
        }
        const double largest =
            std::max(largestCoordinate(store.modelTriangles[slot]), largestCoordinate(actual));
        if (!(largest < 1e150)) {
            // Infinite, NaN or huge coordinates (a damaged file can hold them) overflow the
            // polar caches: their rotation is not defined, only that it does not crash.
            continue;
        }
        const double tolerance = 1e-9 * (1.0 + largest);
        for (std::size_t k = 0; k < 3; ++k) {
            const Point3& a = expected.v[k];
            const Point3& b = actual.v[k];
            if (!closeEnough(a.x, b.x, tolerance) || !closeEnough(a.y, b.y, tolerance) ||
                !closeEnough(a.z, b.z, tolerance)) {
                std::ostringstream m;
                m.precision(17);
                m << "vertex " << k << " is (" << b.x << ", " << b.y << ", " << b.z
                  << "), the rotated model gives (" << a.x << ", " << a.y << ", " << a.z << ")";
                return describe("view", i, m.str());
            }
        }
    }

    // The selection in force names live vertices only.
    if (s.selectionCount < 0) {
        return "selectionCount " + std::to_string(s.selectionCount);
    }
    const auto active = activeSelection(s);
    if (active.size() != static_cast<std::size_t>(s.selectionCount)) {
        return "selectionCount " + std::to_string(s.selectionCount) + " but the list holds " +
               std::to_string(s.selectionList.size());
    }
    for (const SelectedVertex& v : active) {
        if (v.triangle < 0 || v.triangle > checkedLast || v.vertex < 0 || v.vertex > 2) {
            return "selection entry (" + std::to_string(v.triangle) + ", " +
                   std::to_string(v.vertex) + ") is not a live vertex (lastIndex " +
                   std::to_string(last) + ")";
        }
    }
    // A shown selection is exactly the marked vertices, in triangle then vertex order.
    if (s.toolMode == ToolMode::RangeMove && (s.editPhase == 2 || s.editPhase == 3) &&
        s.selectionCount > 0) {
        std::vector<SelectedVertex> marked;
        for (int i = 0; i <= last; ++i) {
            for (std::int8_t k = 0; k < 3; ++k) {
                if (store.viewTriangles[static_cast<std::size_t>(i)]
                        .v[static_cast<std::size_t>(k)]
                        .selected != 0) {
                    marked.push_back({static_cast<std::int16_t>(i), k});
                }
            }
        }
        if (!std::equal(active.begin(), active.end(), marked.begin(), marked.end())) {
            return "the shown selection of " + std::to_string(active.size()) +
                   " vertices is not the " + std::to_string(marked.size()) + " marked ones";
        }
    }
    return std::nullopt;
}

std::optional<std::string> checkDrawOrder(const Editor& e) {
    const InteractionState& s = e.interaction;
    int n = e.store.lastIndex;
    if (s.toolMode != ToolMode::DrawTriangle && s.toolMode != ToolMode::Sphere &&
        s.editPhase != 0) {
        ++n;
    }
    n = std::min(n, kTriangleSlots - 1);
    if (n < 0) {
        return std::nullopt;
    }
    std::vector<bool> seen(static_cast<std::size_t>(n) + 1, false);
    for (int k = 0; k <= n; ++k) {
        const int t = e.drawOrder[static_cast<std::size_t>(k)];
        if (t < 0 || t > n || seen[static_cast<std::size_t>(t)]) {
            return "drawOrder[" + std::to_string(k) + "] = " + std::to_string(t) +
                   " breaks the permutation of 0 .. " + std::to_string(n);
        }
        seen[static_cast<std::size_t>(t)] = true;
    }
    const auto& keys = e.store.depthKeys;
    if (std::any_of(keys.begin(), keys.begin() + n + 1, [](double k) { return std::isnan(k); })) {
        return std::nullopt; // no consistent order to check
    }
    for (int k = 0; k < n; ++k) {
        const int a = e.drawOrder[static_cast<std::size_t>(k)];
        const int b = e.drawOrder[static_cast<std::size_t>(k + 1)];
        const double ka = keys[static_cast<std::size_t>(a)];
        const double kb = keys[static_cast<std::size_t>(b)];
        if (ka > kb || (ka == kb && a < b)) {
            return "drawOrder is not back to front at position " + std::to_string(k);
        }
    }
    return std::nullopt;
}

} // namespace fcw::testing
