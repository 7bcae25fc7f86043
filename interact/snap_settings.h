#pragma once

#include <array>

namespace fcw {

// Which clicks of a triangle are pulled onto the nearest vertex or grid point. Index 1..3 is
// the click number; index 0 is unused. The commands keep vertex and grid exclusive per click.
struct SnapSettings {
    std::array<bool, 4> vertexSnap{};
    std::array<bool, 4> gridSnap{};
};

} // namespace fcw
