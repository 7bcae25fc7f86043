#pragma once

#include "editor/tools/interaction_state.h"

namespace fcw {

class Editor;

// What the active tool has under way, for the painter, the frame step, the dump and the
// commands. Each is false (or 0, or -1) when another tool is active.

// DrawTriangle: vertices of the triangle being drawn already placed (0, 1 or 2).
int drawingVerticesPlaced(const Editor& editor);
// RangeMove: the rubber band follows the pointer.
bool rubberBandShown(const Editor& editor);
// RangeMove: a selection is made and framed (not being dragged).
bool selectionShown(const Editor& editor);
// RangeMove: the shown selection is being dragged by its boxes.
bool selectionDragged(const Editor& editor);
// RangeMove: a band, a shown selection or a drag.
bool rangeToolBusy(const Editor& editor);
// The range tool, or the drawing tool, is the active tool.
bool rangeToolActive(const Editor& editor);
bool drawingToolActive(const Editor& editor);
// Sphere: the rectangle is being dragged (one slot reserved after the model).
bool sphereDragShown(const Editor& editor);
// The slot after the model held by a half-drawn triangle or a sphere's rectangle (it is
// lastIndex), or -1.
int provisionalSlot(const Editor& editor);
// The active tool is out of its idle phase: one of the five above.
bool toolPhaseActive(const Editor& editor);
// The active tool's phase as one number, as the state dump prints it: DrawTriangle 0..2
// (vertices placed), RangeMove 0 idle, 1 band, 2 selection shown, 3 dragging, Sphere 0 or 1,
// the other tools 0.
int editPhaseNumber(const Editor& editor);

// Whether a shown selection's drags are already counted as an edit.
enum class DragCounting { NotYet, AlreadyCounted };

// Shows a new selection (select-all, paste): the range tool's phase becomes SelectionShown.
// Its first drag that moves something is an edit of its own, unless the edit that made the
// selection was the last one counted and says AlreadyCounted (a paste and its drags are one
// undo step).
void showSelection(Editor& editor, DragCounting counting = DragCounting::NotYet);

// True while the shown selection's drags belong to the last counted edit.
bool dragAlreadyCounted(const Editor& editor);

// An operation is under way: a triangle being drawn, a sphere's rectangle, a rubber band, a
// selection drag, a held Erase/Paint/OriginMove/Zoom button, the popup move or a nudge run.
// A shown selection is not an operation; it stays until something ends the selection.
bool operationPending(const Editor& editor);

// Ends the operation under way, so that what follows (Undo, Open, New, Save, import, paste, a
// tool change, any command) never finds it half done: a half-drawn triangle or a sphere's
// reserved slot is given back, the popup move is cancelled (the triangle returns to where it
// was), a rubber band is dropped, a drag stops where it is (it counted as an edit when it
// first moved something), a held button is let go, a nudge run ends. Nothing else changes.
// The popup move is this file's own; the rest is every tool's Tool::end.
void endOperation(Editor& editor);

// Every tool's phase back to idle, the store untouched (for a model that is replaced anyway).
// Held buttons, a popup move and a nudge run are not phases and are left (Tool::reset).
void clearToolPhases(Editor& editor);

// Gives back the slot after the model that a half-drawn triangle or a sphere's rectangle holds
// (their phase becomes idle). Edits that add, remove or select whole triangles call it first,
// so they never take the unfinished triangle for a finished one. Other tools' state is kept.
// The active tool's Tool::cancel.
void abandonDrawing(Editor& editor);

// Ends the active tool's phase: the held slot is given back, every phase is idle.
void abandonOperation(Editor& editor);

// Makes the range tool the active one without ending anything (select-all and paste, which
// show their selection in it). Defined with the tool registry.
void activateRangeTool(Editor& editor);
// Changes to the Paint tool as selectTool does (the palette's choices).
void selectPaintTool(Editor& editor);

} // namespace fcw
