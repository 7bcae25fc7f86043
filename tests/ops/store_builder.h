#pragma once

#include "model/mesh_store.h"
#include "model/selection.h"
#include "render/camera.h"

#include <initializer_list>
#include <utility>
#include <vector>

namespace fcw::testing {

// A hand-built model for the operations: triangles appended to the model list with their
// derived data, the view list rotated by the camera.
struct OpsModel {
    MeshStore store;
    Selection selection;
    Camera camera;

    void add(Point3 a, Point3 b, Point3 c, Colour colour = 0) {
        ++store.lastIndex;
        Triangle& t = store.modelTriangles[static_cast<std::size_t>(store.lastIndex)];
        t.setVertex(0, a);
        t.setVertex(1, b);
        t.setVertex(2, c);
        t.setColour(colour);
        t.computePolar();
        t.computeNormal();
        refresh();
    }
    void refresh() {
        store.refreshModelToView(camera.verticalAxisAngle, camera.horizontalAxisAngle);
    }
    // Selects exactly these (triangle, vertex) pairs.
    void select(std::initializer_list<std::pair<int, int>> vertices) {
        std::vector<SelectedVertex> list;
        for (auto [t, k] : vertices) {
            list.push_back({static_cast<std::int16_t>(t), static_cast<std::int8_t>(k)});
        }
        selection.selectVertices(store, list);
    }
    void selectWhole(std::initializer_list<int> triangles) {
        std::vector<SelectedVertex> list;
        for (int t : triangles) {
            for (std::int8_t k = 0; k < 3; ++k) {
                list.push_back({static_cast<std::int16_t>(t), k});
            }
        }
        selection.selectVertices(store, list);
    }
    const Point3& model(int t, int k) const {
        return store.modelTriangles[static_cast<std::size_t>(t)].v[static_cast<std::size_t>(k)];
    }
    const Point3& view(int t, int k) const {
        return store.viewTriangles[static_cast<std::size_t>(t)].v[static_cast<std::size_t>(k)];
    }
    // Number of marked vertices in every slot of both lists.
    int marks() const {
        int n = 0;
        for (int t = 0; t < kTriangleSlots; ++t) {
            for (std::size_t k = 0; k < 3; ++k) {
                n += store.modelTriangles[static_cast<std::size_t>(t)].v[k].selected != 0;
                n += store.viewTriangles[static_cast<std::size_t>(t)].v[k].selected != 0;
            }
        }
        return n;
    }
};

// Exact coordinates.
inline bool at(const Point3& p, double x, double y, double z) {
    return p.x == x && p.y == y && p.z == z;
}

} // namespace fcw::testing
