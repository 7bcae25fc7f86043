#pragma once

#include "editor/tools/tool.h"
#include "model/pixel_geometry.h"

#include <cstdint>

namespace fcw {

// The range tool: a rubber band selects vertices (Shift toggles them into the selection), then
// a press in CentreBox or GrabBox drags the selection; a selection's drags count as one edit.
// Phases: Idle -> RubberBand -> SelectionShown <-> Dragging.
enum class RangePhase : std::int8_t {
    Idle = 0,           // no selection shown
    RubberBand = 1,     // button down, the band follows the pointer
    SelectionShown = 2, // a selection is made and framed
    Dragging = 3,       // button down in CentreBox or GrabBox: the selection follows the pointer
};

// A run of Ctrl+arrow nudges of the selection: one snapshot and one counted edit per run.
enum class NudgePhase : std::int8_t { Idle = 0, Running = 1 };

class RangeTool final : public Tool {
  public:
    RangePhase phase = RangePhase::Idle;
    NudgePhase nudge = NudgePhase::Idle; // not a phase: a reset leaves it
    // UndoHistory::serial right after the shown selection's drags were counted as one edit
    // (0 = not counted). A later edit or undo leaves it behind, so the next drag is counted
    // with a snapshot of its own.
    std::uint64_t countedAtSerial = 0;
    PixelPoint dragStart{}; // client pixel where the drag began (grid rounding is of the total)
    // The rubber band while it is drawn, then the shown selection's rectangle (moved with the
    // view's pans and zooms), in the pane's pixels.
    Rect band{};
    PixelPoint anchor{}; // where the band started (on the grid when it started on a selection)
    // The grab box: the 200 x 140 box the selection is dragged by, about the point the drag
    // has reached (at the pane's centre when the selection is first shown).
    Rect grabBox{};

    // The press comes after the common start (the band starts at the click).
    void press(Editor& editor, unsigned flags, PixelPoint click, int clickNumber) override;
    void move(Editor& editor, PixelPoint pointer) override;
    void release(Editor& editor, unsigned flags, PixelPoint release) override;
    // A drag stops where it is (the selection stays shown).
    void releaseLost(Editor& editor) override;
    // The phase ends; a click in one of the selection's boxes shows the selection menu (its
    // choice is returned, 0 for none), one elsewhere ends the selection.
    int rightPress(Editor& editor, PixelPoint click) override;
    void addPreview(const Editor& editor, const PointerPlaces& pointer,
                    PaneFrame& frame) const override;
    void addSnapMarkers(const Editor& editor, const PointerPlaces& pointer,
                        PaneFrame& frame) const override;
    int phaseNumber() const override { return static_cast<int>(phase); }
    // Ctrl+arrows nudge a shown selection; any other key ends the nudge run.
    bool key(Editor& editor, Key pressed, bool controlDown) override;
    bool operationUnderWay() const override {
        return phase == RangePhase::RubberBand || phase == RangePhase::Dragging ||
               nudge != NudgePhase::Idle;
    }
    void end(Editor& editor) override;
    void reset() override { phase = RangePhase::Idle; }
};

// The 200 x 140 box centred on the client area.
Rect boxAroundClientCentre(const Editor& editor);

} // namespace fcw
