#include "editor/commands/commands.h"
#include "editor/commands/document_commands.h"
#include "editor/editor.h"
#include "io/atomic_file.h"
#include "io/native_document.h"
#include "temp_folder.h"
#include "test_host.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fcw {
namespace {

using testing::appendTriangle;
using testing::FakeHost;

class DocumentCommands : public ::testing::Test {
  protected:
    std::string path(const char* name) const { return folder_.path(name); }
    static std::vector<std::uint8_t> read(const std::string& p) {
        std::vector<std::uint8_t> bytes;
        readWholeFile(p, bytes);
        return bytes;
    }
    static void write(const std::string& p, const std::vector<std::uint8_t>& bytes) {
        std::ofstream(p, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }
    // Two triangles, one edit counted, a selection shown.
    static void populate(Editor& e) {
        e.takeSnapshot();
        appendTriangle(e, {1, 2, 3}, {4, 5, 6}, {7, 8, 10}, 0x112233);
        appendTriangle(e, {0, 0, 0}, {0, 10, 0}, {0, 0, 10}, 0x0000FF);
        e.countEdit();
        const SelectedVertex vertex{1, 2};
        e.document.selection.selectVertices(e.document.store, {&vertex, 1});
    }
    testing::TempFolder folder_{"fcw-doc"};
};

TEST_F(DocumentCommands, SaveThenOpenRoundTripsByteForByte) {
    FakeHost host;
    Editor e(host);
    populate(e);
    ASSERT_TRUE(saveDocumentFile(e, path("a.fcw")));
    EXPECT_EQ(read(path("a.fcw")).size(), 23u + 2 * 76u);
    EXPECT_EQ(e.document.path, path("a.fcw"));

    Editor f(host);
    f.pane().camera.verticalAxisAngle = 0.7; // shown with the current angles, not the saved ones
    ASSERT_TRUE(openDocumentFile(f, path("a.fcw")));
    EXPECT_EQ(f.document.store.lastIndex, 1);
    EXPECT_EQ(f.document.store.modelTriangles[0].v[2].z, 10.0);
    EXPECT_FALSE(
        std::signbit(f.document.store.modelTriangles[1].v[0].x)); // -0.0 reads back as +0.0
    EXPECT_EQ(f.undoDepth(), 0);
    Editor g(host);
    g.pane().camera.verticalAxisAngle = 0.7;
    appendTriangle(g, {1, 2, 3}, {4, 5, 6}, {7, 8, 10}, 0x112233);
    EXPECT_EQ(f.document.store.viewTriangles[0].v[1].x, g.document.store.viewTriangles[0].v[1].x);
    ASSERT_TRUE(saveDocumentFile(f, path("b.fcw")));
    EXPECT_EQ(read(path("a.fcw")), read(path("b.fcw")));
}

TEST_F(DocumentCommands, OpeningResetsHistorySelectionAndStaleMarks) {
    FakeHost host;
    Editor e(host);
    populate(e);
    saveDocumentFile(e, path("a.fcw"));
    e.document.store.modelTriangles[0].v[0].selected = 1;
    e.document.store.viewTriangles[0].v[0].selected = 1;
    e.session.tools.drawing.phase = DrawPhase::TwoVertices;
    ASSERT_TRUE(openDocumentFile(e, path("a.fcw")));
    EXPECT_EQ(e.document.selection.count(), 0);
    EXPECT_TRUE(e.document.selection.empty());
    EXPECT_EQ(editPhaseNumber(e), 0);
    EXPECT_EQ(e.document.store.viewTriangles[0].v[0].selected, 0);
    undoLast(e); // nothing to undo after a load
    EXPECT_EQ(e.document.store.lastIndex, 1);
}

TEST_F(DocumentCommands, NewLeavesNoSelectionNamingTheOldTriangles) {
    FakeHost host;
    Editor e(host);
    populate(e);
    newDocument(e);
    EXPECT_EQ(e.document.selection.count(), 0);
    EXPECT_TRUE(e.document.selection.empty());
    EXPECT_EQ(dispatchCommand(e, command_id::kMoveVertically),
              DispatchResult::Disabled); // nothing left to move
}

TEST_F(DocumentCommands, RefusedFilesLeaveEverythingAsItWas) {
    FakeHost host;
    Editor e(host);
    populate(e);
    saveDocumentFile(e, path("good.fcw"));
    const std::vector<std::uint8_t> good = read(path("good.fcw"));

    std::vector<std::uint8_t> truncated(good.begin(), good.end() - 1);
    write(path("short.fcw"), truncated);
    std::vector<std::uint8_t> tooMany = good;
    tooMany[21] = 0xB8; // last index 3000
    tooMany[22] = 0x0B;
    write(path("many.fcw"), tooMany);
    std::vector<std::uint8_t> negative = good;
    negative[21] = 0xFE; // last index -2
    negative[22] = 0xFF;
    write(path("negative.fcw"), negative);
    std::vector<std::uint8_t> notFinite = good;
    for (std::size_t i = 0; i < 8; ++i) {
        notFinite[23 + 76 + 16 + i] = i < 6 ? 0x00 : (i == 6 ? 0xF8 : 0x7F); // NaN as -x
    }
    write(path("nan.fcw"), notFinite);

    for (const char* name : {"short.fcw", "many.fcw", "negative.fcw", "nan.fcw"}) {
        host.messages.clear();
        EXPECT_FALSE(openDocumentFile(e, path(name))) << name;
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0], "予期しないﾌｧｲﾙ形式です。");
        EXPECT_EQ(e.document.store.lastIndex, 1);
        EXPECT_EQ(e.undoDepth(), 1);
        EXPECT_EQ(e.document.selection.count(), 1);
        EXPECT_EQ(e.document.store.modelTriangles[0].colour, 0x112233u);
    }

