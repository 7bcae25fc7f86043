#pragma once

#include "interact/interaction_state.h"

#include <cstddef>
#include <span>

namespace fcw {

// The selection entries in force: the first selectionCount of selectionList.
inline std::span<const SelectedVertex> activeSelection(const InteractionState& s) {
    const std::size_t n = std::min<std::size_t>(
        static_cast<std::size_t>(s.selectionCount < 0 ? 0 : s.selectionCount),
        s.selectionList.size());
    return {s.selectionList.data(), n};
}

// Calls action(t) for every whole-selected triangle t (all three vertices selected, which puts
// three entries of one triangle next to each other in the list), in list order. The action
// returns false to stop the walk.
template <typename Action> void forEachWholeTriangle(const InteractionState& s, Action&& action) {
    const auto list = activeSelection(s);
    std::size_t i = 0;
    while (i + 2 < list.size()) {
        if (list[i].triangle == list[i + 1].triangle && list[i].triangle == list[i + 2].triangle) {
            if (!action(static_cast<int>(list[i].triangle))) {
                return;
            }
            i += 3;
        } else {
            ++i;
        }
    }
}

inline bool hasWholeTriangle(const InteractionState& s) {
    bool found = false;
    forEachWholeTriangle(s, [&](int) {
        found = true;
        return false;
    });
    return found;
}

} // namespace fcw
