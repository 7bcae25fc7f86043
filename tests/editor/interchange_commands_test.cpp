#include "editor/batch/batch_player.h"
#include "editor/commands/interchange_commands.h"
#include "editor/editor.h"
#include "io/interchange.h"
#include "io/model_files.h"
#include "temp_folder.h"
#include "test_host.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace fcw {
namespace {

using testing::appendTriangle;
using testing::FakeHost;

// A strip of n small triangles in two colours, in store axes.
std::vector<TriangleCore> strip(std::size_t n) {
    std::vector<TriangleCore> out(n);
    for (std::size_t i = 0; i < n; ++i) {
        const double y = static_cast<double>(i);
        out[i].colour = i < n / 2 ? 0x0000ffu : 0x00ff00u;
        out[i].v = {{{0, y, 0}, {0, y + 1, 0}, {0, y, 1}}};
    }
    return out;
}

class InterchangeCommands : public ::testing::Test {
  protected:
    void SetUp() override {
        appendTriangle(e, {1, 2, 3}, {4, 5, 6}, {7, 8, 10}, 0x112233);
        appendTriangle(e, {0, 0, 0}, {0, 10, 0}, {0, 0, 10}, 0x0000FF);
    }
    std::string path(const std::string& name) const { return folder_.path(name); }
    void writeModel(const std::string& name, std::size_t n) const {
        ASSERT_TRUE(writeForeignModel(path(name), strip(n), 1.0, nullptr));
    }

