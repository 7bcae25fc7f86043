#include "editor/batch/batch_player.h"
#include "render/palette.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>

namespace fcw {
namespace {

TEST(Palette, ShellsHoldEachColourOnceAtTheirOffsets) {
    const auto& swatches = paletteSwatches();
    ASSERT_EQ(swatches.size(), 125u);
    int perShell[5] = {};
    std::set<Colour> colours;
    for (const Swatch& s : swatches) {
        ++perShell[s.shell];
        colours.insert(s.colour);
    }
    EXPECT_EQ(perShell[0], 61);
    EXPECT_EQ(perShell[1], 37);
    EXPECT_EQ(perShell[2], 19);
    EXPECT_EQ(perShell[3], 7);
    EXPECT_EQ(perShell[4], 1);
    EXPECT_EQ(colours.size(), 125u);
    EXPECT_EQ(swatches[0].colour, 0u); // (0, 0, 0) sits at the anchor
    EXPECT_EQ(swatches[0].rect, (Rect{140, 120, 162, 137}));
    EXPECT_EQ(paletteColourAt({20, 120}), 0x0000FFu); // pure red, 120 pixels left
    EXPECT_EQ(paletteColourAt({41, 136}), 0x0000FFu);
    EXPECT_FALSE(paletteColourAt({42, 136}));          // the right edge is outside
    EXPECT_EQ(paletteColourAt({310, 420}), 0xFFFFFFu); // shell 4: white
    EXPECT_EQ(swatches.back().colour, 0xFFFFFFu);
}

TEST(Palette, ClicksChooseAndCommandsFollowUp) {
    std::ostringstream out;
    std::ostringstream err;
    BatchPlayer player(out, err);
    Editor& e = player.editor();
    ASSERT_FALSE(player.runLine("answer click 5 5")); // background: stays open, then closes
    ASSERT_FALSE(player.runLine("command 32797"));
    EXPECT_EQ(e.session.interaction.currentColour, 0u);
    EXPECT_EQ(e.session.interaction.toolMode, ToolMode::Paint); // Paint however the palette closed
    ASSERT_FALSE(player.runLine("command 32801"));
    ASSERT_FALSE(player.runLine("answer click 310 420"));
    ASSERT_FALSE(player.runLine("command 32797"));
    EXPECT_EQ(e.session.interaction.currentColour, 0xFFFFFFu);

    // Triangle popup: recolour, reverse, pick.
    for (const char* line : {"command 32801", "down 400 300", "down 500 300", "down 400 400",
                             "answer choose 32839", "answer click 20 120", "rdown 420 320"}) {
        ASSERT_FALSE(player.runLine(line)) << line;
    }
    EXPECT_EQ(e.document.store.modelTriangles[0].colour, 0x0000FFu);
    const int depth = e.undoDepth();
    ASSERT_FALSE(player.runLine("answer choose 32838"));
    ASSERT_FALSE(player.runLine("rdown 420 320"));
    EXPECT_LT(e.document.store.viewTriangles[0].normal.x, 0.0);
    EXPECT_EQ(e.undoDepth(), depth + 1);
    e.session.interaction.currentColour = 0;
    ASSERT_FALSE(player.runLine("answer choose 32869"));
    ASSERT_FALSE(player.runLine("rdown 420 320")); // back-facing triangles can be picked too
    EXPECT_EQ(e.session.interaction.currentColour, 0x0000FFu);
}

} // namespace
} // namespace fcw
