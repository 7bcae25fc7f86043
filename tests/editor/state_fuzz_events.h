#pragma once

#include "model/pixel_geometry.h"
#include "tests/editor/state_fuzz_files.h"

#include <string>
#include <vector>

namespace fcw {
class Editor;
}

namespace fcw::testing::fuzz {

// A point in the active pane: mostly inside its client area, often on a projected vertex
// (where picks and snaps happen), sometimes far outside.
PixelPoint randomPoint(Rng& rng, const Editor& e);

std::string pointText(PixelPoint p);

// Shift now and then, Ctrl more rarely.
unsigned randomModifiers(Rng& rng);

// The tools' commands, the busier tools more often.
const std::vector<int>& toolIds();

} // namespace fcw::testing::fuzz
