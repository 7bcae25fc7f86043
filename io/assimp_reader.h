#pragma once

#include "io/interchange.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace fcw {

// Reads a foreign file through the import library, in the frame its format uses. Polygons are
// triangulated and each mesh placed by its nodes' transforms; points, lines, degenerate and
// non-finite faces are dropped and counted. Colours: glTF's base colour times the mean of its
// corners' COLOR_0, both linear; other formats take corner colours as sRGB bytes, or else the
// material's diffuse colour as linear light; a face with neither gets `defaultColour`. Binary STL
// and PLY files announcing more than kMaxForeignFaces faces are refused before parsing, everything
// else right after.
ForeignRead readWithImportLibrary(const std::string& path, ForeignFormat format, double scale,
                                  Colour defaultColour);

// The same for a file held in memory; `extension` (lower case, no dot) names its format. Files
// that refer to others (an OBJ's .mtl, a glTF's external buffer) find nothing beside them.
ForeignRead readWithImportLibrary(std::span<const std::uint8_t> bytes, std::string_view extension,
                                  double scale, Colour defaultColour);

// The face count a binary STL or PLY header announces, without parsing the rest; 0 when the
// header says nothing (or the format has no such header).
std::uint64_t announcedFaceCount(std::span<const std::uint8_t> start, ForeignFormat format);

} // namespace fcw
