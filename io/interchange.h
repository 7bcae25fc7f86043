#pragma once

#include "io/frames.h"
#include "model/triangle.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace fcw {

// The formats of the 3D world, told by the file's extension (compared case-insensitively).
enum class ForeignFormat {
    Unknown,
    Glb,      // glTF 2.0 binary
    Gltf,     // glTF 2.0 text with its buffer embedded
    Obj,      // Wavefront OBJ with its .mtl beside it
    Stl,      // binary STL (ASCII STL is read too)
    Ply,      // binary PLY with per-corner colours
    ThreeMf,  // 3D Manufacturing Format
    ReadOnly, // what else the import library reads (.dae, .fbx, .3ds, .off, ...)
};

// The extension after the last dot of the file name, in lower case ("" for none).
std::string lowerExtension(std::string_view path);
ForeignFormat foreignFormatOf(std::string_view path);
inline bool isWritable(ForeignFormat f) {
    return f != ForeignFormat::Unknown && f != ForeignFormat::ReadOnly;
}
// Y up for glTF, OBJ and the read-only formats; Z up (a build plate) for STL, PLY and 3MF.
ExternalFrame frameOf(ForeignFormat format);

// Refused before parsing: no model this program can use comes near either.
inline constexpr std::uint64_t kMaxForeignFileBytes = std::uint64_t{256} << 20;
inline constexpr std::uint64_t kMaxForeignFaces = 10'000'000;

struct ForeignRead {
    std::vector<TriangleCore> triangles; // in store axes, import scale applied; may pass 3000
    std::size_t dropped = 0;             // points, lines, degenerate and non-finite faces
    std::string error;                   // why nothing was read; empty on success
};

// Reads any foreign file: 3MF through its own library, everything else through the import
// library. `scale` multiplies every coordinate; faces with no colour of their own take
// `defaultColour`. The parse runs in a child process (isolated_read.h), so a library that
// crashes, hangs or runs out of memory on a damaged file gives an error, never an abort.
// Never throws.
ForeignRead readForeignModel(const std::string& path, double scale, Colour defaultColour);

// The same read in this process, for a known format: what the child runs.
ForeignRead readForeignModelInProcess(const std::string& path, ForeignFormat format, double scale,
                                      Colour defaultColour);

// Writes `triangles` (store axes) to `path` in the format of its extension, every coordinate
// times `scale`. The file (and an OBJ's .mtl) is replaced atomically. False with `error` set
// when the format is not writable, there is nothing to write or the file cannot be written.
bool writeForeignModel(const std::string& path, std::span<const TriangleCore> triangles,
                       double scale, std::string* error);

// The triangles turned into `frame`, every coordinate times `scale`.
std::vector<ExternalTriangle>
externalTriangles(ExternalFrame frame, std::span<const TriangleCore> triangles, double scale);

// The distinct colours in order of first use, and for each the indices of its triangles.
struct ColourGroup {
    Colour colour = 0;
    std::vector<std::size_t> members;
};
std::vector<ColourGroup> groupByColour(std::span<const ExternalTriangle> triangles);

// The unit normal of a written face; a degenerate face gets +Z so every written normal is a
// unit vector (readers and validators refuse zero normals).
Vec3 writtenNormal(const ExternalTriangle& t);

} // namespace fcw
