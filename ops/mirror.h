#pragma once

#include "model/mesh_store.h"
#include "model/selection.h"
#include "render/camera.h"

namespace fcw {

enum class MirrorAxis { Horizontal, Vertical, Depth };

// Reflects the whole-selected triangles of the view list in place across the screen plane
// through the mean of their centroids (left-right, up-down or front-back as the camera shows
// them), turning each one's winding so its normal keeps to the same side of the surface; then
// carries the result back to the model list and rebuilds the view list with the camera's
// angles. The selection stays.
void mirrorSelection(MeshStore& store, const Selection& selection, MirrorAxis axis,
                     const Camera& camera);

} // namespace fcw
