#include "editor/commands/text_commands.h"
#include "editor/editor.h"
#include "editor/tools/operation.h"
#include "io/atomic_file.h"
#include "io/text_import.h"
#include "temp_folder.h"
#include "test_host.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

namespace fcw {
namespace {

using testing::appendTriangle;
using testing::FakeHost;

constexpr char kDiskFull[] = "出力先のﾃﾞｨｽｸ ﾄﾞﾗｲﾌﾞの空き容量が不足しています。";

class TextCommands : public ::testing::Test {
  protected:
    void SetUp() override {
        appendTriangle(e, {1, 2, 3}, {4, 5, 6}, {7, 8, 10}, 0x112233);
        appendTriangle(e, {0, 0, 0}, {0, 10, 0}, {0, 0, 10}, 0x0000FF);
    }
    std::string path(const std::string& name) const { return folder_.path(name); }
    static std::vector<std::uint8_t> read(const std::string& p) {
        std::vector<std::uint8_t> bytes;
        EXPECT_TRUE(readWholeFile(p, bytes)) << p;
        return bytes;
    }
    std::size_t entries() const {
        return static_cast<std::size_t>(
            std::distance(std::filesystem::directory_iterator(folder_.dir()),
                          std::filesystem::directory_iterator()));
    }

    FakeHost host;
    Editor e{host};
    testing::TempFolder folder_{"fcw-text"};
};

// An export that fails part-way (the disk fills up) says so and leaves the previous export of
// the same name as it was, in each of the three formats, wherever the write stops.
TEST_F(TextCommands, AFailedExportKeepsThePreviousFileAndSaysSo) {
    for (const char* name : {"model.dxf", "model.tx1", "model.tx2"}) {
        e.services.writeFaults = {};
        ASSERT_TRUE(writeTextFile(e, path(name))) << name;
        const std::vector<std::uint8_t> before = read(path(name));
        ASSERT_GT(before.size(), 100u) << name;

        appendTriangle(e, {9, 9, 9}, {9, 19, 9}, {9, 9, 19}, 0x00FF00);
        for (const long long failAfter : {0LL, 1LL, 100LL, static_cast<long long>(before.size())}) {
            host.messages.clear();
            e.services.writeFaults.failAfterBytes = failAfter;
            EXPECT_FALSE(writeTextFile(e, path(name))) << name << " " << failAfter;
            EXPECT_EQ(read(path(name)), before) << name << " " << failAfter;
            EXPECT_EQ(host.messages, std::vector<std::string>{kDiskFull})
                << name << " " << failAfter;
        }
        e.document.store.lastIndex = 1;
    }
    EXPECT_EQ(entries(), 3u); // no temporary file left behind
}

// A first export that fails creates nothing.
TEST_F(TextCommands, AFailedFirstExportLeavesNoFile) {
    e.services.writeFaults.failAfterBytes = 10;
    EXPECT_FALSE(writeTextFile(e, path("new.tx1")));
    EXPECT_EQ(entries(), 0u);
    EXPECT_EQ(host.messages, std::vector<std::string>{kDiskFull});
}

// Imports that cannot be used say why and keep the model and its history: a DXF without a
// 3DFACE, a value that is no finite number, and a device that never ends (/dev/zero, also
// behind a name ending in .dxf).
TEST_F(TextCommands, RefusedImportsKeepTheModel) {
    auto put = [&](const std::string& name, const std::string& text) {
        ASSERT_TRUE(writeFileAtomically(
            path(name),
            std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size())));
    };
    put("lines.dxf", "\n0\nSECTION\n2\nENTITIES\n0\nLINE\n10\n1\n0\nENDSEC\n0\nEOF\n");
    put("huge.tx1", "FacetCraftwerk_Text_Type_1\nT[0].color=0xff;\nT[0].P[0].x=" +
                        std::string(400, '7') + ";\n");
    ASSERT_EQ(::symlink("/dev/zero", path("zero.dxf").c_str()), 0);
    const int depth = e.undoDepth();
    const std::pair<const char*, std::string> cases[] = {
        {"lines.dxf", "ファイルタイプを識別できませんでした"},
        {"huge.tx1", "座標の値が大きすぎて入力できません。"},
        {"zero.dxf", path("zero.dxf") + " にアクセスできません。"},
    };
    for (const auto& [name, message] : cases) {
        host.messages.clear();
        EXPECT_FALSE(readTextFile(e, path(name))) << name;
        EXPECT_EQ(host.messages, std::vector<std::string>{message}) << name;
        EXPECT_EQ(e.document.store.lastIndex, 1) << name;
        EXPECT_EQ(e.document.store.modelTriangles[0].colour, 0x112233u) << name;
        EXPECT_EQ(e.undoDepth(), depth) << name;
    }
}

// The file is read a line at a time: a megabyte of line breaks before the triangles (or a file
// of nothing else) import like a short file, and reading stops at the 3000th triangle with the
// limit message.
TEST_F(TextCommands, LongFilesImportLineByLine) {
    std::string text = "FacetCraftwerk_Text_Type_2\r\n" + std::string(std::size_t{1} << 20, '\n');
    for (int i = 0; i < 3001; ++i) {
        text += "P[0].x=1;\nP[0].y=2;\nP[0].z=3;\nP[1].x=4;\nP[1].y=5;\nP[1].z=6;\n"
                "P[2].x=7;\nP[2].y=8;\nP[2].z=9;\n";
    }
    ASSERT_TRUE(writeFileAtomically(
        path("long.tx2"),
        std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size())));
    EXPECT_TRUE(readTextFile(e, path("long.tx2")));
    EXPECT_EQ(host.messages, std::vector<std::string>{
                                 "ポリゴンの数が多すぎて全てを入力できません。色情報は失われます"});
    EXPECT_EQ(e.document.store.count(), 3000);
    EXPECT_EQ(e.document.store.modelTriangles[2999].v[2].y, 7.0);

