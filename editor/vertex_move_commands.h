#pragma once

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
    32921, 32918, 32922, 32919, 32923, 32920, 32924, 32902, 32925, 32903, 32926, 32904,
    32944, 32937, 32945, 32938, 32946, 32939, 32947, 32940, 32953, 32951, 32954, 32952,
    32948, 32941, 32949, 32933, 32950, 32942, 32927, 32905, 32928, 32906, 32929, 32907,
};

} // namespace fcw
