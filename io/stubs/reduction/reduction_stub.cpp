#include "io/reduction.h"

#include <algorithm>

namespace fcw {

// Without the simplifier this build keeps the first maxTriangles triangles of the file.
std::vector<TriangleCore> reduceTriangles(const std::vector<TriangleCore>& in,
                                          std::size_t maxTriangles) {
    return {in.begin(),
            in.begin() + static_cast<std::ptrdiff_t>(std::min(in.size(), maxTriangles))};
}

} // namespace fcw
