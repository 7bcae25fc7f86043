#pragma once

#include "io/frames.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace fcw {

// glTF 2.0 of triangles already in the Y-up frame: one mesh, one primitive per distinct colour
// with a material whose baseColorFactor is the colour in linear light (metallic 0, roughness 1),
// and per primitive unshared corners with POSITION and the face's NORMAL, so the facets stay
// flat. No COLOR_0: a reader would multiply it into the base colour.
std::vector<std::uint8_t> encodeGlb(std::span<const ExternalTriangle> triangles);
// The text form, its buffer embedded as a base64 data URI.
std::string encodeGltfText(std::span<const ExternalTriangle> triangles);

} // namespace fcw
