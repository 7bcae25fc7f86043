#pragma once

#include "editor/tools/pick.h"
#include "editor/tools/triangle_popup.h"
#include "render/camera.h"

namespace fcw {

class Editor;

// The flags word of a mouse event: which buttons and modifier keys are down.
namespace mouse_flags {
inline constexpr unsigned kLeft = 0x01;
inline constexpr unsigned kRight = 0x02;
inline constexpr unsigned kShift = 0x04;
inline constexpr unsigned kControl = 0x08;
inline constexpr unsigned kMiddle = 0x10;
} // namespace mouse_flags

// The view's mouse handlers: the steps every tool shares, then the active tool's own (in
// editor/tools/). Each repaints where the tool's step says so.
void onLeftButtonDown(Editor& editor, unsigned flags, PixelPoint point);
void onMouseMove(Editor& editor, unsigned flags, PixelPoint point);
void onLeftButtonUp(Editor& editor, unsigned flags, PixelPoint point);
void onRightButtonDown(Editor& editor, unsigned flags, PixelPoint point);

} // namespace fcw
