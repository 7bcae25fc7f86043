#pragma once

#include "model/mesh_store.h"

#include <span>
#include <vector>

namespace fcw {

enum class Facing { Outward, Inward };

// What orienting would do: the triangles to turn (ascending) and the parts left alone.
struct OrientPlan {
    std::vector<int> toTurn;
    int leftAlone = 0; // parts that cannot be made consistent (a twisted band)
};

// Which of the given live triangles (ascending, distinct) to turn so that each part of them
// faces one way. Triangles are neighbours where they share an edge: two corners at equal
// positions, within a tolerance relative to the triangles' extent. A part is a set of
// triangles joined through edges that exactly two of them share. Each part is made consistent
// from its first triangle outward, then turned as a whole:
//   - a flat part (all corners in the plane of its largest triangle) after that triangle as it
//     stands, whichever way is asked;
//   - a closed part (every edge shared by exactly two) by the sign of its enclosed volume;
//   - an open part so that the triangles at its corner farthest from its centre face away
//     from the centre (toward it for Inward).
// A part that cannot be made consistent is left as it is and counted; so is nothing else.
// Planning again after turning the planned triangles turns nothing.
OrientPlan planOrientation(const MeshStore& store, std::span<const int> triangles, Facing facing);

// Reverses the corner order of each listed triangle in both lists (Triangle::reverseWinding:
// the colour stays, and so do the selection marks in their slots, which for a whole-selected
// or unselected triangle are all alike).
void turnTriangles(MeshStore& store, std::span<const int> slots);

} // namespace fcw
