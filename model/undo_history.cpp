#include "model/undo_history.h"

#include <algorithm>

namespace fcw {

void UndoHistory::takeSnapshot(const MeshStore& store, int lastToSave) {
    const int saveLast = std::clamp(lastToSave, -1, kTriangleSlots - 1);
    if (undoDepth >= kUndoLevels) {
        // Drop the oldest. Swapping the buffers moves each slot down without copying; the
        // oldest buffer becomes the free slot at the top.
        std::rotate(slots.begin(), slots.begin() + 1, slots.end());
        std::rotate(counts.begin(), counts.begin() + 1, counts.end());
        undoDepth = kUndoLevels - 1;
    }
    const auto slot = static_cast<std::size_t>(undoDepth);
    counts[slot] = static_cast<std::int16_t>(saveLast);
    for (int i = 0; i <= saveLast; ++i) {
        slots[slot][static_cast<std::size_t>(i)] =
            store.modelTriangles[static_cast<std::size_t>(i)].core();
    }
}

namespace {

// Copies modelTriangles[0 .. last] into `slot` and returns the last index saved.
std::int16_t saveModel(const MeshStore& store, std::vector<TriangleCore>& slot) {
    const int last = std::clamp<int>(store.lastIndex, -1, kTriangleSlots - 1);
    for (int i = 0; i <= last; ++i) {
        slot[static_cast<std::size_t>(i)] =
            store.modelTriangles[static_cast<std::size_t>(i)].core();
    }
    return static_cast<std::int16_t>(last);
}

// Makes `slot`[0 .. last] the model, with polar data and normals recomputed.
void loadModel(MeshStore& store, const std::vector<TriangleCore>& slot, int last) {
    store.lastIndex = static_cast<std::int16_t>(last);
    for (int i = 0; i <= last; ++i) {
        Triangle& t = store.modelTriangles[static_cast<std::size_t>(i)];
        t.assign(slot[static_cast<std::size_t>(i)]);
        t.computePolar();
        t.computeNormal();
    }
}

} // namespace

bool UndoHistory::restoreLast(MeshStore& store) {
    if (undoDepth <= 0) {
        return false;
    }
    if (redoDepth < kUndoLevels) { // always true while the sum rule holds
        const auto kept = static_cast<std::size_t>(redoDepth);
        redoCounts[kept] = saveModel(store, redoSlots[kept]);
        ++redoDepth;
    }
    --undoDepth;
    const auto slot = static_cast<std::size_t>(undoDepth);
    loadModel(store, slots[slot], counts[slot]);
    ++serial;
    return true;
}

bool UndoHistory::restoreNext(MeshStore& store) {
    if (redoDepth <= 0) {
        return false;
    }
    takeSnapshot(store, store.lastIndex);
    countSnapshot();
    --redoDepth;
    const auto slot = static_cast<std::size_t>(redoDepth);
    loadModel(store, redoSlots[slot], redoCounts[slot]);
    ++serial;
    return true;
}

} // namespace fcw
