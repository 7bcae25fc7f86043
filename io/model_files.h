#pragma once

#include "model/triangle.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace fcw {

// Every model file the program knows, told by its extension: the native document (.fcw), the
// keyword text files (.tx1, .tx2, .txt), DXF and the foreign formats (see interchange.h).
// The window's import and export and the command line's conversion share these.

struct ModelFileRead {
    std::vector<TriangleCore> triangles; // store axes; at most kMaxTriangles after a reduction
    std::size_t dropped = 0;             // faces the file held that no triangle can show
    std::size_t reducedFrom = 0;         // the file's triangle count when it was reduced, else 0
    std::string error;                   // why nothing was read; empty on success
};

ModelFileRead readModelFile(const std::string& path, double scale, Colour defaultColour);

// Writes in the format of the extension; a text format other than .tx1, .tx2 and .dxf (.txt)
// is written as DXF, the default text format.
bool writeModelFile(const std::string& path, std::span<const TriangleCore> triangles, double scale,
                    std::string* error);

// Reduces a model of more than kMaxTriangles triangles to at most that many, keeping its
// outline and colour regions. Returns the count before, or 0 when nothing was reduced.
std::size_t reduceToCapacity(std::vector<TriangleCore>& triangles);

// Scales the model uniformly about the centre of its bounding box so that its largest extent
// is `size` units. A model with no extent (empty, or one point) is left as it is.
void fitToSize(std::vector<TriangleCore>& triangles, double size);

// Reads `in`, reduces it to the store's capacity, fits it (when `fit` is given) and writes
// `out`, with no scale either way. Nothing on success, else the one-line reason.
std::optional<std::string> convertModelFile(const std::string& in, const std::string& out,
                                            std::optional<double> fit);

} // namespace fcw
