#pragma once

#include "interact/interaction_state.h"
#include "render/camera.h"

namespace fcw {

// The model-frame position (pixel scale: divide by the zoom for model units) of the client
// point (px, py) placed at the drawing depth. Undoes the camera rotation: first the horizontal
// axis angle, then the vertical one, the inverse of the forward refresh.
ModelPoint modelPointFromClient(const Camera& camera, double px, double py);

} // namespace fcw
