#include "interact/model_point.h"

#include <cmath>

namespace fcw {

ModelPoint modelPointFromClient(const Camera& camera, double px, double py) {
    const double depth = camera.depth;
    const double v = py - camera.centreY;
    const double r = std::sqrt(v * v + depth * depth);
    const double theta = std::atan2(depth, v) - camera.horizontalAxisAngle;
    const double xPrime = r * std::sin(theta);
    const double z = r * std::cos(theta);

    const double h = px - camera.centreX;
    const double r2 = std::sqrt(h * h + xPrime * xPrime);
    const double phi = std::atan2(xPrime, h) - camera.verticalAxisAngle;
    return {r2 * std::sin(phi), r2 * std::cos(phi), z};
}

} // namespace fcw
