#pragma once

#include "model/mesh_store.h"
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

// The length byte, the header text and the count.
inline constexpr std::size_t kWorkFileHeaderBytes = 1 + sizeof(kWorkFileHeader) - 1 + 2;
// The largest work file a paste uses: 3000 records. Bytes after the last record are ignored.
inline constexpr std::size_t kMaxWorkFileBytes =
    kWorkFileHeaderBytes + 76 * std::size_t{kMaxTriangles};

std::vector<std::uint8_t> encodeWorkFile(std::span<const TriangleCore> triangles);

// The number of triangles a work file announces, judged from its first kWorkFileHeaderBytes
// bytes (or fewer, when the file is shorter) and its size: nothing when the header is wrong,
// the count is negative or above 3000, or the file is too short for the records it announces.
// Lets the paste command's enabling rule look at a work file without reading it.
std::optional<int> workFileCount(std::span<const std::uint8_t> start, std::uint64_t fileSize);

// The triangles of a work file, or nothing when workFileCount refuses it or a coordinate is
// NaN or infinite (a damaged file: no model of this program holds one).
std::optional<std::vector<TriangleCore>> decodeWorkFile(std::span<const std::uint8_t> bytes);

} // namespace fcw
