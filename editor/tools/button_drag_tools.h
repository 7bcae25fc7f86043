#pragma once

#include "editor/tools/tool.h"
#include "model/pixel_geometry.h"

#include <cstdint>

namespace fcw {

// The tools that act on every move while the left button is held: Erase and Paint (one
// snapshot and one counted edit per press, at most one triangle per event), OriginMove (pans)
// and Zoom (dragging up enlarges).
enum class HoldPhase : std::int8_t { Idle = 0, Held = 1 };

class HoldTool : public Tool {
  public:
    HoldPhase phase = HoldPhase::Idle;

    void press(Editor& editor, unsigned flags, PixelPoint click, int clickNumber) final;
    void move(Editor& editor, PixelPoint pointer) final;
    void release(Editor&, unsigned, PixelPoint) final { phase = HoldPhase::Idle; }
    void releaseLost(Editor&) final { phase = HoldPhase::Idle; }
    bool operationUnderWay() const final { return phase != HoldPhase::Idle; }
    void end(Editor&) final { phase = HoldPhase::Idle; }

  protected:
    // The press and each move while the button is held.
    virtual void pressed(Editor& editor, PixelPoint click) = 0;
    virtual void held(Editor& editor, PixelPoint pointer) = 0;
};

class EraseTool final : public HoldTool {
    void pressed(Editor& editor, PixelPoint click) override;
    void held(Editor& editor, PixelPoint pointer) override;
};

class PaintTool final : public HoldTool {
    void pressed(Editor& editor, PixelPoint click) override;
    void held(Editor& editor, PixelPoint pointer) override;
};

class OriginMoveTool final : public HoldTool {
    void pressed(Editor& editor, PixelPoint click) override;
    void held(Editor& editor, PixelPoint pointer) override;
};

class ZoomTool final : public HoldTool {
    void pressed(Editor& editor, PixelPoint click) override;
    void held(Editor& editor, PixelPoint pointer) override;
};

// The middle-button pan, which works in every tool. A move with the middle button alone pans by
// the pointer's delta since the previous such move (zero for the first of a pan); a shown
// selection's rectangle follows.
void middlePanMove(Editor& editor, PixelPoint pointer);
// Any other move: the next middle-button move starts a new pan.
void middlePanBreak(Editor& editor);

} // namespace fcw
