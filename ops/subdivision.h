#pragma once

#include "model/mesh_store.h"
#include "model/selection.h"
#include "render/camera.h"

namespace fcw {

// Splits of one triangle of modelTriangles. Each appends its new triangles (with the parent's
// colour and winding) after the last one and rewrites the parent; each returns false, changing
// nothing, when the store lacks room (3000 triangles at most). The appended slots lie past the
// model, where no selection mark is left (the selection names live vertices only), so the new
// triangles start unselected; the parent keeps its marks.
bool splitInFour(MeshStore& store, int t);  // at the edge midpoints
bool splitInThree(MeshStore& store, int t); // at the centroid
bool splitInTwo(MeshStore& store, int t);   // at the midpoint of the edge opposite the one
                                            // unselected vertex

// True when some listed triangle has exactly two selected vertices (the two-split's rule).
bool hasEdgeSelectedTriangle(const MeshStore& store, const Selection& selection);

enum class SelectionSplit {
    InFour,     // every whole-selected triangle
    InThree,    // every whole-selected triangle
    InTwo,      // every edge-selected triangle
    FourAndTwo, // the whole-selected ones in four, then the edge-selected ones in two
};
enum class PickedSplit { InFour, InThree };

enum class SplitOutcome {
    Done,
    StoppedAtCapacity, // the store filled up: what was split before stays split
    NotLive,           // (picked splits) no live triangle of that index: nothing changed
};

// Splits the selection's triangles in list order, rebuilds the view list with the camera's
// angles and ends the selection (whether or not the walk was stopped).
SplitOutcome splitSelection(MeshStore& store, Selection& selection, SelectionSplit kind,
                            const Camera& camera);

// Splits triangle t (a right-clicked one); the view list is rebuilt when it was split. The
// selection stays: the parent keeps its marks and the new triangles have none.
SplitOutcome splitTriangle(MeshStore& store, int t, PickedSplit kind, const Camera& camera);

// What splitTriangle would return, without changing anything (so that an edit the triangle
// limit refuses is known before the model is saved for undo).
SplitOutcome pickedSplitOutcome(const MeshStore& store, int t, PickedSplit kind);

} // namespace fcw
