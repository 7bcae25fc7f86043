#pragma once

#include "ops/symmetry.h"

#include <vector>

namespace fcw {

class Editor;

// Live symmetry. The edits themselves know nothing of it: after every counted edit
// (EditTransaction::commit) and at the end of every user event (a click, a move, a key, a
// command, which covers the steps of a drag or a nudge run after the first), keepSymmetric
// compares the model with the one the last event left and brings the mirror images of what
// changed in line (ops/symmetry.h, followSymmetry). What it adds or changes belongs to the undo
// step of the edit. An edit whose mirror images would pass 3000 triangles is taken back with
// the capacity warning.
void keepSymmetric(Editor& editor);

// Calls keepSymmetric when the event it was made at the start of is over, whichever way the
// event's handler returns.
class SymmetryAfterEvent {
  public:
    explicit SymmetryAfterEvent(Editor& editor) : editor_(editor) {}
    SymmetryAfterEvent(const SymmetryAfterEvent&) = delete;
    SymmetryAfterEvent& operator=(const SymmetryAfterEvent&) = delete;
    ~SymmetryAfterEvent() { keepSymmetric(editor_); }

  private:
    Editor& editor_;
};

// The model as it stands becomes the one the next edit is compared with (after an undo or a
// redo, which restore models as they were, symmetric or not).
void resetSymmetryReference(Editor& editor);

// The live model's triangles (a triangle being drawn or a sphere's reserved slot left out).
std::vector<TriangleCore> liveModel(const Editor& editor);

// 33030: on asks, over a model that is not symmetric, whether to replace the − side by the
// mirror image of the + side (Yes: one undo step; No: symmetry stays off). Off changes nothing.
void toggleSymmetry(Editor& editor);
// 33031: dialog 401 chooses the plane; a new plane while symmetry is on is taken up as when
// turning it on.
void chooseSymmetryPlane(Editor& editor);

// The document's state as a document read back gives it: on only over a symmetric model.
// The document's block after the triangle records calls this once it stores the switch.
void restoreSymmetry(Editor& editor, bool on, MirrorPlane plane);

} // namespace fcw
