#pragma once

#include "editor/dialog_ids.h"
#include "model/pixel_geometry.h"

namespace fcw {

class Editor;

// The triangle popup (menu 306), opened by a right click on a triangle, and its move: after
// "移動" the picked triangle follows the pointer until a left click keeps the move (one counted
// edit) or a right click puts it back exactly. Each command that edits takes its own snapshot,
// so a dismissed popup costs no undo step.

// Right click on the picked triangle (its index in the view list): highlights it and shows the
// menu. The popup's commands act on that triangle. Returns the chosen command (0 for none).
int openTrianglePopup(Editor& editor, int triangle, PixelPoint click);

bool popupMoveUnderWay(const Editor& editor);
// A pointer move during the popup move: the triangle follows by the pointer's delta.
void popupMoveStep(Editor& editor, PixelPoint pointer);
// A left click: the triangle takes its last step and the move is counted.
void finishPopupMove(Editor& editor, PixelPoint click);
// A right click: the triangle gets its copy from before the move back.
void cancelPopupMove(Editor& editor);

// The popup's commands.
void popupDeleteTriangle(Editor& editor);  // 32836
void popupMoveTriangle(Editor& editor);    // 32837
void popupCancel(Editor& editor);          // 32840
void popupReverseTriangle(Editor& editor); // 32838
void popupColourTriangle(Editor& editor);  // 32839
void popupPickColour(Editor& editor);      // 32869

} // namespace fcw
