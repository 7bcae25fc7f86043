#pragma once

#include "ops/mirror.h"
#include "ops/orient.h"
#include "ops/rotate_scale.h"

namespace fcw {

class Editor;

// The mesh commands of the menus and popups: each runs its dialog if it has one, takes the
// undo snapshot, calls the operation in ops/ and counts one edit, then repaints.

// 32858, 32859: rounds the listed vertices. The selection stays.
void roundSelectedVertices(Editor& editor);
// 32860, 32861: merges the listed vertices, showing progress for 500 or more. The selection
// stays.
void mergeSelectedVertices(Editor& editor);
// 32893: removes the line-shaped triangles and ends the selection.
void deleteLineTriangles(Editor& editor);
// 32880, 32881: turns the whole-selected triangles over and ends the selection.
void reverseSelection(Editor& editor);
// 32867, 32868: the palette, then the current colour for every whole-selected triangle; ends
// the selection.
void paintSelection(Editor& editor);
// 32930: the range tool with every vertex selected.
void selectAll(Editor& editor);

// 32874-32879. The selection stays.
void mirrorSelection(Editor& editor, MirrorAxis axis);

// 32882-32889 and 32890, 32891, 32896, 32897: the dialog, then one undo step; cancelling
// changes nothing. The selection stays.
void rotateSelection(Editor& editor, RotateKind kind);
void scaleSelection(Editor& editor, ScaleKind kind);

// 33036, 33037: turns every part of the whole-selected triangles (of the model when nothing
// is selected) to face outward or inward, as one undo step when any triangle turns, and says
// in the status bar how many turned and how many parts were left alone. The selection stays.
void orientParts(Editor& editor, Facing facing);

// True when some listed triangle has exactly two selected vertices.
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
