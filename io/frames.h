#pragma once

#include "model/triangle.h"

#include <array>
#include <cstdint>

namespace fcw {

// The axes of the interchange formats and how the store's triangles are turned into them.
//
// The store: +x toward the viewer at the initial view, +y to the viewer's right, +z down; a
// triangle faces the viewer when (v1 - v0) x (v2 - v0) has x >= 0.
//
// YUp (glTF, OBJ): +Y up, +Z toward the viewer; a stored (x, y, z) is written (y, -z, x).
// ZUp (STL, PLY, 3MF): +Z up, the viewer on -Y; a stored (x, y, z) is written (y, -x, -z).
//
// Both maps are reflections (determinant -1), so a triangle keeps its facing only when its
// corner order is reversed on the way out and back on the way in. Every writer and reader
// goes through these functions, so the convention lives here and nowhere else.
enum class ExternalFrame { YUp, ZUp };

using Vec3 = std::array<double, 3>;

// One triangle in an external frame, corners in the order the format stores them.
struct ExternalTriangle {
    std::array<Vec3, 3> corner{};
    Colour colour = 0;
};

Vec3 pointToExternal(ExternalFrame frame, const Vec3& p);
Vec3 pointFromExternal(ExternalFrame frame, const Vec3& q);

// Maps the corners and reverses their order; the colour is carried unchanged.
ExternalTriangle triangleToExternal(ExternalFrame frame, const TriangleCore& t);
TriangleCore triangleFromExternal(ExternalFrame frame, const ExternalTriangle& e);

// (c1 - c0) x (c2 - c0), not normalised.
Vec3 faceNormal(const std::array<Vec3, 3>& corner);
// The unit vector along n, or (0, 0, 0) for a zero or non-finite n.
Vec3 unitOrZero(const Vec3& n);

// sRGB bytes against linear light. linearFromSrgbByte gives the exact transfer value as a
// float; srgbByteFromLinear rounds to the nearest byte, so every byte survives the pair.
float linearFromSrgbByte(std::uint8_t byte);
std::uint8_t srgbByteFromLinear(double linear);

// The colour's channels (red in the low byte) as bytes.
inline std::uint8_t redOf(Colour c) {
    return static_cast<std::uint8_t>(c & 0xffu);
}
inline std::uint8_t greenOf(Colour c) {
    return static_cast<std::uint8_t>((c >> 8) & 0xffu);
}
inline std::uint8_t blueOf(Colour c) {
    return static_cast<std::uint8_t>((c >> 16) & 0xffu);
}
inline Colour colourOf(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return static_cast<Colour>(r) | (static_cast<Colour>(g) << 8) | (static_cast<Colour>(b) << 16);
}

} // namespace fcw
