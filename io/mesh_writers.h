#pragma once

#include "io/frames.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace fcw {

struct ObjFiles {
    std::string obj;
    std::string mtl;
};

// Wavefront OBJ of triangles already in the Y-up frame: unshared corners written exactly
// (shortest round-trip decimals), one `vn` per face on each of its corners, and the faces of
// one colour together under one `usemtl`. The .mtl (named `mtlName` in `mtllib`) has one
// material per colour with Kd in linear light.
ObjFiles encodeObj(std::span<const ExternalTriangle> triangles, const std::string& mtlName);

// Binary STL of triangles already in the Z-up frame: an 80-byte header, the count, then per
// face its unit normal, three corners and a zero attribute. STL carries no colour.
std::vector<std::uint8_t> encodeStl(std::span<const ExternalTriangle> triangles);

// Binary little-endian PLY of triangles already in the Z-up frame: three unshared vertices per
// face, each with x, y, z as floats and the face's colour as red, green, blue bytes.
std::vector<std::uint8_t> encodePly(std::span<const ExternalTriangle> triangles);

} // namespace fcw
