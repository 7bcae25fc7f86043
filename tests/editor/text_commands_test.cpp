#include "editor/editor.h"
#include "editor/text_commands.h"
#include "io/atomic_file.h"
#include "test_host.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace fcw {
namespace {

using testing::appendTriangle;
using testing::FakeHost;

constexpr char kDiskFull[] = "出力先のﾃﾞｨｽｸ ﾄﾞﾗｲﾌﾞの空き容量が不足しています。";

class TextCommands : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/fcw-text-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        dir_ = pattern;
        appendTriangle(e, {1, 2, 3}, {4, 5, 6}, {7, 8, 10}, 0x112233);
        appendTriangle(e, {0, 0, 0}, {0, 10, 0}, {0, 0, 10}, 0x0000FF);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::string path(const std::string& name) const { return dir_ + "/" + name; }
    static std::vector<std::uint8_t> read(const std::string& p) {
        std::vector<std::uint8_t> bytes;
        EXPECT_TRUE(readWholeFile(p, bytes)) << p;
        return bytes;
    }
    std::size_t entries() const {
        return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(dir_),
                                                      std::filesystem::directory_iterator()));
    }

    FakeHost host;
    Editor e{host};
    std::string dir_;
};

// An export that fails part-way (the disk fills up) says so and leaves the previous export of
// the same name as it was, in each of the three formats, wherever the write stops.
TEST_F(TextCommands, AFailedExportKeepsThePreviousFileAndSaysSo) {
    for (const char* name : {"model.dxf", "model.tx1", "model.tx2"}) {
        e.writeFaults = {};
        ASSERT_TRUE(writeTextFile(e, path(name))) << name;
        const std::vector<std::uint8_t> before = read(path(name));
        ASSERT_GT(before.size(), 100u) << name;

        appendTriangle(e, {9, 9, 9}, {9, 19, 9}, {9, 9, 19}, 0x00FF00);
        for (const long long failAfter : {0LL, 1LL, 100LL, static_cast<long long>(before.size())}) {
            host.messages.clear();
            e.writeFaults.failAfterBytes = failAfter;
            EXPECT_FALSE(writeTextFile(e, path(name))) << name << " " << failAfter;
            EXPECT_EQ(read(path(name)), before) << name << " " << failAfter;
            EXPECT_EQ(host.messages, std::vector<std::string>{kDiskFull})
                << name << " " << failAfter;
        }
        e.store.lastIndex = 1;
    }
    EXPECT_EQ(entries(), 3u); // no temporary file left behind
}

// A first export that fails creates nothing.
TEST_F(TextCommands, AFailedFirstExportLeavesNoFile) {
    e.writeFaults.failAfterBytes = 10;
    EXPECT_FALSE(writeTextFile(e, path("new.tx1")));
    EXPECT_EQ(entries(), 0u);
    EXPECT_EQ(host.messages, std::vector<std::string>{kDiskFull});
}

} // namespace
} // namespace fcw
