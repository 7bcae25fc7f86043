#include "editor/batch/batch_player.h"
#include "editor/commands/clipboard_commands.h"
#include "editor/commands/commands.h"
#include "editor/editor_invariants.h"
#include "io/atomic_file.h"
#include "io/work_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <limits>
#include <sstream>

namespace fcw {
namespace {

class Clipboard : public ::testing::Test {
  protected:
    std::filesystem::path dir;
    std::string work;
    std::ostringstream out;
    std::ostringstream err;
    BatchPlayer player{out, err};
    Editor& e = player.editor();

    void SetUp() override {
        char pattern[] = "/tmp/fcw-clip-XXXXXX";
        dir = ::mkdtemp(pattern);
        work = (dir / "work.tmp").string();
        run("workfile \"" + work + "\"");
        // Two triangles side by side, and a third far right.
        for (const char* line :
             {"down 400 300", "down 440 300", "down 400 340", "down 450 300", "down 490 300",
              "down 450 340", "down 700 300", "down 740 300", "down 700 340", "command 32803"}) {
            run(line);
        }
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    void run(const std::string& line) { ASSERT_FALSE(player.runLine(line)) << line; }
    std::size_t workFileSize() const { return std::filesystem::file_size(work); }
};

TEST_F(Clipboard, CopyWritesWholeSelectedTrianglesOnly) {
    EXPECT_EQ(dispatchCommand(e, command_id::kCopy), DispatchResult::Disabled);
    EXPECT_EQ(dispatchCommand(e, command_id::kPaste), DispatchResult::Disabled); // no work file yet
    run("down 390 290");
    run("up 500 350"); // the first two whole, nothing of the third
    ASSERT_EQ(e.document.selection.count(), 6);
    run("command 32846");
    EXPECT_EQ(workFileSize(), 173u);
    EXPECT_EQ(e.document.selection.count(), 0);
    EXPECT_EQ(e.undoDepth(), 3);

    run("down 395 295");
    run("up 445 320"); // two vertices of the first triangle only: not whole
    EXPECT_EQ(dispatchCommand(e, command_id::kCopy), DispatchResult::Disabled);
}

TEST_F(Clipboard, PasteKeepsTheOnScreenShapeAndBecomesTheSelection) {
    run("down 390 290");
    run("up 445 350"); // the first triangle
    run("command 32846");
    const Triangle copied = e.document.store.viewTriangles[0];
    run("key left"); // turn the camera before pasting
    run("command 32847");
    ASSERT_EQ(e.document.store.lastIndex, 3);
    const Triangle& pasted = e.document.store.viewTriangles[3];
    for (std::size_t k = 0; k < 3; ++k) { // same shape on screen, moved to the top-left
        EXPECT_NEAR(pasted.v[k].y - pasted.v[0].y, copied.v[k].y - copied.v[0].y, 1e-9);
        EXPECT_NEAR(pasted.v[k].z - pasted.v[0].z, copied.v[k].z - copied.v[0].z, 1e-9);
    }
    EXPECT_NEAR(pasted.v[0].y * e.pane().camera.zoom + e.pane().camera.centreX, 0.0, 1e-9);
    EXPECT_NEAR(pasted.v[0].z * e.pane().camera.zoom + e.pane().camera.centreY, 100.0, 1e-9);
    EXPECT_EQ(e.session.interaction.toolMode, ToolMode::RangeMove);
    EXPECT_EQ(editPhaseNumber(e), 2);
    EXPECT_EQ(e.document.selection.count(), 3);
    EXPECT_TRUE(dragAlreadyCounted(e)); // dragging the paste adds no undo step
    EXPECT_EQ(e.session.tools.range.band, (Rect{0, 100, 40, 140}));
    EXPECT_TRUE(e.document.modified);
}

TEST_F(Clipboard, CutThenUndoAndDeleteKeepTheRestInOrder) {
    run("down 390 290");
    run("up 445 350");
    run("command 32845");
    ASSERT_EQ(e.document.store.lastIndex, 1);
    EXPECT_EQ(e.document.store.modelTriangles[0].v[0].y, 50.0);
    EXPECT_EQ(e.document.store.modelTriangles[1].v[0].y, 300.0);
    run("command 32799");
    EXPECT_EQ(e.document.store.lastIndex, 2);
    EXPECT_EQ(workFileSize(), 97u); // still there to paste
    EXPECT_EQ(dispatchCommand(e, command_id::kPaste), DispatchResult::Done);
}

TEST_F(Clipboard, PasteWhileDrawingDropsTheHalfTriangleAndMarksOnlyThePaste) {
    run("down 390 290");
    run("up 445 350"); // the first triangle, marked
    run("command 32846");
    run("command 32801");
    run("down 100 500"); // a triangle begun: slot 3 is provisional
    run("command 32847");
    ASSERT_EQ(e.document.store.lastIndex, 3); // three old ones and the pasted one, no half triangle
    EXPECT_EQ(e.session.interaction.toolMode, ToolMode::RangeMove);
    EXPECT_EQ(editPhaseNumber(e), 2);
    EXPECT_EQ(e.document.selection.count(), 3);
    for (std::size_t k = 0; k < 3; ++k) {
        EXPECT_EQ(e.document.store.viewTriangles[0].v[k].selected, 0); // the old marks are gone
        EXPECT_EQ(e.document.store.viewTriangles[3].v[k].selected, 1);
        EXPECT_EQ(e.document.store.modelTriangles[3].v[k].selected, 1);
    }
    EXPECT_FALSE(testing::checkEditorInvariants(e, false));
}

TEST_F(Clipboard, PasteRespectsTheLimitAndRefusesABrokenWorkFile) {
    std::vector<TriangleCore> ten(10);
    writeFileAtomically(work, encodeWorkFile(ten));
    e.document.store.lastIndex = 2990;
    run("command 32847");
    EXPECT_EQ(e.document.store.lastIndex, 2990);
    EXPECT_NE(out.str().find("beep\ndialog 302\n"), std::string::npos);
    writeFileAtomically(work, encodeWorkFile(std::span(ten).first(9)));
    run("command 32847");
    EXPECT_EQ(e.document.store.lastIndex, 2999); // the store is full

    std::vector<std::uint8_t> broken = encodeWorkFile(std::span(ten).first(2));
    broken.resize(broken.size() - 1); // ends inside the last record
    writeFileAtomically(work, broken);
    EXPECT_FALSE(workFileHasTriangles(e));
    pasteWorkFile(e);
    EXPECT_NE(out.str().find("message 作業ファイルが壊れています\n"), std::string::npos);
    writeFileAtomically(work, encodeWorkFile({}));
    EXPECT_EQ(dispatchCommand(e, command_id::kPopupPaste), DispatchResult::Disabled);
}

// A NaN or an infinity in a work file marks it as damaged: Paste refuses it with the broken
// work file message and the model, its history and the tool stay as they were.
TEST_F(Clipboard, NonFiniteCoordinatesMakeABrokenWorkFile) {
    const int depth = e.undoDepth();
    const ToolMode tool = e.session.interaction.toolMode;
    for (const double bad :
         {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()}) {
        for (std::size_t coordinate = 0; coordinate < 9; ++coordinate) {
            std::vector<TriangleCore> two(2);
            two[1].v[coordinate / 3][coordinate % 3] = bad;
            ASSERT_TRUE(writeFileAtomically(work, encodeWorkFile(two)));
            out.str({});
            pasteWorkFile(e);
            EXPECT_EQ(out.str(), "message 作業ファイルが壊れています\n") << coordinate;
            EXPECT_EQ(e.document.store.lastIndex, 2);
            EXPECT_EQ(e.undoDepth(), depth);
            EXPECT_EQ(e.session.interaction.toolMode, tool);
        }
    }
}

// The enabling rule reads the header alone and checks the records against the file's size:
// a file that announces more records than it holds is not offered, a valid clip followed by
// megabytes of other bytes is, and neither a folder nor /dev/zero at that path is.
TEST_F(Clipboard, PasteIsEnabledFromTheHeaderAndTheSize) {
    std::vector<TriangleCore> three(3);
    std::vector<std::uint8_t> bytes = encodeWorkFile(three);
    const std::size_t exact = bytes.size();
    ASSERT_TRUE(writeFileAtomically(work, bytes));
    EXPECT_TRUE(workFileHasTriangles(e));
    bytes.resize(exact - 1);
    ASSERT_TRUE(writeFileAtomically(work, bytes));
    EXPECT_FALSE(workFileHasTriangles(e));
    bytes = encodeWorkFile(three);
    bytes.resize(exact + (std::size_t{8} << 20), 0xEE);
    ASSERT_TRUE(writeFileAtomically(work, bytes));
    EXPECT_TRUE(workFileHasTriangles(e));
    run("command 32847");
    EXPECT_EQ(e.document.store.lastIndex, 5);

    bytes.resize(kWorkFileHeaderBytes - 1);
    ASSERT_TRUE(writeFileAtomically(work, bytes));
    EXPECT_FALSE(workFileHasTriangles(e));
    std::vector<std::uint8_t> tooMany = encodeWorkFile(three);
    tooMany[19] = 0xB9; // 3001 triangles, with their records present
    tooMany[20] = 0x0B;
    tooMany.resize(kWorkFileHeaderBytes + 76 * 3001);
    ASSERT_TRUE(writeFileAtomically(work, tooMany));
    EXPECT_FALSE(workFileHasTriangles(e));

    Editor& editor = e;
    editor.services.paths.workFilePath = "/dev/zero";
    EXPECT_FALSE(workFileHasTriangles(editor));
    editor.services.paths.workFilePath = dir.string();
    EXPECT_FALSE(workFileHasTriangles(editor));
}

// Copy and Cut write the work file atomically: a write that fails part-way (the disk fills up)
// says so and leaves the clip another copy put there; a failed Cut deletes nothing and both
// keep the selection.
TEST_F(Clipboard, AFailedWorkFileWriteKeepsTheOldClipAndTheModel) {
    std::vector<TriangleCore> other(1);
    other[0].colour = 0x123456;
    ASSERT_TRUE(writeFileAtomically(work, encodeWorkFile(other)));
    std::vector<std::uint8_t> before;
    ASSERT_TRUE(readWholeFile(work, before));

    run("key A ctrl");
    const int selected = e.document.selection.count();
    ASSERT_EQ(selected, 9);
    for (const char* verb : {"key X ctrl", "key C ctrl"}) {
        for (const long long failAfter : {0LL, 21LL, 100LL}) {
            out.str({});
            e.services.writeFaults.failAfterBytes = failAfter;
            run(verb);
            EXPECT_NE(out.str().find("message 出力先のﾃﾞｨｽｸ ﾄﾞﾗｲﾌﾞの空き容量が不足しています。"),
                      std::string::npos)
                << verb << " " << failAfter << ": " << out.str();
            std::vector<std::uint8_t> after;
            ASSERT_TRUE(readWholeFile(work, after));
            EXPECT_EQ(after, before) << verb << " " << failAfter;
            EXPECT_EQ(e.document.store.lastIndex, 2) << verb << " " << failAfter;
            EXPECT_EQ(e.document.selection.count(), selected) << verb << " " << failAfter;
        }
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir),
                            std::filesystem::directory_iterator()),
              1);
}

// Found by fuzzing the work file: one triangle some 5e67 units away. Its selection rectangle
// lies at the end of the 32-bit range, where pasting and then zooming used to overflow.
TEST_F(Clipboard, AFarOffPasteCanBeZoomed) {
    const std::uint8_t bytes[] = {
        0x12, 0x46, 0x61, 0x63, 0x65, 0x74, 0x43, 0x72, 0x61, 0x66, 0x74, 0x77, 0x65, 0x72,
        0x6b, 0x54, 0x45, 0x4d, 0x50, 0x01, 0x00, 0x00, 0x20, 0x4d, 0x40, 0xff, 0x4d, 0xff,
        0xff, 0x4d, 0x40, 0xff, 0x4d, 0x40, 0xff, 0xff, 0xff, 0x4d, 0x40, 0xff, 0x4d, 0x40,
        0xff, 0xff, 0x4d, 0x40, 0xff, 0x4d, 0x40, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0x4d,
        0x40, 0xff, 0xff, 0xfa, 0xff, 0xff, 0xff, 0x4d, 0x40, 0xff, 0xff, 0xff, 0xff, 0x4d,
        0x40, 0xff, 0x40, 0xff, 0xff, 0xff, 0x4d, 0x40, 0xff, 0x4d, 0x40, 0xff, 0xff, 0xff,
        0xff, 0x4d, 0x40, 0xff, 0x40, 0xff, 0xff, 0xff, 0x4d, 0x40, 0xff, 0x4d, 0x40};
    ASSERT_TRUE(writeFileAtomically(work, bytes));
    std::ostringstream quiet;
    BatchPlayer fresh(quiet, quiet);
    ASSERT_FALSE(fresh.runLine("workfile \"" + work + "\""));
    for (const char* line : {"command 32847", "wheel 2 400 300", "wheel -3 400 300"}) {
        ASSERT_FALSE(fresh.runLine(line)) << line;
    }
    EXPECT_EQ(fresh.editor().document.store.lastIndex, 0);
    EXPECT_EQ(fresh.editor().document.selection.count(), 3);
}

} // namespace
} // namespace fcw
