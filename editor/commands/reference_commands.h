#pragma once

#include "model/pixel_geometry.h"

namespace fcw {

class Editor;

// 表示 ▸ 下絵, the reference images of the orthographic panes.

// 33020: a file dialog, then the picture goes to the active orthographic pane's slot (from
// 自由視点 to 正面, which becomes the active pane), replacing what was there.
void loadReferenceCommand(Editor& editor);
// 33021: dialog 400 for the active pane's image.
void referenceSettingsCommand(Editor& editor);
// 33022: removes the active pane's image.
void removeReferenceCommand(Editor& editor);
// The enabling rule of 33021 and 33022: the active pane's slot is in use.
bool activePaneHasReference(const Editor& editor);

// Shift with the middle button: the active pane's image follows the pointer when it is shown,
// unlocked and loaded. False (nothing moved) otherwise, and the move is the mouse's as before.
bool dragReference(Editor& editor, PixelPoint pointer);

} // namespace fcw
