#include "ops/subdivision.h"

#include "editor/editor.h"
#include "ops/selection_walk.h"

namespace fcw {

namespace {

Point3 mid(const Point3& a, const Point3& b) {
    return {(a.x + b.x) * 0.5, (a.y + b.y) * 0.5, (a.z + b.z) * 0.5};
}

// Writes slot `s` of the model as (a, b, c) with colour `colour` and its derived data; new
// slots lose old marks.
void writeSlot(MeshStore& store, int s, const Point3& a, const Point3& b, const Point3& c,
               Colour colour, bool appended) {
    Triangle& t = store.modelTriangles[static_cast<std::size_t>(s)];
    t.setVertex(0, a);
    t.setVertex(1, b);
    t.setVertex(2, c);
    t.setColour(colour);
    if (appended) {
        for (std::size_t k = 0; k < 3; ++k) {
            t.v[k].selected = 0;
            store.viewTriangles[static_cast<std::size_t>(s)].v[k].selected = 0;
        }
    }
    t.computePolar();
    t.computeNormal();
}

// The edge-selected walk: runs of one triangle's entries; from a run's second entry on, the
// triangle acts when exactly two of its marks (in the view list) are set.
template <typename Action> void forEachEdgeSelected(const Editor& e, Action&& action) {
    const auto list = e.selection.vertices();
    if (list.size() < 2) {
        return;
    }
    int current = list[0].triangle;
    int counter = 0;
    for (std::size_t i = 1; i < list.size(); ++i) {
        if (list[i].triangle != current) {
            current = list[i].triangle;
            counter = 0;
            continue;
        }
        ++counter;
        if (current < 0 || current > e.store.lastIndex) {
            continue;
        }
        if (e.store.viewTriangles[static_cast<std::size_t>(current)].selectedVertexCount() == 2) {
            if (!action(current)) {
                return;
            }
            counter = 0;
        }
    }
}

template <typename Walk> void runSelectionSplit(Editor& e, Walk&& walk) {
    abandonDrawing(e);
    e.takeSnapshot();
    const bool complete = walk();
    e.refreshModelToView();
    e.selection.clear(e.store);
    e.countEdit();
    if (!complete) {
        showTooManyPolygons(e);
        return;
    }
    clearToolPhases(e);
    e.repaint();
}

bool splitWhole(Editor& e, bool (*split)(MeshStore&, int)) {
    bool ok = true;
    forEachWholeTriangle(e.selection, [&](int t) {
        ok = split(e.store, t);
        return ok;
    });
    return ok;
}

bool splitEdges(Editor& e) {
    bool ok = true;
    forEachEdgeSelected(e, [&](int t) {
        ok = splitInTwo(e.store, t);
        return ok;
    });
    return ok;
}

void splitPicked(Editor& e, bool (*split)(MeshStore&, int)) {
    abandonDrawing(e);
    e.takeSnapshot();
    const int t = e.interaction.pickedTriangle;
    if (t >= 0 && t <= e.store.lastIndex) {
        if (split(e.store, t)) {
            e.refreshModelToView();
            e.countEdit();
        } else {
            showTooManyPolygons(e);
        }
    }
    e.repaint();
}

} // namespace

bool splitInFour(MeshStore& store, int t) {
    const int n = store.lastIndex;
    if (n + 3 >= kMaxTriangles) {
        return false;
    }
    const Triangle& tri = store.modelTriangles[static_cast<std::size_t>(t)];
    const Point3 p0 = tri.v[0], p1 = tri.v[1], p2 = tri.v[2];
    const Colour c = tri.colour;
    const Point3 m01 = mid(p0, p1), m12 = mid(p1, p2), m20 = mid(p2, p0);
    writeSlot(store, n + 1, m01, p1, m12, c, true);
    writeSlot(store, n + 2, m20, m12, p2, c, true);
    writeSlot(store, n + 3, m12, m20, m01, c, true);
    writeSlot(store, t, p0, m01, m20, c, false);
    store.lastIndex = static_cast<std::int16_t>(n + 3);
    return true;
}

bool splitInThree(MeshStore& store, int t) {
    const int n = store.lastIndex;
    if (n + 2 >= kMaxTriangles) {
        return false;
    }
    const Triangle& tri = store.modelTriangles[static_cast<std::size_t>(t)];
    const Point3 p0 = tri.v[0], p1 = tri.v[1], p2 = tri.v[2];
    const Point3 centre(tri.centroid.x, tri.centroid.y, tri.centroid.z);
    const Colour c = tri.colour;
    writeSlot(store, n + 1, p0, p1, centre, c, true);
    writeSlot(store, n + 2, centre, p1, p2, c, true);
    writeSlot(store, t, p0, centre, p2, c, false);
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
        writeSlot(store, n + 1, p0, m, p2, c, true);
        writeSlot(store, t, p0, p1, m, c, false);
        break;
    }
    case 1: {
        const Point3 m = mid(p2, p0);
        writeSlot(store, n + 1, p0, p1, m, c, true);
        writeSlot(store, t, m, p1, p2, c, false);
        break;
    }
    default: {
        const Point3 m = mid(p0, p1);
        writeSlot(store, n + 1, m, p1, p2, c, true);
        writeSlot(store, t, p0, m, p2, c, false);
        break;
    }
    }
    store.lastIndex = static_cast<std::int16_t>(n + 1);
    return true;
}

bool hasEdgeSelectedTriangle(const Editor& editor) {
    bool found = false;
    forEachEdgeSelected(editor, [&](int) {
        found = true;
        return false;
    });
    return found;
}

void splitSelectionInFour(Editor& e) {
    runSelectionSplit(e, [&] { return splitWhole(e, splitInFour); });
}

void splitSelectionInThree(Editor& e) {
    runSelectionSplit(e, [&] { return splitWhole(e, splitInThree); });
}

void splitSelectionInTwo(Editor& e) {
    runSelectionSplit(e, [&] { return splitEdges(e); });
}

void splitSelectionFourAndTwo(Editor& e) {
    runSelectionSplit(e, [&] {
        if (!splitWhole(e, splitInFour)) {
            return false;
        }
        e.refreshModelToView();
        return splitEdges(e);
    });
}

void splitPickedInFour(Editor& e) {
    splitPicked(e, splitInFour);
}

void splitPickedInThree(Editor& e) {
    splitPicked(e, splitInThree);
}

} // namespace fcw
