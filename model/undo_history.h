#pragma once

#include "model/mesh_store.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace fcw {

inline constexpr int kUndoLevels = 10;

// Up to ten whole copies of the model. Slots 0 .. undoDepth-1 are the counted history, oldest
// first; slot undoDepth receives the next snapshot. A slot keeps only what triangle assignment
// copies (colour and coordinates), so it stores TriangleCore records.
//
// Each undo keeps the state it replaced in the redo slots (0 .. redoDepth-1, the most recent
// undo last), and a redo brings the latest of them back, pushing the state it replaces onto the
// history as an edit would. A new counted edit forgets them. An undo moves one state from the
// history to the redo slots and a redo moves one back, while an edit empties the redo slots:
// undoDepth + redoDepth never passes ten.
struct UndoHistory {
    std::vector<std::vector<TriangleCore>> slots = std::vector<std::vector<TriangleCore>>(
        kUndoLevels, std::vector<TriangleCore>(kTriangleSlots));
    std::array<std::int16_t, kUndoLevels> counts{}; // last index saved with each slot
    int undoDepth = 0;                              // counted snapshots, 0..10
    std::vector<std::vector<TriangleCore>> redoSlots = std::vector<std::vector<TriangleCore>>(
        kUndoLevels, std::vector<TriangleCore>(kTriangleSlots));
    std::array<std::int16_t, kUndoLevels> redoCounts{}; // last index saved with each redo slot
    int redoDepth = 0;                                  // states an undo replaced, 0..10
    // Grows by one with every counted edit, undo and redo: a drag that was counted as an edit
    // at serial N still belongs to the last undo step while the serial is N.
    std::uint64_t serial = 1;

    // Saves modelTriangles[0 .. lastIndex] (or one slot more when includeSlotAfterLast, for
    // the tools whose in-progress state sits past the end) into slot undoDepth, first dropping
    // the oldest slot when the history is full. undoDepth itself is not changed: the caller
    // counts the edit once it has gone through.
    void takeSnapshot(const MeshStore& store, bool includeSlotAfterLast) {
        takeSnapshot(store, store.lastIndex + (includeSlotAfterLast ? 1 : 0));
    }
    // The same for modelTriangles[0 .. lastToSave] (-1 .. 3000).
    void takeSnapshot(const MeshStore& store, int lastToSave);

    // Counts the edit whose snapshot was taken last; what the undos before it replaced can no
    // longer be redone.
    void countEdit() {
        countSnapshot();
        redoDepth = 0;
        ++serial;
    }

    // Pops the most recent counted slot into the store's modelTriangles (colour and
    // coordinates, then their polar data and normal) and sets lastIndex, after keeping the
    // replaced model (0 .. lastIndex) for redo. Returns false when there was nothing to undo.
    // The caller refreshes the view list.
    bool restoreLast(MeshStore& store);

    // Redo: the model the latest undo replaced comes back the same way, and the model it
    // replaces becomes the history's newest counted slot. Returns false when nothing was undone
    // since the last counted edit (or load).
    bool restoreNext(MeshStore& store);

    // Takes back the newest counted step without restoring anything, for an edit that was
    // counted and then refused with the model put back as it was before it: the redo slots
    // are those the edit forgot (`redoDepthBefore` of them, still held) and the serial is
    // `serialBefore` again. (An edit counted over a full history had already dropped the
    // oldest step; that one stays gone.)
    void withdrawLast(int redoDepthBefore, std::uint64_t serialBefore) {
        if (undoDepth > 0) {
            --undoDepth;
        }
        redoDepth = std::min(redoDepthBefore, kUndoLevels - undoDepth);
        serial = serialBefore;
    }

    // Forgets every step: history and redo (a loaded document starts a new history). The
    // serial goes on growing.
    void clear() {
        undoDepth = 0;
        redoDepth = 0;
    }

  private:
    void countSnapshot() {
        if (undoDepth < kUndoLevels) {
            ++undoDepth;
        }
    }
};

} // namespace fcw
