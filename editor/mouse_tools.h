#pragma once

#include "render/camera.h"

#include <cstdint>
#include <optional>

namespace fcw {

class Editor;
struct Triangle;

// The flags word of a mouse event: which buttons and modifier keys are down.
namespace mouse_flags {
inline constexpr unsigned kLeft = 0x01;
inline constexpr unsigned kRight = 0x02;
inline constexpr unsigned kShift = 0x04;
inline constexpr unsigned kControl = 0x08;
inline constexpr unsigned kMiddle = 0x10;
} // namespace mouse_flags

// The view's mouse handlers. Each repaints where the tool's step says so.
void onLeftButtonDown(Editor& editor, unsigned flags, PixelPoint point);
void onMouseMove(Editor& editor, unsigned flags, PixelPoint point);
void onLeftButtonUp(Editor& editor, unsigned flags, PixelPoint point);
void onRightButtonDown(Editor& editor, unsigned flags, PixelPoint point);

// True when the client point lies inside the projection of a view-frame triangle: the angles
// the three vertices subtend at the point add up to a full turn (within 1e-12). A point on an
// edge counts as inside; one exactly on a vertex too.
bool pointInTriangle(const Triangle& triangle, const Camera& camera, PixelPoint point);

// The front-most triangle under a client point, as its position in drawOrder counted from the
// front (0 = front-most), or nothing. With skipBackFacing, triangles facing away are ignored.
std::optional<int> pickTriangle(const Editor& editor, PixelPoint point, bool skipBackFacing);

// The triangle popup's commands.
void popupDeleteTriangle(Editor& editor); // 32836
void popupMoveTriangle(Editor& editor);   // 32837
void popupCancel(Editor& editor);         // 32840
void popupReverseTriangle(Editor& editor); // 32838
void popupColourTriangle(Editor& editor);  // 32839
void popupPickColour(Editor& editor);      // 32869

inline constexpr int kTrianglePopupMenu = 306;
inline constexpr int kSelectionPopupMenu = 310;

} // namespace fcw
