#pragma once

// Stands in for the 3MF reader and writer until they are built into this tree: the same
// declarations, used only when io/three_mf.cpp is absent (see io/CMakeLists.txt).

#include "model/triangle.h"

#include <cstddef>
#include <string>
#include <vector>

namespace fcw {

struct ThreeMfRead {
    std::vector<TriangleCore> triangles;
    std::size_t dropped = 0;
    std::string error;
};

bool writeThreeMf(const std::string& path, const std::vector<TriangleCore>& triangles, double scale,
                  std::string* error);
ThreeMfRead readThreeMf(const std::string& path, double scale);

} // namespace fcw
