#include "ops/subdivision.h"

#include "ops/selection_walk.h"

namespace fcw {

namespace {

Point3 mid(const Point3& a, const Point3& b) {
    return {(a.x + b.x) * 0.5, (a.y + b.y) * 0.5, (a.z + b.z) * 0.5};
}

// Writes slot `s` of the model as (a, b, c) with colour `colour` and its derived data. The
// slot's marks are left alone.
void writeSlot(MeshStore& store, int s, const Point3& a, const Point3& b, const Point3& c,
               Colour colour) {
    Triangle& t = store.modelTriangles[static_cast<std::size_t>(s)];
    t.setVertex(0, a);
    t.setVertex(1, b);
    t.setVertex(2, c);
    t.setColour(colour);
    t.computePolar();
    t.computeNormal();
}

// The edge-selected walk: runs of one triangle's entries; from a run's second entry on, the
// triangle acts when exactly two of its marks (in the view list) are set.
template <typename Action>
void forEachEdgeSelected(const MeshStore& store, const Selection& selection, Action&& action) {
    const auto list = selection.vertices();
    if (list.size() < 2) {
        return;
    }
    int current = list[0].triangle;
    for (std::size_t i = 1; i < list.size(); ++i) {
        if (list[i].triangle != current) {
            current = list[i].triangle;
            continue;
        }
        if (current < 0 || current > store.lastIndex) {
            continue;
        }
        if (store.viewTriangles[static_cast<std::size_t>(current)].selectedVertexCount() == 2) {
            if (!action(current)) {
                return;
            }
        }
    }
}

bool splitWhole(MeshStore& store, const Selection& selection, bool (*split)(MeshStore&, int)) {
    bool ok = true;
    forEachWholeTriangle(selection, [&](int t) {
        ok = split(store, t);
        return ok;
    });
    return ok;
}

bool splitEdges(MeshStore& store, const Selection& selection) {
    bool ok = true;
    forEachEdgeSelected(store, selection, [&](int t) {
        ok = splitInTwo(store, t);
        return ok;
    });
    return ok;
}

void refreshForward(MeshStore& store, const Camera& camera) {
    store.refreshModelToView(camera.verticalAxisAngle, camera.horizontalAxisAngle);
}

bool walk(MeshStore& store, const Selection& selection, SelectionSplit kind, const Camera& camera) {
    switch (kind) {
    case SelectionSplit::InFour:
        return splitWhole(store, selection, splitInFour);
    case SelectionSplit::InThree:
        return splitWhole(store, selection, splitInThree);
    case SelectionSplit::InTwo:
        return splitEdges(store, selection);
    case SelectionSplit::FourAndTwo:
        if (!splitWhole(store, selection, splitInFour)) {
            return false;
        }
        // The edge walk reads the view list's marks of the triangles just rewritten.
        refreshForward(store, camera);
        return splitEdges(store, selection);
    }
    return true;
}

} // namespace

namespace {

// The triangles a picked split adds to the store.
int addedBy(PickedSplit kind) {
    return kind == PickedSplit::InFour ? 3 : 2;
}

} // namespace

bool splitInFour(MeshStore& store, int t) {
    const int n = store.lastIndex;
    if (n + addedBy(PickedSplit::InFour) >= kMaxTriangles) {
        return false;
    }
    const Triangle& tri = store.modelTriangles[static_cast<std::size_t>(t)];
    const Point3 p0 = tri.v[0], p1 = tri.v[1], p2 = tri.v[2];
    const Colour c = tri.colour;
    const Point3 m01 = mid(p0, p1), m12 = mid(p1, p2), m20 = mid(p2, p0);
    writeSlot(store, n + 1, m01, p1, m12, c);
    writeSlot(store, n + 2, m20, m12, p2, c);
    writeSlot(store, n + 3, m12, m20, m01, c);
    writeSlot(store, t, p0, m01, m20, c);
    store.lastIndex = static_cast<std::int16_t>(n + 3);
    return true;
}

bool splitInThree(MeshStore& store, int t) {
    const int n = store.lastIndex;
    if (n + addedBy(PickedSplit::InThree) >= kMaxTriangles) {
        return false;
    }
    const Triangle& tri = store.modelTriangles[static_cast<std::size_t>(t)];
    const Point3 p0 = tri.v[0], p1 = tri.v[1], p2 = tri.v[2];
    const Point3 centre(tri.centroid.x, tri.centroid.y, tri.centroid.z);
    const Colour c = tri.colour;
    writeSlot(store, n + 1, p0, p1, centre, c);
    writeSlot(store, n + 2, centre, p1, p2, c);
    writeSlot(store, t, p0, centre, p2, c);
    store.lastIndex = static_cast<std::int16_t>(n + 2);
    return true;
}

bool splitInTwo(MeshStore& store, int t) {
    const int n = store.lastIndex;
    if (n + 1 >= kMaxTriangles) {
        return false;
    }
    const Triangle& tri = store.modelTriangles[static_cast<std::size_t>(t)];
    int free = -1;
    int unselected = 0;
    for (int k = 0; k < 3; ++k) {
        if (tri.v[static_cast<std::size_t>(k)].selected == 0) {
            free = k;
            ++unselected;
        }
    }
    if (unselected != 1) {
        return true; // not edge-selected in the model: nothing to split
    }
    const Point3 p0 = tri.v[0], p1 = tri.v[1], p2 = tri.v[2];
    const Colour c = tri.colour;
    switch (free) {
    case 0: {
        const Point3 m = mid(p1, p2);
        writeSlot(store, n + 1, p0, m, p2, c);
        writeSlot(store, t, p0, p1, m, c);
        break;
    }
    case 1: {
        const Point3 m = mid(p2, p0);
        writeSlot(store, n + 1, p0, p1, m, c);
        writeSlot(store, t, m, p1, p2, c);
        break;
    }
    default: {
        const Point3 m = mid(p0, p1);
        writeSlot(store, n + 1, m, p1, p2, c);
        writeSlot(store, t, p0, m, p2, c);
        break;
    }
    }
    store.lastIndex = static_cast<std::int16_t>(n + 1);
    return true;
}

bool hasEdgeSelectedTriangle(const MeshStore& store, const Selection& selection) {
    bool found = false;
    forEachEdgeSelected(store, selection, [&](int) {
        found = true;
        return false;
    });
    return found;
}

SplitOutcome splitSelection(MeshStore& store, Selection& selection, SelectionSplit kind,
                            const Camera& camera) {
    const bool complete = walk(store, selection, kind, camera);
    refreshForward(store, camera);
    selection.clear(store);
    return complete ? SplitOutcome::Done : SplitOutcome::StoppedAtCapacity;
}

SplitOutcome pickedSplitOutcome(const MeshStore& store, int t, PickedSplit kind) {
    if (t < 0 || t > store.lastIndex) {
        return SplitOutcome::NotLive;
    }
    return store.lastIndex + addedBy(kind) >= kMaxTriangles ? SplitOutcome::StoppedAtCapacity
                                                            : SplitOutcome::Done;
}

SplitOutcome splitTriangle(MeshStore& store, int t, PickedSplit kind, const Camera& camera) {
    if (t < 0 || t > store.lastIndex) {
        return SplitOutcome::NotLive;
    }
    const bool split = kind == PickedSplit::InFour ? splitInFour(store, t) : splitInThree(store, t);
    if (!split) {
        return SplitOutcome::StoppedAtCapacity;
    }
    refreshForward(store, camera);
    return SplitOutcome::Done;
}

} // namespace fcw