    host.messages.clear();
    EXPECT_FALSE(openDocumentFile(e, path("missing.fcw")));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_NE(host.messages[0].find("このﾌｧｲﾙが見つかりません。"), std::string::npos);
    EXPECT_EQ(e.document.store.lastIndex, 1);
}

// Opening reads no more than a full model needs: a document followed by megabytes of other
// bytes opens as the document, and a device that never ends (/dev/zero) is refused with the
// access message instead of filling memory; the model stays.
TEST_F(DocumentCommands, OpeningReadsBoundedAmountsOfAnyFile) {
    FakeHost host;
    Editor e(host);
    populate(e);
    saveDocumentFile(e, path("good.fcw"));
    std::vector<std::uint8_t> padded = read(path("good.fcw"));
    padded.resize(padded.size() + (std::size_t{5} << 20), 0x0A);
    write(path("padded.fcw"), padded);

    Editor other(host);
    EXPECT_TRUE(openDocumentFile(other, path("padded.fcw")));
    EXPECT_EQ(other.document.store.lastIndex, 1);
    EXPECT_EQ(other.document.store.modelTriangles[0].colour, 0x112233u);

    host.messages.clear();
    EXPECT_FALSE(openDocumentFile(other, "/dev/zero"));
    EXPECT_EQ(host.messages, std::vector<std::string>{"/dev/zero にアクセスできません。"});
    EXPECT_EQ(other.document.store.lastIndex, 1);
}

TEST_F(DocumentCommands, EmptyFileOpensWithoutTouchingTheModel) {
    FakeHost host;
    Editor e(host);
    populate(e);
    write(path("empty.fcw"), {});
    EXPECT_TRUE(openDocumentFile(e, path("empty.fcw")));
    EXPECT_EQ(e.document.store.lastIndex, 1);
    EXPECT_EQ(e.undoDepth(), 1);
}

TEST_F(DocumentCommands, SavingWhileDrawingLeavesOutTheProvisionalTriangle) {
    FakeHost host;
    Editor e(host);
    populate(e);
    e.session.tools.drawing.phase = DrawPhase::OneVertex; // slot 1 is a triangle being drawn
    ASSERT_TRUE(saveDocumentFile(e, path("a.fcw")));
    EXPECT_EQ(read(path("a.fcw")).size(), 23u + 76u);
    EXPECT_EQ(editPhaseNumber(e), 1); // the drawing goes on

    e.document.store.lastIndex = 0;
    ASSERT_TRUE(saveDocumentFile(e, path("b.fcw")));
    EXPECT_EQ(read(path("b.fcw")).size(), 23u);

    e.document.store.lastIndex = 1;
    e.session.interaction.toolMode = ToolMode::RangeMove;
    e.session.tools.range.phase = RangePhase::SelectionShown;
    ASSERT_TRUE(saveDocumentFile(e, path("c.fcw")));
    EXPECT_EQ(editPhaseNumber(e), 0);
    EXPECT_EQ(e.document.selection.count(), 1);
    EXPECT_EQ(read(path("c.fcw")).size(), 23u + 2 * 76u);
}

TEST_F(DocumentCommands, FailedSaveKeepsThePreviousFileAndSaysSo) {
    FakeHost host;
    Editor e(host);
    populate(e);
    ASSERT_TRUE(saveDocumentFile(e, path("a.fcw")));
    const std::vector<std::uint8_t> before = read(path("a.fcw"));
    appendTriangle(e, {0, 1, 0}, {0, 2, 0}, {0, 1, 3}, 5);
    e.setModified(true);
    e.services.writeFaults.failAfterBytes = 50;
    EXPECT_FALSE(saveDocumentFile(e, path("a.fcw")));
    EXPECT_EQ(read(path("a.fcw")), before);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0], "出力先のﾃﾞｨｽｸ ﾄﾞﾗｲﾌﾞの空き容量が不足しています。");
    EXPECT_TRUE(e.document.modified);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_.dir()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST_F(DocumentCommands, NewAsksBeforeDiscardingChanges) {
    FakeHost host;
    Editor e(host);
    populate(e);
    e.setModified(true);

    host.messageAnswers = {MessageResult::Cancel};
    fileNew(e);
    EXPECT_EQ(host.messages.back(), "無題 への変更を保存しますか?");
    EXPECT_EQ(e.document.store.lastIndex, 1);

    host.messageAnswers = {MessageResult::Yes};
    host.fileAnswers = {path("saved.fcw")};
    fileNew(e);
    EXPECT_EQ(e.document.store.lastIndex, -1);
    EXPECT_EQ(read(path("saved.fcw")).size(), 23u + 2 * 76u);
    EXPECT_FALSE(e.document.modified);
    EXPECT_TRUE(e.document.path.empty());

    // New keeps the history: Undo brings back the previous document's last snapshot.
    undoLast(e);
    EXPECT_EQ(e.document.store.lastIndex, -1); // that snapshot was taken of the empty start
}

TEST_F(DocumentCommands, OpenAsksAfterTheFileIsChosen) {
    FakeHost host;
    Editor e(host);
    populate(e);
    saveDocumentFile(e, path("a.fcw"));
    e.document.store.lastIndex = 0;
    e.setModified(true);
    host.fileAnswers = {path("a.fcw")};
    host.messageAnswers = {MessageResult::No};
    fileOpen(e);
    EXPECT_EQ(e.document.store.lastIndex, 1);
    EXPECT_FALSE(e.document.modified);
    EXPECT_EQ(e.document.displayName(), "a.fcw");
}

} // namespace
} // namespace fcw
