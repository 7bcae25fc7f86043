#pragma once

#include "editor/dialog_ids.h"

#include <optional>
#include <string>

namespace fcw {

class Editor;

// The keys the view reacts to; everything else is Other and ignored.
enum class Key {
    Enter,
    Space,
    Left,
    Up,
    Right,
    Down,
    PageUp,
    PageDown,
    Home,
    End,
    Numpad1,
    Numpad2,
    Numpad3,
    Numpad4,
    Numpad5,
    Numpad6,
    Numpad7,
    Numpad8,
    Numpad9,
    Other,
};

// Names as the batch player spells them ("left", "pageup", "numpad7", ...).
std::optional<Key> keyFromName(const std::string& name);

// Key-down in the view: Ctrl+arrows nudge a selection by one pixel (a run of presses is one
// undo step); arrows and the page keys turn the view or move the drawing depth; Space enters a
// vertex of the triangle being drawn by number. No key marks the document modified.
void onKeyDown(Editor& editor, Key key, bool controlDown);

// What the Up and Down arrows do (commands "前後 （奥行きの移動）" and "回転 １").
void useArrowsForDepth(Editor& editor);
void useArrowsForRotation(Editor& editor);

// The three coordinate boxes of dialog 282.
inline constexpr int kNumericInputHorizontal = 1002;
inline constexpr int kNumericInputDepth = 1003;
inline constexpr int kNumericInputVertical = 1004;

} // namespace fcw
