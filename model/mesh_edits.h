#pragma once

#include "model/mesh_store.h"
#include "model/selection.h"

#include <span>

namespace fcw {

// Edits of the store that keep every derived value and the selection right.

// Removes view triangle t: the later ones move down by one with their caches recomputed and
// their marks in both lists, and the selection is renumbered, so it keeps naming the same
// vertices. The model list is the caller's to rebuild (refreshViewToModel).
void removeViewTriangle(MeshStore& store, Selection& selection, int t);

// Removes the model triangles named by `ascending` (distinct live indices, smallest first),
// closing the gaps, and ends the selection. The view list is the caller's to rebuild.
void removeModelTriangles(MeshStore& store, Selection& selection, std::span<const int> ascending);

// Gives triangle t the colour in both lists.
void recolourTriangle(MeshStore& store, int t, Colour colour);

} // namespace fcw
