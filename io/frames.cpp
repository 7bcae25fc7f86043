#include "io/frames.h"

#include <algorithm>
#include <cmath>

namespace fcw {

Vec3 pointToExternal(ExternalFrame frame, const Vec3& p) {
    if (frame == ExternalFrame::YUp)
        return {p[1], -p[2], p[0]};
    return {p[1], -p[0], -p[2]};
}

Vec3 pointFromExternal(ExternalFrame frame, const Vec3& q) {
    if (frame == ExternalFrame::YUp)
        return {q[2], q[0], -q[1]};
    return {-q[1], q[0], -q[2]};
}

ExternalTriangle triangleToExternal(ExternalFrame frame, const TriangleCore& t) {
    ExternalTriangle e;
    e.colour = t.colour;
    // Reversed order: corner 0 stays, 1 and 2 swap.
    e.corner[0] = pointToExternal(frame, t.v[0]);
    e.corner[1] = pointToExternal(frame, t.v[2]);
    e.corner[2] = pointToExternal(frame, t.v[1]);
    return e;
}

TriangleCore triangleFromExternal(ExternalFrame frame, const ExternalTriangle& e) {
    TriangleCore t;
    t.colour = e.colour;
    t.v[0] = pointFromExternal(frame, e.corner[0]);
    t.v[1] = pointFromExternal(frame, e.corner[2]);
    t.v[2] = pointFromExternal(frame, e.corner[1]);
    return t;
}

Vec3 faceNormal(const std::array<Vec3, 3>& c) {
    const Vec3 a{c[1][0] - c[0][0], c[1][1] - c[0][1], c[1][2] - c[0][2]};
    const Vec3 b{c[2][0] - c[0][0], c[2][1] - c[0][1], c[2][2] - c[0][2]};
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

Vec3 unitOrZero(const Vec3& n) {
    const double length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
    if (!(length > 0.0) || !std::isfinite(length))
        return {0.0, 0.0, 0.0};
    return {n[0] / length, n[1] / length, n[2] / length};
}

namespace {

double linearFromSrgb(double s) {
    return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
}

double srgbFromLinear(double l) {
    return l <= 0.0031308 ? l * 12.92 : 1.055 * std::pow(l, 1.0 / 2.4) - 0.055;
}

} // namespace

float linearFromSrgbByte(std::uint8_t byte) {
    return static_cast<float>(linearFromSrgb(byte / 255.0));
}

std::uint8_t srgbByteFromLinear(double linear) {
    if (!(linear > 0.0)) // also NaN
        return 0;
    const double s = srgbFromLinear(std::min(linear, 1.0));
    return static_cast<std::uint8_t>(std::clamp(std::lround(s * 255.0), 0L, 255L));
}

} // namespace fcw