    const std::string breaks(std::size_t{1} << 20, '\n');
    ASSERT_TRUE(writeFileAtomically(
        path("breaks.dxf"),
        std::span(reinterpret_cast<const std::uint8_t*>(breaks.data()), breaks.size())));
    host.messages.clear();
    EXPECT_FALSE(readTextFile(e, path("breaks.dxf")));
    EXPECT_EQ(host.messages, std::vector<std::string>{"ファイルタイプを識別できませんでした"});
    EXPECT_EQ(e.document.store.count(), 3000);
}

// A triangle being drawn (or a sphere's rectangle) holds the last slot; the export leaves it
// out in every format, as Save does, and the drawing goes on. Other tools' phases do not.
TEST_F(TextCommands, ExportLeavesOutTheTriangleBeingDrawn) {
    auto exported = [&](const std::string& name) {
        EXPECT_TRUE(writeTextFile(e, path(name))) << name;
        const std::vector<std::uint8_t> bytes = read(path(name));
        const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        const auto model =
            name.ends_with(".dxf") ? readDxfModel(text, 1.0) : readTextModel(text, 1.0);
        return model ? model->triangles.size() : 0;
    };
    for (const std::string name : {"model.dxf", "model.tx1", "model.tx2"}) {
        for (const ToolMode tool : {ToolMode::DrawTriangle, ToolMode::Sphere}) {
            e.session.interaction.toolMode = tool;
            e.session.tools.drawing.phase = DrawPhase::TwoVertices;
            e.session.tools.sphere.phase = SpherePhase::Dragging;
            EXPECT_EQ(exported(name), 1u) << name;
            EXPECT_TRUE(toolPhaseActive(e));
            EXPECT_EQ(e.document.store.lastIndex, 1);
        }
        e.session.tools.drawing.phase = DrawPhase::Idle;
        e.session.tools.sphere.phase = SpherePhase::Idle;
        e.session.interaction.toolMode = ToolMode::RangeMove;
        EXPECT_EQ(exported(name), 2u) << name;
        e.session.interaction.toolMode = ToolMode::DrawTriangle;
        EXPECT_EQ(exported(name), 2u) << name;
    }
}

} // namespace
} // namespace fcw
