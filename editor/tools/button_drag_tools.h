#pragma once

#include "model/pixel_geometry.h"

namespace fcw {

class Editor;

// The tools that act on every move while the left button is held: Erase and Paint (one
// snapshot and one counted edit per press, at most one triangle per event), OriginMove (pans)
// and Zoom (dragging up enlarges); and the middle-button pan, which works in every tool.

// Button-down of Erase, Paint, OriginMove or Zoom.
void buttonDragDown(Editor& editor, PixelPoint click);
// A move while the button is held (nothing when it is not).
void buttonDragMove(Editor& editor, PixelPoint pointer);
void buttonDragUp(Editor& editor);

// A move with the middle button alone: pans by the pointer's delta since the previous such
// move (zero for the first of a pan); a shown selection's rectangle follows.
void middlePanMove(Editor& editor, PixelPoint pointer);
// Any other move: the next middle-button move starts a new pan.
void middlePanBreak(Editor& editor);

} // namespace fcw
