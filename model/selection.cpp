#include "model/selection.h"

#include <algorithm>

namespace fcw {

namespace {

void setMark(MeshStore& store, int t, int k, std::int32_t mark) {
    const auto slot = static_cast<std::size_t>(t);
    const auto vertex = static_cast<std::size_t>(k);
    store.modelTriangles[slot].v[vertex].selected = mark;
    store.viewTriangles[slot].v[vertex].selected = mark;
}

} // namespace

void Selection::clear(MeshStore& store) {
    list_.clear();
    // Every slot, not only the live ones: a slot past the model may still carry the marks of a
    // triangle that an undo or a removal took away.
    for (int t = 0; t < kTriangleSlots; ++t) {
        for (int k = 0; k < 3; ++k) {
            setMark(store, t, k, 0);
        }
    }
}

void Selection::toggleMark(MeshStore& store, int t, int k) {
    const auto& p = store.viewTriangles[static_cast<std::size_t>(t)].v[static_cast<std::size_t>(k)];
    setMark(store, t, k, p.selected != 0 ? 0 : 1);
}

void Selection::rebuild(const MeshStore& store) {
    list_.clear();
    for (int t = 0; t <= store.lastIndex; ++t) {
        const Triangle& tri = store.viewTriangles[static_cast<std::size_t>(t)];
        for (std::int8_t k = 0; k < 3; ++k) {
            if (tri.v[static_cast<std::size_t>(k)].selected != 0) {
                list_.push_back({static_cast<std::int16_t>(t), k});
            }
        }
    }
}

void Selection::selectTriangles(MeshStore& store, int first, int last) {
    clear(store);
    for (int t = first; t <= last; ++t) {
        for (std::int8_t k = 0; k < 3; ++k) {
            setMark(store, t, k, 1);
            list_.push_back({static_cast<std::int16_t>(t), k});
        }
    }
}

void Selection::selectVertices(MeshStore& store, std::span<const SelectedVertex> vertices) {
    clear(store);
    for (const SelectedVertex& v : vertices) {
        setMark(store, v.triangle, v.vertex, 1);
    }
    rebuild(store);
}

void Selection::triangleRemoved(int t) {
    std::erase_if(list_, [t](const SelectedVertex& v) { return v.triangle == t; });
    for (SelectedVertex& v : list_) {
        if (v.triangle > t) {
            --v.triangle;
        }
    }
}

void Selection::forgetPast(MeshStore& store, int lastIndex) {
    std::erase_if(list_, [&](const SelectedVertex& v) { return v.triangle > lastIndex; });
    for (int t = std::max(lastIndex + 1, 0); t < kTriangleSlots; ++t) {
        for (int k = 0; k < 3; ++k) {
            setMark(store, t, k, 0);
        }
    }
}

} // namespace fcw
