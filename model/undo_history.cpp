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

bool UndoHistory::restoreLast(MeshStore& store) {
    if (undoDepth <= 0) {
        return false;
    }
    const int n = counts[static_cast<std::size_t>(undoDepth - 1)];
    --undoDepth;
    store.lastIndex = static_cast<std::int16_t>(n);
    const auto slot = static_cast<std::size_t>(undoDepth);
    for (int i = 0; i <= n; ++i) {
        Triangle& t = store.modelTriangles[static_cast<std::size_t>(i)];
        t.assign(slots[slot][static_cast<std::size_t>(i)]);
        t.computePolar();
        t.computeNormal();
    }
    return true;
}

} // namespace fcw
