#pragma once

#include "model/pixel_geometry.h"

namespace fcw {

class Editor;

// The sphere tool: press, drag a rectangle, release. The press reserves one slot after the
// model; a release of zero height gives it back and makes nothing, any other makes the sphere
// as one counted edit.
void sphereDown(Editor& editor);
void sphereMove(Editor& editor, PixelPoint pointer);
void sphereUp(Editor& editor, PixelPoint release);

} // namespace fcw
