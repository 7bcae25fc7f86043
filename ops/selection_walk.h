#pragma once

#include "model/selection.h"
#include "model/triangle.h"

#include <vector>

#include <cstddef>
#include <span>

namespace fcw {

// Calls action(t) for every whole-selected triangle t (all three vertices selected, which puts
// three entries of one triangle next to each other in the list), in list order. The action
// returns false to stop the walk.
template <typename Action> void forEachWholeTriangle(const Selection& s, Action&& action) {
    const auto list = s.vertices();
    std::size_t i = 0;
    while (i + 2 < list.size()) {
        if (list[i].triangle == list[i + 1].triangle && list[i].triangle == list[i + 2].triangle) {
            if (!action(static_cast<int>(list[i].triangle))) {
                return;
            }
            i += 3;
        } else {
            ++i;
        }
    }
}

inline bool hasWholeTriangle(const Selection& s) {
    bool found = false;
    forEachWholeTriangle(s, [&](int) {
        found = true;
        return false;
    });
    return found;
}

// The mean of the centroids of the whole-selected triangles of `list` (the origin when there
// are none).
inline Point3 meanOfWholeCentroids(const Selection& s, const std::vector<Triangle>& list) {
    Point3 sum(0, 0, 0);
    int n = 0;
    forEachWholeTriangle(s, [&](int t) {
        sum += list[static_cast<std::size_t>(t)].centroid;
        ++n;
        return true;
    });
    if (n > 0) {
        sum /= n;
    }
    return sum;
}

} // namespace fcw
