#include "editor/batch/batch_bench.h"
#include "editor/batch/batch_player.h"
#include "editor/view/frame_step.h"

#include <gtest/gtest.h>

#include <regex>
#include <sstream>

namespace fcw {
namespace {

const std::string kExample = std::string(FCW_EXAMPLES_DIR) + "/tetrahedron.fcw";

// A player whose "window paint" counts the paints and runs the real frame step.
struct Bench {
    std::ostringstream out;
    std::ostringstream err;
    BatchPlayer player{out, err};
    int paints = 0;
    Bench() {
        player.setPainter([this](Editor& e) {
            ++paints;
            stepFrame(e); // the pixels are left out
        });
    }
    std::optional<std::string> run(const std::string& line) { return player.runLine(line); }
};

TEST(BatchBench, PaintTimesNFullRepaintsInOneLine) {
    Bench b;
    ASSERT_FALSE(b.run("bench paint 5"));
    EXPECT_EQ(b.paints, 5);
    EXPECT_TRUE(std::regex_match(
        b.out.str(),
        std::regex(R"(bench paint n=5 median_ms=[0-9]+\.[0-9]{3} min_ms=[0-9]+\.[0-9]{3}\n)")))
        << b.out.str();
    // Outside the bench a repaint runs only the frame step again.
    b.player.editor().repaint();
    EXPECT_EQ(b.paints, 5);
}

TEST(BatchBench, DragMovesTheShownSelectionOnePixelPerEventWithARepaintEach) {
    Bench b;
    for (const std::string& line : {"open \"" + kExample + "\"", std::string("command 32803"),
                                    std::string("command 32930")}) {
        ASSERT_FALSE(b.run(line)) << line;
    }
    Editor& e = b.player.editor();
    const double before = e.document.store.modelTriangles[0].v[0].y;
    const int undoBefore = e.undoDepth();
    ASSERT_FALSE(b.run("bench drag 4"));
    EXPECT_TRUE(std::regex_match(
        b.out.str(), std::regex(R"(bench drag n=4 median_ms=[0-9.]+ min_ms=[0-9.]+\n)")))
        << b.out.str();
    EXPECT_GE(b.paints, 4 + 2); // each move, the press and the release repaint
    // Four pixels to the right at zoom 1, one undoable edit.
    EXPECT_DOUBLE_EQ(e.document.store.modelTriangles[0].v[0].y, before + 4);
    EXPECT_EQ(e.undoDepth(), undoBefore + 1);
}

TEST(BatchBench, RefusesBadCountsAStateWithoutSelectionAndABuildWithoutPainter) {
    Bench b;
    for (const char* line : {"bench paint", "bench paint 0", "bench paint x", "bench walk 3",
                             "bench paint 3 4", "bench paint 100001"}) {
        const auto problem = b.run(line);
        ASSERT_TRUE(problem) << line;
        EXPECT_NE(problem->find("usage: bench"), std::string::npos) << *problem;
    }
    const auto noSelection = b.run("bench drag 3");
    ASSERT_TRUE(noSelection);
    EXPECT_NE(noSelection->find("needs a selection"), std::string::npos);
    EXPECT_EQ(b.paints, 0);

    std::ostringstream out;
    BatchPlayer plain(out, out);
    const auto unavailable = plain.runLine("bench paint 3");
    ASSERT_TRUE(unavailable);
    EXPECT_NE(unavailable->find("not available"), std::string::npos);
}

TEST(BatchBench, MedianOfOddAndEvenCounts) {
    EXPECT_DOUBLE_EQ(summarise({3, 1, 2}).medianMs, 2);
    EXPECT_DOUBLE_EQ(summarise({4, 1, 2, 3}).medianMs, 2.5);
    EXPECT_DOUBLE_EQ(summarise({4, 1, 2, 3}).minMs, 1);
    EXPECT_DOUBLE_EQ(summarise({}).medianMs, 0);
}

// An unsupported pixel depth turns the depth display off, with one message, when the depth
// or the display mode is set (never in a paint); a supported one keeps it.
TEST(BatchBench, PixelFormatSendsTheDepthDisplayDownTheUnsupportedPath) {
    Bench b;
    Editor& e = b.player.editor();
    const std::string message = "message 現在の画面の色数ではこのモードはは使用できません\n";
    ASSERT_FALSE(b.run("command 32808")); // no edges: the depth display applies
    e.session.view.depthNormalDisplay = 1;
    ASSERT_FALSE(b.run("pixelformat 16"));
    e.repaint();
    EXPECT_EQ(e.session.view.depthNormalDisplay, 1);
    ASSERT_FALSE(b.run("pixelformat 8"));
    EXPECT_EQ(e.session.view.depthNormalDisplay, 0);
    e.repaint();
    EXPECT_EQ(b.out.str(), message);
    // Set while another mode shows: the choice of mode 3 decides.
    e.session.view.depthNormalDisplay = 1;
    ASSERT_FALSE(b.run("command 32809"));
    e.repaint();
    EXPECT_EQ(b.out.str(), message);
    ASSERT_FALSE(b.run("command 32808"));
    EXPECT_EQ(e.session.view.depthNormalDisplay, 0);
    EXPECT_EQ(b.out.str(), message + message);
    EXPECT_TRUE(b.run("pixelformat sixteen"));
}

} // namespace
} // namespace fcw
