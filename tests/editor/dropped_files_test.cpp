#include "editor/dropped_files.h"
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
    EXPECT_EQ(e.store.count(), 1); // cancelled: the drawing stays
    run("answer no");
    run("drop " + std::string(FCW_EXAMPLES_DIR) + "/tetrahedron.fcw");
    EXPECT_EQ(e.store.count(), 4);
    out.str("");
    run("drop " + write("broken.fcw", "garbage"));
    EXPECT_EQ(out.str(), "message 予期しないﾌｧｲﾙ形式です。\n");
    EXPECT_EQ(e.store.count(), 4);
}

} // namespace
} // namespace fcw
