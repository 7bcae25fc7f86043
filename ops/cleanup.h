#pragma once

namespace fcw {

class Editor;

// Rounds each coordinate of the selected vertices to the nearest whole number (halves away
// from zero, judged on the first decimal). The selection stays. 32858, 32859.
void roundSelectedVertices(Editor& editor);
// Pulls every selected vertex onto an earlier listed one less than 2.0 away, greedily in list
// order. Shows progress for 500 or more vertices. The selection stays. 32860, 32861.
void mergeSelectedVertices(Editor& editor);
// Removes every triangle with two exactly equal vertices, keeping the others in order. 32893.
void deleteLineTriangles(Editor& editor);
// Turns every whole-selected triangle to face the other way. 32880, 32881.
void reverseSelection(Editor& editor);
// Opens the palette, then gives every whole-selected triangle the current colour. 32867, 32868.
void paintSelection(Editor& editor);
// Selects every vertex in the range tool. 32930.
void selectAll(Editor& editor);

// Rounding of one coordinate as the rounding command does it.
double roundCoordinate(double w);

} // namespace fcw
