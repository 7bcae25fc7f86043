#include "ops/cleanup.h"

#include "editor/editor.h"
#include "ops/selection_walk.h"
#include "editor/palette_dialog.h"

#include <cmath>
#include <cstdio>
#include <vector>

namespace fcw {

namespace {

Point3& vertexOf(std::vector<Triangle>& list, const SelectedVertex& v) {
    return list[static_cast<std::size_t>(v.triangle)].v[static_cast<std::size_t>(v.vertex)];
}

bool valid(const Editor& e, const SelectedVertex& v) {
    return v.triangle >= 0 && v.triangle <= e.store.lastIndex && v.vertex >= 0 && v.vertex <= 2;
}

void endSelection(Editor& e) {
    e.selection.clear(e.store);
    clearToolPhases(e);
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

void roundSelectedVertices(Editor& e) {
    e.takeSnapshot();
    for (const SelectedVertex& v : e.selection.vertices()) {
        if (!valid(e, v)) {
            continue;
        }
        Point3& p = vertexOf(e.store.modelTriangles, v);
        p.x = roundCoordinate(p.x);
        p.y = roundCoordinate(p.y);
        p.z = roundCoordinate(p.z);
        e.store.modelTriangles[static_cast<std::size_t>(v.triangle)].computePolar();
        e.store.modelTriangles[static_cast<std::size_t>(v.triangle)].computeNormal();
    }
    e.refreshModelToView();
    e.repaint();
    e.countEdit();
}

void mergeSelectedVertices(Editor& e) {
    e.takeSnapshot();
    const auto list = e.selection.vertices();
    const std::size_t n = list.size();
    const Rect& client = e.camera.clientRect;
    const PixelPoint progressAt{(client.right - client.left) / 2 - 100,
                                (client.bottom - client.top) / 2 - 10};
    // The listed vertices are distinct, so the greedy merge can run on a flat copy of their
    // positions; the caches of the touched triangles are recomputed once at the end, which
    // gives the same values as recomputing after every comparison.
    std::vector<Point3> pos(n);
    std::vector<bool> usable(n);
    for (std::size_t i = 0; i < n; ++i) {
        usable[i] = valid(e, list[i]);
        if (usable[i]) {
            pos[i] = vertexOf(e.store.modelTriangles, list[i]);
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
        if (n >= 500) {
            char text[64];
            std::snprintf(text, sizeof text, "頂点の処理状況；%d/%d", static_cast<int>(i),
                          static_cast<int>(n));
            e.host.showProgressText(text, progressAt);
        }
    }
    for (std::size_t j = 0; j < n; ++j) {
        if (usable[j]) {
            vertexOf(e.store.modelTriangles, list[j]).setCoords(pos[j]);
        }
    }
    int lastDone = -1;
    for (std::size_t j = 1; j < n; ++j) {
        if (usable[j] && list[j].triangle != lastDone) {
            lastDone = list[j].triangle;
            e.store.modelTriangles[static_cast<std::size_t>(lastDone)].computePolar();
            e.store.modelTriangles[static_cast<std::size_t>(lastDone)].computeNormal();
        }
    }
    e.refreshModelToView();
    e.repaint();
    e.countEdit();
}

void deleteLineTriangles(Editor& e) {
    abandonDrawing(e);
    e.takeSnapshot();
    MeshStore& s = e.store;
    int write = 0;
    // Compacting in one pass keeps the survivors' order, as removing one at a time would.
    for (int i = 0; i <= s.lastIndex; ++i) {
        const Triangle& t = s.modelTriangles[static_cast<std::size_t>(i)];
        const bool line = sameCoords(t.v[0], t.v[1]) || sameCoords(t.v[0], t.v[2]) ||
                          sameCoords(t.v[2], t.v[1]);
        if (line) {
            continue;
        }
        if (write != i) {
            Triangle& dst = s.modelTriangles[static_cast<std::size_t>(write)];
            dst.assign(t);
            dst.computePolar();
            dst.computeNormal();
        }
        ++write;
    }
    s.lastIndex = static_cast<std::int16_t>(write - 1);
    e.refreshModelToView();
    endSelection(e);
    e.countEdit();
    e.repaint();
}

void reverseSelection(Editor& e) {
    abandonDrawing(e);
    e.takeSnapshot();
    forEachWholeTriangle(e.selection, [&](int t) {
        e.store.modelTriangles[static_cast<std::size_t>(t)].reverseWinding();
        e.store.viewTriangles[static_cast<std::size_t>(t)].reverseWinding();
        return true;
    });
    e.countEdit();
    endSelection(e);
    e.repaint();
}

void paintSelection(Editor& e) {
    abandonDrawing(e);
    e.takeSnapshot();
    choosePaintColour(e);
    const Colour c = e.interaction.currentColour;
    forEachWholeTriangle(e.selection, [&](int t) {
        e.store.modelTriangles[static_cast<std::size_t>(t)].setColour(c);
        e.store.viewTriangles[static_cast<std::size_t>(t)].setColour(c);
        return true;
    });
    e.countEdit();
    endSelection(e);
    e.repaint();
}

void selectAll(Editor& e) {
    InteractionState& s = e.interaction;
    abandonDrawing(e);
    if (e.store.lastIndex < 0) {
        return;
    }
    s.toolMode = ToolMode::RangeMove;
    if (rubberBandShown(e) || selectionDragged(e)) {
        return;
    }
    e.selection.selectTriangles(e.store, 0, std::min<int>(e.store.lastIndex, kTriangleSlots - 1));
    showSelection(e);
}

} // namespace fcw
