#pragma once

#include "model/pixel_geometry.h"

namespace fcw {

class Editor;

// The range tool: a rubber band selects vertices (Shift toggles them into the selection), then
// a press in CentreBox or GrabBox drags the selection; a selection's drags count as one edit.
// Phases: Idle -> RubberBand -> SelectionShown <-> Dragging.

// Button-down after the common start (the click is in clickPoints[1] when the band starts).
void rangeDown(Editor& editor, unsigned flags, PixelPoint click);
void rangeMove(Editor& editor, PixelPoint pointer);
void rangeUp(Editor& editor, unsigned flags, PixelPoint release);

// A move without the left button during a drag: the release went missing, the drag stops
// where it is (the selection stays shown).
void rangeReleaseLost(Editor& editor);

// Right click while the tool is busy: the phase ends; a click in one of the selection's boxes
// shows the selection menu (its choice is returned, 0 for none), one elsewhere ends the
// selection.
int rangeRightClick(Editor& editor, PixelPoint click);

// The 200 x 140 box centred on the client area.
Rect boxAroundClientCentre(const Editor& editor);

} // namespace fcw
