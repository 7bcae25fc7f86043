#include "editor/commands/commands.h"
#include "editor/editor.h"
#include "editor/view/panes.h"
#include "reference_pictures.h"
#include "script_fixture.h"
#include "temp_folder.h"
#include "test_host.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace fcw {
namespace {

using testing::writePicture;

class ReferenceCommands : public testing::ScriptTest {
  protected:
    testing::TempFolder folder{"fcw-refcmd"};
    std::string picture = folder.path("p.pic");

    ReferenceCommands() {
        player.setReferenceDecoder(testing::decodeTestPicture);
        writePicture(picture, 100, 50, 0xFF0000FF);
    }
    void load() {
        run("answer file " + picture);
        run("command 33020");
    }
    const ReferenceImage& slot(std::size_t i) const { return e.document.references[i]; }
};

// The image goes to the active orthographic pane's slot; from 自由視点 it goes to 正面, which
// becomes active.
TEST_F(ReferenceCommands, LoadGoesToTheActivePanesDirection) {
    struct Case {
        const char* paneCommand;
        std::size_t slot;
        std::size_t activeAfter;
    };
    const Case cases[] = {{"command 33012", 0, pane_index::kFront},
                          {"command 33013", 1, pane_index::kRight},
                          {"command 33014", 2, pane_index::kTop},
                          {"command 33015", 0, pane_index::kFront}};
    for (const Case& c : cases) {
        run("new");
        run(c.paneCommand);
        load();
        for (std::size_t i = 0; i < kReferenceDirections; ++i) {
            EXPECT_EQ(slot(i).loaded(), i == c.slot) << c.paneCommand << " slot " << i;
        }
        EXPECT_EQ(e.session.activePane, c.activeAfter) << c.paneCommand;
        EXPECT_TRUE(e.document.modified);
    }
}

TEST_F(ReferenceCommands, SettingsAndRemovalAreGreyedWithoutAnImage) {
    run("command 33012");
    EXPECT_EQ(dispatchCommand(e, 33021), DispatchResult::Disabled);
    EXPECT_EQ(dispatchCommand(e, 33022), DispatchResult::Disabled);
    load();
    run("command 33013"); // another pane has none
    EXPECT_EQ(dispatchCommand(e, 33021), DispatchResult::Disabled);
    run("command 33012");
    EXPECT_EQ(dispatchCommand(e, 33022), DispatchResult::Done);
    EXPECT_FALSE(slot(0).inUse);
}

TEST_F(ReferenceCommands, DialogSetsTheImageAndRefusesBadNumbers) {
    run("command 33014");
    load();
    struct Case {
        const char* answer;
        const char* refusal; // nullptr: accepted
    };
    const Case cases[] = {
        {"answer ok 1400=abc", "数字を入力してください。"},
        {"answer ok 1402=0", "幅は 0 より大きい数字を入力してください。"},
        {"answer ok 1402=-3", "幅は 0 より大きい数字を入力してください。"},
        {"answer ok 1403=101", "0 から 100 までの数字を入力してください。"},
        {"answer ok 1400=12.5 1401=-4 1402=250 1403=80 1404=0 1405=1", nullptr},
    };
    for (const Case& c : cases) {
        out.str("");
        const ReferenceSettings before = slot(2).settings;
        run(c.answer);
        run("command 33021");
        EXPECT_NE(out.str().find("dialog 400"), std::string::npos) << c.answer;
        if (c.refusal != nullptr) {
            EXPECT_NE(out.str().find(c.refusal), std::string::npos) << out.str();
            EXPECT_EQ(slot(2).settings, before) << c.answer;
        }
    }
    EXPECT_EQ(slot(2).settings, (ReferenceSettings{12.5, -4, 250, 80, false, true}));
}

// Shift with the middle button moves an unlocked image by the pointer's travel in model units;
// a locked one stays and the move is the mouse's as before; the plain middle button pans.
TEST_F(ReferenceCommands, ShiftMiddleDragMovesOnlyAnUnlockedImage) {
    run("command 33012");
    load();
    run("command 32829"); // ×２
    const Camera before = e.pane().camera;
    run({"move 400 300", "move 400 300 middle shift", "move 420 290 middle shift",
         "move 430 280 middle shift"});
    EXPECT_DOUBLE_EQ(slot(0).settings.across, 15);
    EXPECT_DOUBLE_EQ(slot(0).settings.up, 10);
    EXPECT_EQ(e.pane().camera.originOffsetX, before.originOffsetX) << "the view did not pan";

    run("answer ok 1405=1");
    run("command 33021");
    run({"move 400 300", "move 400 300 middle shift", "move 450 350 middle shift"});
    EXPECT_DOUBLE_EQ(slot(0).settings.across, 15);
    EXPECT_DOUBLE_EQ(slot(0).settings.up, 10);

    run({"move 400 300", "move 400 300 middle", "move 420 300 middle"});
    EXPECT_NE(e.pane().camera.originOffsetX, before.originOffsetX) << "plain middle pans";
    EXPECT_DOUBLE_EQ(slot(0).settings.across, 15);
}

// Exports to the other formats hold the model only: the same bytes with and without an image.
TEST_F(ReferenceCommands, ExportsCarryNoImage) {
    testing::appendTriangle(e, {0, 0, 0}, {0, 10, 0}, {0, 0, 10}, 0x0000FF);
    auto bytesOf = [](const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    const char* formats[] = {"obj", "stl", "gltf", "ply"};
    std::filesystem::create_directory(folder.path("plain"));
    std::filesystem::create_directory(folder.path("with"));
    for (const char* ext : formats) {
        run("export " + folder.path(std::string("plain/m.") + ext));
    }
    run("command 33012");
    load();
    for (const char* ext : formats) {
        run("export " + folder.path(std::string("with/m.") + ext));
        const std::string plain = bytesOf(folder.path(std::string("plain/m.") + ext));
        EXPECT_FALSE(plain.empty()) << ext;
        EXPECT_EQ(bytesOf(folder.path(std::string("with/m.") + ext)), plain) << ext;
    }
}

} // namespace
} // namespace fcw
