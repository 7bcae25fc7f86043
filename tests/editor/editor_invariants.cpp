#include "tests/editor/editor_invariants.h"

#include "editor/editor.h"
#include "editor/symmetry.h"
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

struct InvariantChecker::Cache {
    std::vector<Triangle> model = std::vector<Triangle>(kTriangleSlots);
    std::vector<Triangle> view = std::vector<Triangle>(kTriangleSlots);
    int last = -2;            // slots below this were checked; -2: nothing checked yet
    int provisionalSlot = -1; // a triangle being drawn, checked without its normal
    double verticalAngle = 0.0;
    double horizontalAngle = 0.0;
    MeshStore rotated;

    // True when slot i was checked last time exactly as it is now.
    bool unchanged(const Editor& e, int i) const {
        const auto slot = static_cast<std::size_t>(i);
        return i < last && i != provisionalSlot &&
               same(verticalAngle, e.pane().camera.verticalAxisAngle) &&
               same(horizontalAngle, e.pane().camera.horizontalAxisAngle) &&
               std::memcmp(&model[slot], &e.document.store.modelTriangles[slot],
                           sizeof(Triangle)) == 0 &&
               std::memcmp(&view[slot], &e.document.store.viewTriangles[slot], sizeof(Triangle)) ==
                   0;
    }
};

InvariantChecker::InvariantChecker() : cache_(std::make_unique<Cache>()) {}
InvariantChecker::~InvariantChecker() = default;

void InvariantChecker::reset() {
    cache_->last = -2;
    cache_->provisionalSlot = -1;
}

std::optional<std::string> checkEditorInvariants(const Editor& e, bool allowFullSlots) {
    return InvariantChecker().check(e, allowFullSlots);
}

