#pragma once

#include "editor/tools/tool.h"

#include <cstdint>

namespace fcw {

struct Point3;

// The drawing tool: three clicks make a triangle. The first click reserves the slot after the
// model (before the snaps look at lastIndex); while vertices are placed the triangle occupies
// it and gives it back if the drawing is abandoned. Each click's vertex is clickModelPoint
// divided by the zoom; the third counts the edit and turns the triangle to face the viewer.
enum class DrawPhase : std::int8_t { Idle = 0, OneVertex = 1, TwoVertices = 2 };

class DrawTriangleTool final : public Tool {
  public:
    DrawPhase phase = DrawPhase::Idle;

    bool pressPassesLimit(const Editor& editor) const override;
    void reserveSlotForPress(Editor& editor, int clickNumber) override;
    void releaseSlotOfPress(Editor& editor) override;
    void press(Editor& editor, unsigned flags, PixelPoint click, int clickNumber) override;
    int rightPress(Editor& editor, PixelPoint click) override;
    void addPreview(const Editor& editor, const PointerPlaces& pointer,
                    PaneFrame& frame) const override;
    void addSnapMarkers(const Editor& editor, const PointerPlaces& pointer,
                        PaneFrame& frame) const override;
    int phaseNumber() const override { return static_cast<int>(phase); }
    bool holdsSlot() const override { return phase != DrawPhase::Idle; }
    bool operationUnderWay() const override { return phase != DrawPhase::Idle; }
    void end(Editor& editor) override;
    void cancel(Editor& editor) override;
    void reset() override { phase = DrawPhase::Idle; }
};

// Space with a typed point (model coordinates): the next vertex, without snapshot, count or
// winding correction. The caller checks the capacity first.
void drawTriangleTypedVertex(Editor& editor, const Point3& point);

} // namespace fcw
