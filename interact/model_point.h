#pragma once

#include "render/camera.h"

namespace fcw {

// A point in the model frame at pixel scale (model units times the zoom) or, for the sphere
// tool's drag corners, in pixels relative to the origin: x depth, y horizontal, z vertical.
struct ModelPoint {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

// The model-frame position (pixel scale: divide by the zoom for model units) of the client
// point (px, py) placed at the drawing depth. Undoes the camera rotation: first the horizontal
// axis angle, then the vertical one, the inverse of the forward refresh.
ModelPoint modelPointFromClient(const Camera& camera, double px, double py);

} // namespace fcw
