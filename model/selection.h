#pragma once

#include "model/mesh_store.h"

#include <cstdint>
#include <span>
#include <vector>

namespace fcw {

// One selected vertex: triangle index and vertex 0..2.
struct SelectedVertex {
    std::int16_t triangle = 0;
    std::int8_t vertex = 0;
    friend bool operator==(const SelectedVertex&, const SelectedVertex&) = default;
};

// The vertex selection. It alone writes the selection marks (Point3::selected) of both lists
// of the store and keeps them equal to its list: a vertex is marked in modelTriangles and in
// viewTriangles exactly when the list names it. The list is ordered by triangle, then vertex.
// Every change goes through a member, so no mark can outlive the selection it belonged to.
class Selection {
  public:
    Selection() { list_.reserve(3 * kTriangleSlots); }

    std::span<const SelectedVertex> vertices() const { return list_; }
    int count() const { return static_cast<int>(list_.size()); }
    bool empty() const { return list_.empty(); }

    // Ends the selection: the list is emptied and every mark of every slot in both lists
    // cleared.
    void clear(MeshStore& store);

    // Flips the mark of vertex k of triangle t in both lists. The list is brought in line by
    // the next rebuild(); call it once after a batch of toggles.
    void toggleMark(MeshStore& store, int t, int k);
    // Rebuilds the list from the marks of triangles 0 .. lastIndex.
    void rebuild(const MeshStore& store);

    // Selects every vertex of triangles first .. last (which must be live), after ending the
    // selection in force.
    void selectTriangles(MeshStore& store, int first, int last);

    // Selects exactly `vertices` (live, in any order, no repeats), after ending the selection
    // in force.
    void selectVertices(MeshStore& store, std::span<const SelectedVertex> vertices);

    // Triangle t was removed and the later ones moved down by one, marks and all: drops t's
    // entries and renumbers the later ones.
    void triangleRemoved(int t);

    // Only triangles 0 .. lastIndex stay selectable: entries past it are dropped and the marks
    // of every slot past it cleared.
    void forgetPast(MeshStore& store, int lastIndex);

  private:
    std::vector<SelectedVertex> list_;
};

} // namespace fcw
