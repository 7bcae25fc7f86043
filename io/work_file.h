#pragma once

#include "model/triangle.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace fcw {

// The copy/paste work file: an 18-byte header text "FacetCraftwerkTEMP" after its length byte,
// an int16 count and 76 bytes per triangle (colour, then v[0..2] x, y, z as doubles) in view
// coordinates as they were on the screen when copied.
inline constexpr char kWorkFileHeader[] = "FacetCraftwerkTEMP";

std::vector<std::uint8_t> encodeWorkFile(std::span<const TriangleCore> triangles);

// The triangles of a work file, or nothing when its header is wrong, its count is negative or
// above 3000, or it ends before the records it announces.
std::optional<std::vector<TriangleCore>> decodeWorkFile(std::span<const std::uint8_t> bytes);

} // namespace fcw
