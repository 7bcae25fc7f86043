// The state fuzzer's random events: points, modifiers and tools.

#include "tests/editor/state_fuzz_events.h"

#include "editor/command_ids.h"
#include "editor/editor.h"
#include "editor/tools/mouse_tools.h"

#include <cmath>

namespace fcw::testing::fuzz {

PixelPoint randomPoint(Rng& rng, const Editor& e) {
    const Rect& c = e.pane().camera.clientRect;
    const int r = uniform(rng, 0, 19);
    if (r < 7 && e.document.store.lastIndex >= 0) {
        const Triangle& t = e.document.store.viewTriangles[static_cast<std::size_t>(
            uniform(rng, 0, e.document.store.lastIndex))];
        const Point3& p = r < 4 ? t.centroid : t.v[static_cast<std::size_t>(uniform(rng, 0, 2))];
        const double x = p.y * e.pane().camera.zoom + e.pane().camera.centreX;
        const double y = p.z * e.pane().camera.zoom + e.pane().camera.centreY;
        if (std::fabs(x) < 30000 && std::fabs(y) < 30000) {
            return {static_cast<std::int32_t>(x) + uniform(rng, -2, 2),
                    static_cast<std::int32_t>(y) + uniform(rng, -2, 2)};
        }
    }
    if (r == 19) {
        return {uniform(rng, -32768, 32767), uniform(rng, -32768, 32767)};
    }
    return {uniform(rng, c.left - 20, std::max(c.left, c.right) + 20),
            uniform(rng, c.top - 20, std::max(c.top, c.bottom) + 20)};
}

std::string pointText(PixelPoint p) {
    return "(" + std::to_string(p.x) + "," + std::to_string(p.y) + ")";
}

unsigned randomModifiers(Rng& rng) {
    unsigned flags = 0;
    if (chance(rng, 0.2)) {
        flags |= mouse_flags::kShift;
    }
    if (chance(rng, 0.1)) {
        flags |= mouse_flags::kControl;
    }
    return flags;
}

const std::vector<int>& toolIds() {
    static const std::vector<int> ids = {
        command_id::kToolDrawTriangle, command_id::kToolDrawTriangle, command_id::kToolRangeMove,
        command_id::kToolRangeMove,    command_id::kToolRangeMove,    command_id::kToolErase,
        command_id::kToolSphere,       command_id::kToolPaint,        command_id::kToolOriginMove,
        command_id::kToolZoom};
    return ids;
}

} // namespace fcw::testing::fuzz
