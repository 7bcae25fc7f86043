#pragma once

#include <cstdint>

namespace fcw {

// Display options of the view.
struct ViewOptions {
    std::int8_t frameMode = 2; // 0 outline, 1 coloured outline, 2 filled + edges, 3 filled
    bool gridInFront = false;  // grid drawn after the triangles
    // Which grid is shown; the commands keep at most one set. Where several are consulted the
    // larger spacing wins.
    bool gridSpacing5 = false;
    bool gridSpacing10 = false;
    bool gridSpacing20 = false;
    bool gridSpacing40 = false;
    double brightness = 0.8;             // shading strength, 0..1
    std::int32_t emphasisMode = 2;       // which vertices get a marker, 0..3
    std::int32_t statusVisible = 1;      // status box shown
    std::int32_t statusFixed = 1;        // status box does not dodge the pointer
    std::int32_t depthNormalDisplay = 0; // depth-buffer renderer in frame mode 3

    bool anyGridSpacing() const {
        return gridSpacing5 || gridSpacing10 || gridSpacing20 || gridSpacing40;
    }
};

} // namespace fcw
