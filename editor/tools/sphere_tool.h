#pragma once

#include "editor/tools/tool.h"
#include "interact/model_point.h"
#include "model/pixel_geometry.h"

#include <cstdint>

namespace fcw {

// The sphere tool: press, drag a rectangle, release. The press reserves one slot after the
// model; a release of zero height gives it back and makes nothing, any other makes the sphere
// as one counted edit.
enum class SpherePhase : std::int8_t { Idle = 0, Dragging = 1 };

class SphereTool final : public Tool {
  public:
    SpherePhase phase = SpherePhase::Idle;
    ModelPoint start{}; // (depth, horizontal, vertical) relative to the origin, pixels
    ModelPoint finish{};
    Rect rectangle{};    // the rectangle the sphere is dragged out in, the pane's pixels
    PixelPoint anchor{}; // its first corner: the press, on the grid where the snaps say

    bool pressPassesLimit(const Editor& editor) const override;
    void press(Editor& editor, unsigned flags, PixelPoint click, int clickNumber) override;
    void move(Editor& editor, PixelPoint pointer) override;
    void release(Editor& editor, unsigned flags, PixelPoint release) override;
    int rightPress(Editor& editor, PixelPoint click) override;
    void addPreview(const Editor& editor, const PointerPlaces& pointer,
                    PaneFrame& frame) const override;
    void addSnapMarkers(const Editor& editor, const PointerPlaces& pointer,
                        PaneFrame& frame) const override;
    int phaseNumber() const override { return phase == SpherePhase::Dragging ? 1 : 0; }
    bool holdsSlot() const override { return phase == SpherePhase::Dragging; }
    bool operationUnderWay() const override { return phase != SpherePhase::Idle; }
    void end(Editor& editor) override;
    void cancel(Editor& editor) override;
    void reset() override { phase = SpherePhase::Idle; }
};

} // namespace fcw
