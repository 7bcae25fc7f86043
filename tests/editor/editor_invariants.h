#pragma once

#include "model/triangle.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace fcw {
class Editor;
}

namespace fcw::testing {

// What the editor's state must satisfy between any two input events. Each check returns a
// description of the first broken rule, or nothing.

// The whole state: lastIndex within -1 .. 3000 (3000 only when `allowFullSlots`, i.e. after a
// text import filled the spare slot), undo depth 0 .. 10 (with redo, at most 10 steps), every live
// triangle's derived fields equal to what recomputing them from its vertices gives, the view list
// equal (within rounding) to the model list rotated by the camera, equal selection marks in both
// lists, and a shown selection listing exactly the marked vertices of live triangles.
std::optional<std::string> checkEditorInvariants(const Editor& editor, bool allowFullSlots);

// The same checks, run after event after event: triangles whose bytes (in both lists) and
// camera angles have not changed since the last check that passed are not recomputed.
class InvariantChecker {
  public:
    InvariantChecker();
    ~InvariantChecker();
    std::optional<std::string> check(const Editor& editor, bool allowFullSlots);
    // Forgets what was checked (for a new editor).
    void reset();

  private:
    struct Cache;
    std::unique_ptr<Cache> cache_;
};

// While live symmetry is on (and no undo or redo brought back an older model since it was made
// symmetric): every live triangle has its mirror image, or crosses the plane without one (kept
// as it was when symmetry was turned on).
std::optional<std::string> checkSymmetry(const Editor& editor);

// After a paint: drawOrder[0 .. n] is a permutation of 0 .. n, with n the last triangle (plus
// the spare slot while a tool other than drawing or sphere has an operation under way), and
// sorted back to front by the store's depth keys.
std::optional<std::string> checkDrawOrder(const Editor& editor);

// After Undo, Open, New, import, a tool change or any command: no operation is left under way
// (no half-drawn triangle, reserved slot, band, drag, held button, popup move or nudge run).
std::optional<std::string> checkNoOperationPending(const Editor& editor);

// The model's triangles (colour and coordinates, 0 .. lastIndex), to compare across an event.
std::vector<TriangleCore> modelCores(const Editor& editor);

// A pointer move without a button changes no triangle (the popup move aside, which the caller
// leaves out): `before` is modelCores() from before the move.
std::optional<std::string> checkModelUnchanged(const std::vector<TriangleCore>& before,
                                               const Editor& editor);

// Once an edit was counted (or undone) since `historySerialBefore`, the document is modified.
std::optional<std::string> checkModifiedAfterEdit(const Editor& editor,
                                                  std::uint64_t historySerialBefore);

} // namespace fcw::testing
