#pragma once

namespace fcw {

class Editor;
struct MeshStore;

// Splits of one triangle of modelTriangles. Each appends its new triangles (with the parent's
// colour and winding, selection marks cleared) after the last one and rewrites the parent;
// each returns false, changing nothing, when the store lacks room (3000 triangles at most).
bool splitInFour(MeshStore& store, int t);  // at the edge midpoints
bool splitInThree(MeshStore& store, int t); // at the centroid
bool splitInTwo(MeshStore& store, int t);   // at the midpoint of the edge opposite the one
                                            // unselected vertex

// True when some triangle has exactly two selected vertices (the two-split's rule).
bool hasEdgeSelectedTriangle(const Editor& editor);

// The split commands on the selection (one undo step; a full store stops the walk with the
// warning, keeping what was split) and on the right-clicked triangle.
void splitSelectionInFour(Editor& editor);     // 32863, 32864
void splitSelectionInThree(Editor& editor);    // 32865, 32866
void splitSelectionInTwo(Editor& editor);      // 32898, 32900
void splitSelectionFourAndTwo(Editor& editor); // 32899, 32901
void splitPickedInFour(Editor& editor);        // 32872
void splitPickedInThree(Editor& editor);       // 32873

} // namespace fcw
