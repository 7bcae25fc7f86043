// File ▸ 画像として書き出し (33040) and 回転アニメーションの書き出し (33041) through the batch
// player and a scripted host, with a stand-in painter: what is written, what is refused, and
// that a cancelled or failed export leaves no file.

#include "editor/batch/batch_player.h"
#include "editor/commands/picture_commands.h"
#include "editor/editor.h"
#include "temp_folder.h"
#include "test_host.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace fcw {
namespace {

// Every pixel opaque, in a shade that follows the frame's turn.
std::vector<std::uint8_t> standInPainter(const SceneFrame& frame) {
    const auto w = static_cast<std::size_t>(frame.client.right);
    const auto h = static_cast<std::size_t>(frame.client.bottom);
    std::vector<std::uint8_t> out(w * h * 4, 255);
    for (std::size_t i = 0; i < out.size(); i += 4) {
        out[i] = static_cast<std::uint8_t>(frame.triangles[0].v[0].y * 10);
    }
    return out;
}

std::string fileStart(const std::string& path, std::size_t n) {
    std::ifstream in(path, std::ios::binary);
    std::string s(n, '\0');
    in.read(s.data(), static_cast<std::streamsize>(n));
    return s.substr(0, static_cast<std::size_t>(in.gcount()));
}

std::size_t filesIn(const std::string& dir) {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(dir), {}));
}

TEST(PictureCommands, BatchScriptWritesThePictureAndTheAnimation) {
    testing::TempFolder folder("fcw-picture-cmd");
    std::ostringstream out;
    std::ostringstream err;
    BatchPlayer player(out, err);
    player.host().setPictureRasteriser(standInPainter);
    const std::string still = folder.path("view");
    const std::string spin = folder.path("spin.webp");
    std::istringstream script("size 64 48\n"
                              "open " FCW_EXAMPLES_DIR "/tetrahedron.fcw\n"
                              "answer file " +
                              still +
                              "\n"
                              "command 33040\n"
                              "answer ok 1420=0\n" // refused: frames 1 to 360
                              "command 33041\n"
                              "answer ok 1420=4 1421=32 1422=24 1423=100 1424=0\n"
                              "answer file " +
                              spin +
                              "\n"
                              "command 33041\n");
    ASSERT_EQ(player.run(script), 0) << err.str();
    EXPECT_NE(out.str().find("1 から 360 までの整数を入力してください。"), std::string::npos)
        << out.str();
    // The view's PNG at the view's size, its extension added from the filter.
    const std::string png = fileStart(still + ".png", 24);
    ASSERT_EQ(png.size(), 24u);
    EXPECT_EQ(png.substr(1, 3), "PNG");
    EXPECT_EQ(png.substr(16, 8), std::string("\0\0\0\x40\0\0\0\x30", 8)) << "64 x 48";
    // An animated WebP (its extended header and animation chunk).
    const std::string webp = fileStart(spin, 64);
    EXPECT_EQ(webp.substr(0, 4), "RIFF");
    EXPECT_EQ(webp.substr(8, 8), "WEBPVP8X");
    EXPECT_NE(webp.find("ANIM"), std::string::npos);
    EXPECT_EQ(filesIn(folder.dir()), 2u);
}

// Answers the dialog with its defaults, and cancels the progress after `cancelAfter` frames.
class ExportHost : public testing::FakeHost {
  public:
    int cancelAfter = 1000;
    int progressCalls = 0;
    bool runDialog(Dialog& dialog) override {
        dialogs.push_back(dialog.resourceId());
        dialog.setValue(TurntableDialog::kWidth, "40");
        dialog.setValue(TurntableDialog::kHeight, "30");
        return !dialog.validate();
    }
    FrameRasteriser pictureRasteriser() const override { return standInPainter; }
    bool showProgress(const std::string&, int done, int) override {
        ++progressCalls;
        return done < cancelAfter;
    }
};

TEST(PictureCommands, CancelledOrFailedAnimationLeavesNoFile) {
    testing::TempFolder folder("fcw-picture-cancel");
    ExportHost host;
    Editor e{host};
    testing::appendTriangle(e, {0, 0, 0}, {0, 10, 0}, {0, 0, 10}, 0x0000FF);
    host.cancelAfter = 3;
    host.fileAnswers.push_back(folder.path("spin.gif"));
    exportTurntable(e);
    EXPECT_EQ(host.dialogs, std::vector<int>{kTurntableDialog});
    EXPECT_EQ(host.progressCalls, 3);
    EXPECT_TRUE(host.messages.empty()) << "a cancel says nothing";

    host.cancelAfter = 1000;
    e.services.writeFaults.failAfterBytes = 16;
    host.fileAnswers.push_back(folder.path("spin.gif"));
    exportTurntable(e);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_NE(host.messages[0].find("spin.gif"), std::string::npos);
    EXPECT_EQ(filesIn(folder.dir()), 0u);
}

} // namespace
} // namespace fcw
