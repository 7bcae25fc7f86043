#pragma once

#include "render/camera.h"

#include <optional>

namespace fcw {

struct MeshStore;
struct Pane;
struct Triangle;

// True when the client point lies inside the projection of a view-frame triangle: the angles
// the three vertices subtend at the point add up to a full turn (within 1e-12). A point on an
// edge counts as inside; one exactly on a vertex too.
bool pointInTriangle(const Triangle& triangle, const Camera& camera, PixelPoint point);

// The index of the front-most triangle of `store`'s view list under a client point of `pane`,
// by the draw order of the pane's last paint, or nothing. With skipBackFacing, triangles
// facing away are ignored.
std::optional<int> pickTriangle(const Pane& pane, const MeshStore& store, PixelPoint point,
                                bool skipBackFacing);

} // namespace fcw