    FakeHost host;
    Editor e{host};
    testing::TempFolder folder_{"fcw-interchange-cmd"};
};

TEST_F(InterchangeCommands, ImportReplacesTheModelAsOneUndoStep) {
    writeModel("five.glb", 5);
    e.services.settings.importScale = 2.0;
    ASSERT_TRUE(importForeignFile(e, path("five.glb"), OverCapacity::Ask));
    EXPECT_EQ(e.document.store.lastIndex, 4);
    EXPECT_TRUE(e.document.modified);
    EXPECT_EQ(e.undoDepth(), 1);
    // The import scale applies: the strip's second corner (0, 1, 0) is now (0, 2, 0).
    EXPECT_NEAR(e.document.store.modelTriangles[0].getVertex(1).y, 2.0, 1e-6);
    ASSERT_EQ(host.statuses.size(), 1u);
    EXPECT_NE(host.statuses[0].find("5 個の三角形"), std::string::npos);

    undoLast(e);
    EXPECT_EQ(e.document.store.lastIndex, 1);
    EXPECT_EQ(e.document.store.modelTriangles[0].getColour(), 0x112233u);
}

TEST_F(InterchangeCommands, AFileThatCannotBeUsedNamesItselfAndKeepsTheModel) {
    std::ofstream(path("broken.glb")) << "glTF garbage";
    std::ofstream(path("lines.obj")) << "v 0 0 0\nv 1 0 0\nl 1 2\n";
    for (const char* name : {"broken.glb", "lines.obj", "missing.stl", "model.xyz"}) {
        SCOPED_TRACE(name);
        host.messages.clear();
        EXPECT_FALSE(importForeignFile(e, path(name), OverCapacity::Reduce));
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_NE(host.messages[0].find(path(name)), std::string::npos) << host.messages[0];
        EXPECT_EQ(e.document.store.lastIndex, 1);
        EXPECT_EQ(e.undoDepth(), 0);
        EXPECT_FALSE(e.document.modified);
    }
}

TEST_F(InterchangeCommands, OverCapacityAsksAndNoKeepsTheModel) {
    writeModel("dense.ply", 3500);
    host.messageAnswers = {MessageResult::No};
    EXPECT_FALSE(importForeignFile(e, path("dense.ply"), OverCapacity::Ask));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_NE(host.messages[0].find("3500"), std::string::npos);
    EXPECT_EQ(e.document.store.lastIndex, 1);
    EXPECT_EQ(e.undoDepth(), 0);

    host.messageAnswers = {MessageResult::Yes};
    ASSERT_TRUE(importForeignFile(e, path("dense.ply"), OverCapacity::Ask));
    EXPECT_LE(e.document.store.count(), kMaxTriangles);
    EXPECT_GT(e.document.store.count(), 0);

    host.messages.clear();
    ASSERT_TRUE(importForeignFile(e, path("dense.ply"), OverCapacity::Reduce));
    EXPECT_TRUE(host.messages.empty()); // the batch player and --convert do not ask
    EXPECT_LE(e.document.store.count(), kMaxTriangles);
}

TEST_F(InterchangeCommands, ExportAppliesTheScaleAndReportsFailures) {
    e.services.settings.exportScale = 3.0;
    ASSERT_TRUE(exportForeignFile(e, path("out.stl")));
    const ForeignRead r = readForeignModel(path("out.stl"), 1.0, 0);
    ASSERT_EQ(r.triangles.size(), 2u);
    EXPECT_NEAR(r.triangles[1].v[1][1], 30.0, 1e-4);

    EXPECT_FALSE(exportForeignFile(e, path("out.dae")));
    EXPECT_FALSE(exportForeignFile(e, path("no-such-folder/out.glb")));
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_NE(host.messages[1].find("no-such-folder/out.glb"), std::string::npos);
    EXPECT_NE(exportDialogTitle(2.5).find("2.5 mm"), std::string::npos);
}

TEST_F(InterchangeCommands, BatchScriptsExportAndImportEndToEnd) {
    const std::string glb = path("tetra.glb");
    std::ostringstream out;
    std::ostringstream err;
    BatchPlayer player(out, err);
    std::istringstream script("open \"" + std::string(FCW_EXAMPLES_DIR) +
                              "/tetrahedron.fcw\"\nexport \"" + glb + "\"\nnew\nimport \"" + glb +
                              "\"\ndump\n");
    ASSERT_EQ(player.run(script), 0) << err.str();
    EXPECT_NE(out.str().find("status 4 個の三角形を読み込みました"), std::string::npos)
        << out.str();
    EXPECT_NE(out.str().find("\"lastIndex\":3"), std::string::npos);
}

TEST_F(InterchangeCommands, ConvertGoesBetweenAnyTwoFormatsAndFits) {
    const std::string fcw = std::string(FCW_EXAMPLES_DIR) + "/tetrahedron.fcw";
    ASSERT_EQ(convertModelFile(fcw, path("t.obj"), 10.0), std::nullopt);
    ASSERT_EQ(convertModelFile(path("t.obj"), path("t.tx2"), std::nullopt), std::nullopt);
    ASSERT_EQ(convertModelFile(path("t.tx2"), path("t.fcw"), std::nullopt), std::nullopt);
    const ModelFileRead back = readModelFile(path("t.fcw"), 1.0, 0);
    ASSERT_EQ(back.triangles.size(), 4u);
    std::array<double, 3> lo{1e9, 1e9, 1e9};
    std::array<double, 3> hi{-1e9, -1e9, -1e9};
    for (const auto& t : back.triangles) {
        for (const auto& v : t.v) {
            for (std::size_t a = 0; a < 3; ++a) {
                lo[a] = std::min(lo[a], v[a]);
                hi[a] = std::max(hi[a], v[a]);
            }
        }
    }
    // Six decimals in the text file on the way.
    EXPECT_NEAR(std::max({hi[0] - lo[0], hi[1] - lo[1], hi[2] - lo[2]}), 10.0, 1e-5);

    EXPECT_NE(convertModelFile(fcw, path("t.dae"), std::nullopt), std::nullopt);
    EXPECT_NE(convertModelFile(path("none.glb"), path("t.glb"), std::nullopt), std::nullopt);
    const auto unknown = convertModelFile(fcw, path("t.unknown"), std::nullopt);
    ASSERT_TRUE(unknown.has_value());
    EXPECT_EQ(unknown->find('\n'), std::string::npos);
}

} // namespace
} // namespace fcw