namespace {

// The derived fields of every triangle not skipped, and the marks of its corners in both lists.
std::optional<std::string> checkTriangles(const MeshStore& store, int checkedLast, int last,
                                          bool provisional, const std::vector<bool>& skip) {
    for (int i = 0; i <= checkedLast; ++i) {
        const auto slot = static_cast<std::size_t>(i);
        if (skip[slot]) {
            continue;
        }
        const bool beingDrawn = provisional && i == last;
        if (auto bad = checkDerived(store.modelTriangles[slot], "model", i, !beingDrawn)) {
            return bad;
        }
        if (auto bad = checkDerived(store.viewTriangles[slot], "view", i, true)) {
            return bad;
        }
        for (std::size_t k = 0; k < 3; ++k) {
            if (store.modelTriangles[slot].v[k].selected !=
                store.viewTriangles[slot].v[k].selected) {
                return describe("model/view", i,
                                "selection marks differ at vertex " + std::to_string(k));
            }
        }
    }

    return std::nullopt;
}

std::optional<std::string> checkViewAgainstModel(const Editor& e, int checkedLast,
                                                 const std::vector<bool>& skip,
                                                 MeshStore& rotated) {
    const MeshStore& store = e.document.store;
    // The view list against a fresh rotation of the model list. The editor often derives the
    // model from the view (after vertex moves), so one round trip of rounding is allowed.
    // Each triangle rotates on its own, so the ones to check are packed together first.
    std::vector<int> toRotate;
    for (int i = 0; i <= checkedLast; ++i) {
        if (!skip[static_cast<std::size_t>(i)]) {
            rotated.modelTriangles[toRotate.size()] =
                store.modelTriangles[static_cast<std::size_t>(i)];
            toRotate.push_back(i);
        }
    }
    rotated.lastIndex = static_cast<std::int16_t>(static_cast<int>(toRotate.size()) - 1);
    rotated.refreshModelToView(e.pane().camera.verticalAxisAngle,
                               e.pane().camera.horizontalAxisAngle);
    for (std::size_t j = 0; j < toRotate.size(); ++j) {
        const int i = toRotate[j];
        const auto slot = static_cast<std::size_t>(i);
        const Triangle& expected = rotated.viewTriangles[j];
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

    return std::nullopt;
}

std::optional<std::string> checkSelectionMarks(const Editor& e, int checkedLast, int last) {
    const MeshStore& store = e.document.store;
    // The selection names live vertices only.
    const auto active = e.document.selection.vertices();
    for (const SelectedVertex& v : active) {
        if (v.triangle < 0 || v.triangle > checkedLast || v.vertex < 0 || v.vertex > 2) {
            return "selection entry (" + std::to_string(v.triangle) + ", " +
                   std::to_string(v.vertex) + ") is not a live vertex (lastIndex " +
                   std::to_string(last) + ")";
        }
    }
    // No mark outlives its selection: every mark in either list, in every slot, belongs to an
    // entry of the selection and every entry is marked in both lists, in triangle then vertex
    // order.
    std::vector<SelectedVertex> marked;
    for (int i = 0; i < kTriangleSlots; ++i) {
        const Triangle& model = store.modelTriangles[static_cast<std::size_t>(i)];
        const Triangle& view = store.viewTriangles[static_cast<std::size_t>(i)];
        for (std::int8_t k = 0; k < 3; ++k) {
            const auto kk = static_cast<std::size_t>(k);
            if ((model.v[kk].selected != 0) != (view.v[kk].selected != 0)) {
                return describe(
                    "both", i, "the two lists disagree on the mark of vertex " + std::to_string(k));
            }
            if (view.v[kk].selected != 0) {
                marked.push_back({static_cast<std::int16_t>(i), k});
            }
        }
    }
    if (!std::equal(active.begin(), active.end(), marked.begin(), marked.end())) {
        return "the selection of " + std::to_string(active.size()) + " vertices is not the " +
               std::to_string(marked.size()) + " marked ones";
    }

    return std::nullopt;
}

} // namespace

std::optional<std::string> InvariantChecker::check(const Editor& e, bool allowFullSlots) {
    Cache& cache = *cache_;
    const MeshStore& store = e.document.store;
    const int last = store.lastIndex;
    const int limit = allowFullSlots ? kTriangleSlots - 1 : kMaxTriangles - 1;
    if (last < -1 || last > limit) {
        return "lastIndex " + std::to_string(last) + " outside -1 .. " + std::to_string(limit);
    }
    if (e.undoDepth() < 0 || e.undoDepth() > kUndoLevels) {
        return "undo depth " + std::to_string(e.undoDepth());
    }
    // Each undo moves a step from the history to redo and each redo moves one back.
    if (e.redoDepth() < 0 || e.undoDepth() + e.redoDepth() > kUndoLevels) {
        return "redo depth " + std::to_string(e.redoDepth()) + " with undo depth " +
               std::to_string(e.undoDepth());
    }

    // A sphere being dragged out owns a reserved slot past the model whose contents are
    // whatever was there; a triangle being drawn owns a provisional one.
    const bool reservedSlot = sphereDragShown(e);
    const bool provisional = drawingVerticesPlaced(e) > 0;
    const int checkedLast = reservedSlot ? last - 1 : last;

    // The last slot is always checked afresh: whether it is being drawn changes which of its
    // fields are checked.
    std::vector<bool> skip(static_cast<std::size_t>(std::max(checkedLast + 1, 0)));
    for (int i = 0; i <= checkedLast; ++i) {
        skip[static_cast<std::size_t>(i)] = i != last && cache.unchanged(e, i);
    }
    cache.last = -2; // invalid until this check passes

    if (auto bad = checkTriangles(store, checkedLast, last, provisional, skip)) {
        return bad;
    }

    if (auto bad = checkViewAgainstModel(e, checkedLast, skip, cache.rotated)) {
        return bad;
    }
    if (auto bad = checkSelectionMarks(e, checkedLast, last)) {
        return bad;
    }
    if (auto bad = checkSymmetry(e)) {
        return bad;
    }

    std::copy_n(store.modelTriangles.begin(), checkedLast + 1, cache.model.begin());
    std::copy_n(store.viewTriangles.begin(), checkedLast + 1, cache.view.begin());
    cache.last = checkedLast + 1;
    cache.provisionalSlot = provisional ? last : -1;
    cache.verticalAngle = e.pane().camera.verticalAxisAngle;
    cache.horizontalAngle = e.pane().camera.horizontalAxisAngle;
    return std::nullopt;
}

std::optional<std::string> checkSymmetry(const Editor& e) {
    const SymmetryState& s = e.document.symmetry;
    if (!s.on || !s.referenceMadeSymmetric) {
        return std::nullopt; // an undo or redo may bring back a model from before
    }
    const std::vector<TriangleCore> model = liveModel(e);
    const std::vector<int> partner = mirrorPartners(model, s.plane);
    for (std::size_t i = 0; i < model.size(); ++i) {
        if (partner[i] < 0 && !crossesPlane(model[i], s.plane)) {
            return describe("symmetry", static_cast<int>(i), "has no mirror image");
        }
    }
    return std::nullopt;
}

std::optional<std::string> checkDrawOrder(const Editor& e) {
    int n = e.document.store.lastIndex;
    if (rangeToolBusy(e)) {
        ++n;
    }
    n = std::min(n, kTriangleSlots - 1);
    if (n < 0) {
        return std::nullopt;
    }
    std::vector<bool> seen(static_cast<std::size_t>(n) + 1, false);
    for (int k = 0; k <= n; ++k) {
        const int t = e.pane().lastPaint.drawOrder[static_cast<std::size_t>(k)];
        if (t < 0 || t > n || seen[static_cast<std::size_t>(t)]) {
            return "drawOrder[" + std::to_string(k) + "] = " + std::to_string(t) +
                   " breaks the permutation of 0 .. " + std::to_string(n);
        }
        seen[static_cast<std::size_t>(t)] = true;
    }
    const auto& keys = e.document.store.depthKeys;
    if (std::any_of(keys.begin(), keys.begin() + n + 1, [](double k) { return std::isnan(k); })) {
        return std::nullopt; // no consistent order to check
    }
    for (int k = 0; k < n; ++k) {
        const int a = e.pane().lastPaint.drawOrder[static_cast<std::size_t>(k)];
        const int b = e.pane().lastPaint.drawOrder[static_cast<std::size_t>(k + 1)];
        const double ka = keys[static_cast<std::size_t>(a)];
        const double kb = keys[static_cast<std::size_t>(b)];
        if (ka > kb || (ka == kb && a < b)) {
            return "drawOrder is not back to front at position " + std::to_string(k);
        }
    }
    return std::nullopt;
}

std::optional<std::string> checkNoOperationPending(const Editor& e) {
    if (!operationPending(e)) {
        return std::nullopt;
    }
    const ToolStates& t = e.session.tools;
    std::ostringstream m;
    m << "an operation is still under way: drawing " << int(t.drawing.phase) << ", sphere "
      << int(t.sphere.phase) << ", range " << int(t.range.phase) << ", held buttons "
      << int(t.erase.phase) << int(t.paint.phase) << int(t.originMove.phase) << int(t.zoom.phase)
      << ", popup move " << int(t.popupMove.phase) << ", nudge " << int(t.range.nudge);
    return m.str();
}

std::vector<TriangleCore> modelCores(const Editor& e) {
    std::vector<TriangleCore> cores;
    for (int i = 0; i <= e.document.store.lastIndex; ++i) {
        cores.push_back(e.document.store.modelTriangles[static_cast<std::size_t>(i)].core());
    }
    return cores;
}

std::optional<std::string> checkModelUnchanged(const std::vector<TriangleCore>& before,
                                               const Editor& e) {
    const std::vector<TriangleCore> after = modelCores(e);
    if (after.size() != before.size()) {
        return "a move without a button changed the triangle count from " +
               std::to_string(before.size()) + " to " + std::to_string(after.size());
    }
    for (std::size_t i = 0; i < after.size(); ++i) {
        if (after[i].colour != before[i].colour ||
            std::memcmp(&after[i].v, &before[i].v, sizeof after[i].v) != 0) {
            return "a move without a button changed triangle " + std::to_string(i);
        }
    }
    return std::nullopt;
}

std::optional<std::string> checkModifiedAfterEdit(const Editor& e,
                                                  std::uint64_t historySerialBefore) {
    if (e.historySerial() != historySerialBefore && !e.document.modified) {
        return std::string("an edit was counted but the document is not marked modified");
    }
    return std::nullopt;
}

} // namespace fcw::testing
