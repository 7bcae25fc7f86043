#pragma once

#include "render/camera.h"

#include <optional>

namespace fcw {

class Editor;
struct Triangle;

// True when the client point lies inside the projection of a view-frame triangle: the angles
// the three vertices subtend at the point add up to a full turn (within 1e-12). A point on an
// edge counts as inside; one exactly on a vertex too.
bool pointInTriangle(const Triangle& triangle, const Camera& camera, PixelPoint point);

// The front-most triangle under a client point, as its position in drawOrder counted from the
// front (0 = front-most), or nothing. With skipBackFacing, triangles facing away are ignored.
std::optional<int> pickTriangle(const Editor& editor, PixelPoint point, bool skipBackFacing);

// The triangle index at a pick's order position.
int pickedIndex(const Editor& editor, int orderPos);

} // namespace fcw
