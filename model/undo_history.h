#pragma once

#include "model/mesh_store.h"

#include <array>
#include <cstdint>
#include <vector>

namespace fcw {

inline constexpr int kUndoLevels = 10;

// Up to ten whole copies of the model. Slots 0 .. undoDepth-1 are the counted history, oldest
// first; slot undoDepth receives the next snapshot. A slot keeps only what triangle assignment
// copies (colour and coordinates), so it stores TriangleCore records.
struct UndoHistory {
    std::vector<std::vector<TriangleCore>> slots = std::vector<std::vector<TriangleCore>>(
        kUndoLevels, std::vector<TriangleCore>(kTriangleSlots));
    std::array<std::int16_t, kUndoLevels> counts{}; // last index saved with each slot
    int undoDepth = 0;                              // counted snapshots, 0..10

    // Saves modelTriangles[0 .. lastIndex] (or one slot more when includeSlotAfterLast, for
    // the tools whose in-progress state sits past the end) into slot undoDepth, first dropping
    // the oldest slot when the history is full. undoDepth itself is not changed: the caller
    // counts the edit once it has gone through.
    void takeSnapshot(const MeshStore& store, bool includeSlotAfterLast) {
        takeSnapshot(store, store.lastIndex + (includeSlotAfterLast ? 1 : 0));
    }
    // The same for modelTriangles[0 .. lastToSave] (-1 .. 3000).
    void takeSnapshot(const MeshStore& store, int lastToSave);

    // Counts the edit whose snapshot was taken last.
    void countEdit() {
        if (undoDepth < kUndoLevels) {
            ++undoDepth;
        }
    }

    // Pops the most recent counted slot into the store's modelTriangles (colour and
    // coordinates, then their polar data and normal) and sets lastIndex. Returns false when there
    // was nothing to undo. The caller refreshes the view list.
    bool restoreLast(MeshStore& store);
};

} // namespace fcw
