#include "editor/commands/dropped_files.h"
#include "script_fixture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace fcw {
namespace {

class DroppedFile : public testing::ScriptTest {
  protected:
    std::filesystem::path dir;
    void SetUp() override {
        char pattern[] = "/tmp/fcw-drop-XXXXXX";
        dir = ::mkdtemp(pattern);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    std::string write(const char* name, const std::string& bytes) {
        const std::string path = (dir / name).string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
};

TEST_F(DroppedFile, TheHeaderDecidesThenTheName) {
    const std::string examples = FCW_EXAMPLES_DIR;
    std::ifstream in(examples + "/tetrahedron.fcw", std::ios::binary);
    const std::string native((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(classifyDroppedFile(write("renamed.bin", native)), DroppedKind::Document);
    EXPECT_EQ(classifyDroppedFile(write("broken.FCW", "garbage")), DroppedKind::Document);
    EXPECT_EQ(classifyDroppedFile(write("model.dxf", "0\nSECTION\n")), DroppedKind::Import);
    EXPECT_EQ(classifyDroppedFile(write("short", "")), DroppedKind::Import);
    EXPECT_EQ(classifyDroppedFile((dir / "missing.txt").string()), DroppedKind::Import);
}

TEST_F(DroppedFile, ADocumentAsksToSaveFirstAndADamagedOneIsReported) {
    run({"down 400 300", "down 500 300", "down 400 400"}); // unsaved
    run("answer cancel");
    run("drop " + std::string(FCW_EXAMPLES_DIR) + "/tetrahedron.fcw");
    EXPECT_NE(out.str().find("message 無題 への変更を保存しますか?"), std::string::npos);
    EXPECT_EQ(e.document.store.count(), 1); // cancelled: the drawing stays
    run("answer no");
    run("drop " + std::string(FCW_EXAMPLES_DIR) + "/tetrahedron.fcw");
    EXPECT_EQ(e.document.store.count(), 4);
    out.str("");
    run("drop " + write("broken.fcw", "garbage"));
    EXPECT_EQ(out.str(), "message 予期しないﾌｧｲﾙ形式です。\n");
    EXPECT_EQ(e.document.store.count(), 4);
}

// The command line's file: a foreign model is imported into the new document (a failed one
// leaves it empty and keeps the window), a native one is opened, a damaged native one refused.
TEST_F(DroppedFile, TheStartupFileImportsAForeignModelAndOpensADocument) {
    const std::string glb = (dir / "model.GLB").string();
    run("drop " + std::string(FCW_EXAMPLES_DIR) + "/tetrahedron.fcw");
    run("export " + glb);
    run("new");
    ASSERT_EQ(e.document.store.count(), 0);
    EXPECT_TRUE(openStartupFile(e, glb));
    EXPECT_EQ(e.document.store.count(), 4);
    EXPECT_TRUE(e.document.modified);

    run("new");
    out.str("");
    EXPECT_TRUE(openStartupFile(e, write("broken.obj", "f 1 2 3\n")));
    EXPECT_NE(out.str().find("broken.obj"), std::string::npos);
    EXPECT_EQ(e.document.store.count(), 0);
    EXPECT_TRUE(openStartupFile(e, std::string(FCW_EXAMPLES_DIR) + "/tetrahedron.fcw"));
    EXPECT_FALSE(e.document.modified);
    EXPECT_FALSE(openStartupFile(e, write("broken.fcw", "garbage")));
}

} // namespace
} // namespace fcw
