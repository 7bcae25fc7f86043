#pragma once

#include "model/mesh_store.h"
#include "model/selection.h"
#include "render/camera.h"

#include <functional>

namespace fcw {

// Rounding of one coordinate as the rounding command does it: halves away from zero, judged
// on the first decimal only (2.45 rounds to 2).
double roundCoordinate(double w);

// Rounds each coordinate of the listed vertices in the model list, then rebuilds the view
// list with the camera's angles. The selection stays.
void roundSelectedVertices(MeshStore& store, const Selection& selection, const Camera& camera);

// Called after each listed vertex the merge has compared with the later ones: (index, count),
// index from 0 to count - 2.
using MergeProgress = std::function<void(int done, int total)>;

// Pulls every listed vertex of the model list onto an earlier listed one less than 2.0 away,
// greedily in list order, then rebuilds the view list. The selection stays.
void mergeSelectedVertices(MeshStore& store, const Selection& selection, const Camera& camera,
                           const MergeProgress& progress = {});

// Removes every live triangle with two exactly equal vertices, keeping the others in order,
// rebuilds the view list and ends the selection. Returns how many went.
int deleteLineTriangles(MeshStore& store, Selection& selection, const Camera& camera);

// Turns every whole-selected triangle (in both lists) to face the other way, then ends the
// selection.
void reverseSelection(MeshStore& store, Selection& selection);

// Gives every whole-selected triangle `colour` in both lists, then ends the selection.
void paintSelection(MeshStore& store, Selection& selection, Colour colour);

// Selects every vertex of every live triangle (nothing for an empty model).
void selectAll(MeshStore& store, Selection& selection);

} // namespace fcw
