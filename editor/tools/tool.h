#pragma once

#include "model/pixel_geometry.h"

namespace fcw {

class Editor;
enum class Key;
struct PaneFrame;
struct PointerPlaces;

// One mouse tool: what it does with the view's pointer events, how far its operation has got
// (its phase, which it keeps with its own state) and how that operation ends or is cancelled.
// The editor holds one object of each tool (ToolStates); the registry (tool_registry.h) maps
// the tool mode to it. Only the active tool is ever out of its idle phase.
class Tool {
  public:
    virtual ~Tool() = default;

    // A press the triangle limit refuses (the caller warns); nothing else happens then.
    virtual bool pressPassesLimit(const Editor&) const { return false; }
    // Before a press's click is recorded: a tool whose press holds the slot after the model
    // reserves it here, so that the snaps see the model as the press leaves it.
    virtual void reserveSlotForPress(Editor&, int /*clickNumber*/) {}
    // Gives back what reserveSlotForPress took when the press went to something else (the
    // click that ends a popup move).
    virtual void releaseSlotOfPress(Editor&) {}

    // Left press, after the common start recorded click `clickNumber` (1..3).
    virtual void press(Editor& editor, unsigned flags, PixelPoint click, int clickNumber) = 0;
    virtual void move(Editor&, PixelPoint) {}
    virtual void release(Editor&, unsigned /*flags*/, PixelPoint) {}
    // A move came with the left button up: the release went missing. Called on every tool.
    virtual void releaseLost(Editor&) {}
    // A right press while the tool's phase is active; returns the command a menu it showed
    // chose (0 for none).
    virtual int rightPress(Editor&, PixelPoint) { return 0; }
    // A key in the view, before the view's own keys: true when the tool took it (nothing
    // else happens then).
    virtual bool key(Editor&, Key, bool /*controlDown*/) { return false; }

    // What the tool adds to the active pane's frame: first its preview (the rubber line, the
    // band, the sphere's rectangle, the move boxes), then, over the vertex markers, where a
    // click would land (the snap markers). `pointer` is in the frame's pixels.
    virtual void addPreview(const Editor&, const PointerPlaces& /*pointer*/, PaneFrame&) const {}
    virtual void addSnapMarkers(const Editor&, const PointerPlaces& /*pointer*/, PaneFrame&) const {
    }

    // The phase as one number, as the state dump prints it (0 = idle).
    virtual int phaseNumber() const { return 0; }
    // The operation holds the slot after the model (it is lastIndex).
    virtual bool holdsSlot() const { return false; }
    // An operation is under way (a shown selection is a phase, not an operation).
    virtual bool operationUnderWay() const { return false; }

    // Ends the operation under way: a held slot is given back, a band is dropped, a drag
    // stops where it is, a held button is let go.
    virtual void end(Editor&) {}
    // Gives back the slot the operation holds (its phase becomes idle); nothing else.
    virtual void cancel(Editor&) {}
    // The phase back to idle, the store untouched (a model that is replaced anyway).
    virtual void reset() {}

  protected:
    Tool() = default;
    Tool(const Tool&) = default;
    Tool& operator=(const Tool&) = default;
};

} // namespace fcw
