#pragma once

// Stands in for the mesh reduction until it is built into this tree: the same declaration,
// used only when io/reduction.cpp is absent (see io/CMakeLists.txt).

#include "model/triangle.h"

#include <cstddef>
#include <vector>

namespace fcw {

std::vector<TriangleCore> reduceTriangles(const std::vector<TriangleCore>& in,
                                          std::size_t maxTriangles);

} // namespace fcw
