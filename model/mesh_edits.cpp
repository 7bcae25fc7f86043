#include "model/mesh_edits.h"

namespace fcw {

void removeViewTriangle(MeshStore& store, Selection& selection, int t) {
    auto& view = store.viewTriangles;
    auto& model = store.modelTriangles;
    for (int i = t; i < store.lastIndex; ++i) {
        const auto dst = static_cast<std::size_t>(i);
        Triangle& moved = view[dst];
        moved.assign(view[dst + 1]);
        moved.computePolar();
        moved.computeNormal();
        for (std::size_t k = 0; k < 3; ++k) {
            moved.v[k].selected = view[dst + 1].v[k].selected;
            model[dst].v[k].selected = model[dst + 1].v[k].selected;
        }
    }
    const auto last = static_cast<std::size_t>(store.lastIndex);
    for (std::size_t k = 0; k < 3; ++k) {
        view[last].v[k].selected = 0;
        model[last].v[k].selected = 0;
    }
    --store.lastIndex;
    selection.triangleRemoved(t);
}

void removeModelTriangles(MeshStore& store, Selection& selection, std::span<const int> ascending) {
    selection.clear(store);
    // Each removal moves the later triangles, and so the later indices, down by one.
    for (std::size_t n = 0; n < ascending.size(); ++n) {
        const int k = ascending[n] - static_cast<int>(n);
        for (int j = k; j < store.lastIndex; ++j) {
            Triangle& dst = store.modelTriangles[static_cast<std::size_t>(j)];
            dst.assign(store.modelTriangles[static_cast<std::size_t>(j + 1)]);
            dst.computePolar();
            dst.computeNormal();
        }
        --store.lastIndex;
    }
}

void recolourTriangle(MeshStore& store, int t, Colour colour) {
    store.viewTriangles[static_cast<std::size_t>(t)].setColour(colour);
    store.modelTriangles[static_cast<std::size_t>(t)].setColour(colour);
}

} // namespace fcw
