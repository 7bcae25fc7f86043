#pragma once

#include "editor/command_ids.h"

namespace fcw {

class Editor;

// The eighteen numeric vertex commands (relative moves, positions, end-point and mean
// alignment, distance from an axis), by their menu or popup command id. Each asks for one
// number in dialog 318, moves the listed vertices in the screen's directions or the model's
// own axes (the dialog's option), counts one undo step, and ends the selection even when
// cancelled. Returns false for an id that is not one of them.
bool runVertexMove(Editor& editor, int commandId);

// The ids, for the command table.
inline constexpr int kVertexMoveIds[36] = {
    command_id::kMoveVertically,
    command_id::kPopupMoveVertically,
    command_id::kMoveHorizontally,
    command_id::kPopupMoveHorizontally,
    command_id::kMoveInDepth,
    command_id::kPopupMoveInDepth,
    command_id::kAlignVertically,
    command_id::kPopupAlignVertically,
    command_id::kAlignHorizontally,
    command_id::kPopupAlignHorizontally,
    command_id::kAlignInDepth,
    command_id::kPopupAlignInDepth,
    command_id::kAlignTop,
    command_id::kPopupAlignTop,
    command_id::kAlignBottom,
    command_id::kPopupAlignBottom,
    command_id::kAlignLeft,
    command_id::kPopupAlignLeft,
    command_id::kAlignRight,
    command_id::kPopupAlignRight,
    command_id::kAlignFront,
    command_id::kPopupAlignFront,
    command_id::kAlignBack,
    command_id::kPopupAlignBack,
    command_id::kMeanOnVerticalAxis,
    command_id::kPopupMeanOnVerticalAxis,
    command_id::kMeanOnHorizontalAxis,
    command_id::kPopupMeanOnHorizontalAxis,
    command_id::kMeanOnDepthAxis,
    command_id::kPopupMeanOnDepthAxis,
    command_id::kDistanceFromVerticalAxis,
    command_id::kPopupDistanceFromVerticalAxis,
    command_id::kDistanceFromHorizontalAxis,
    command_id::kPopupDistanceFromHorizontalAxis,
    command_id::kDistanceFromDepthAxis,
    command_id::kPopupDistanceFromDepthAxis,
};

} // namespace fcw
