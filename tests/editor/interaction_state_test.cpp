#include "editor/interaction_state.h"

#include <gtest/gtest.h>

namespace fcw {
namespace {

TEST(InteractionState, SelectToolDropsAHalfDrawnTriangle) {
    InteractionState s;
    MeshStore store;
    store.lastIndex = 4; // provisional triangle in slot 4
    s.editPhase = 2;
    selectTool(s, store, ToolMode::Erase);
    EXPECT_EQ(store.lastIndex, 3);
    EXPECT_EQ(s.editPhase, 0);
    EXPECT_EQ(s.toolMode, ToolMode::Erase);

    // Idle: selecting the active tool again changes nothing.
    selectTool(s, store, ToolMode::Erase);
    EXPECT_EQ(store.lastIndex, 3);
}

TEST(InteractionState, SelectToolEndsTheOperationButKeepsTheSelection) {
    InteractionState s;
    MeshStore store;
    store.lastIndex = 0;
    store.modelTriangles[0].v[1].selected = 1;
    s.toolMode = ToolMode::RangeMove;
    s.editPhase = 2;
    selectTool(s, store, ToolMode::DrawTriangle);
    EXPECT_EQ(store.lastIndex, 0); // only the drawing tool owns a provisional slot
    EXPECT_EQ(s.editPhase, 0);
    EXPECT_EQ(store.modelTriangles[0].v[1].selected, 1);
}

} // namespace
} // namespace fcw
