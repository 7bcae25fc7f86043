#pragma once

#include <cstdint>

namespace fcw {

// How the triangles are drawn. The values are the commands' and the dump's.
enum class FrameMode : std::int8_t {
    Outline = 0,         // black edges only
    ColouredOutline = 1, // edges in the triangles' colours
    FilledWithEdges = 2, // shaded faces with black edges
    Filled = 3,          // shaded faces only
};

// The grid's spacing in model units; None shows no grid.
enum class GridSpacing : std::int8_t { None = 0, Five = 5, Ten = 10, Twenty = 20, Forty = 40 };

// The fill of a back face while the facing is shown: RGB(230, 50, 50), as 0x00BBGGRR.
inline constexpr std::uint32_t kBackFaceRed = 0x003232E6;

// Display options of the view.
struct ViewOptions {
    FrameMode frameMode = FrameMode::FilledWithEdges;
    bool gridInFront = false; // grid drawn after the triangles
    GridSpacing grid = GridSpacing::None;
    // Back faces (view normal.x < 0), which are otherwise not drawn, are filled red with their
    // outline, so that a triangle turned the wrong way shows instead of leaving a hole.
    bool showFacing = false;
    double brightness = 0.8;             // shading strength, 0..1
    std::int32_t emphasisMode = 2;       // which vertices get a marker, 0..3
    std::int32_t statusVisible = 1;      // status box shown
    std::int32_t statusFixed = 1;        // status box does not dodge the pointer
    std::int32_t depthNormalDisplay = 0; // depth-buffer renderer in frame mode 3

    bool anyGridSpacing() const { return grid != GridSpacing::None; }
    // The grid's spacing in model units, 0 for none.
    int gridUnits() const { return static_cast<int>(grid); }
};

} // namespace fcw
