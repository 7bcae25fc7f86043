// Recovery copies: written while there are unsaved changes, removed when there are none, and
// offered back at the next start when their instance is gone.

#include "editor/session/recovery.h"
#include "io/atomic_file.h"
#include "script_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace fcw {
namespace {

constexpr std::int64_t kStart = 1'800'000'000'000; // a wall-clock time in ms

// A second program start against the same state folder.
struct Restart {
    std::ostringstream out;
    std::ostringstream err;
    BatchPlayer player{out, err};
};

class Recovery : public testing::ScriptTest {
  protected:
    fs::path dir;
    std::string state;
    std::vector<std::unique_ptr<Restart>> next_;

    void SetUp() override {
        char pattern[] = "/tmp/fcw-recovery-XXXXXX";
        dir = ::mkdtemp(pattern);
        state = (dir / "state").string();
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
    void drawTriangle() { run({"down 400 300", "down 500 300", "down 400 400"}); }
    bool exists(const std::string& name) { return fs::exists(fs::path(state) / name); }
    // What a crash leaves: the copy, and a lock naming a process that no longer runs.
    void crash(BatchPlayer& crashed) {
        abandonRecovery(crashed.editor());
        std::ofstream(fs::path(state) / "recovery-1.lock") << "2147483600\nFacetCraftwerk\n\n";
    }
    std::vector<std::string> namesIn(const std::string& folder) {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }
    // A restart with `answers` queued before recovery looks at the folder.
    std::unique_ptr<Restart> restart(std::initializer_list<const char*> answers) {
        auto next = std::make_unique<Restart>();
        for (const char* a : answers) {
            EXPECT_FALSE(next->player.runLine(a));
        }
        EXPECT_FALSE(next->player.runLine("recovery folder " + state));
        return next;
    }
};

TEST_F(Recovery, CopiesFollowTheEditsAtMostEveryTwoSecondsAndGoWhenSaved) {
    ASSERT_TRUE(startRecovery(e, state, kStart));
    recoveryTick(e, kStart + 100);
    EXPECT_FALSE(exists("recovery-1.fcw")); // nothing unsaved yet
    EXPECT_TRUE(exists("recovery-1.lock"));
    drawTriangle();
    recoveryTick(e, kStart + 200);
    ASSERT_TRUE(exists("recovery-1.fcw"));
    const auto firstSize = fs::file_size(fs::path(state) / "recovery-1.fcw");
    run({"down 400 300", "down 450 300", "down 400 350"});
    recoveryTick(e, kStart + 1000); // too soon after the last write
    EXPECT_EQ(fs::file_size(fs::path(state) / "recovery-1.fcw"), firstSize);
    recoveryTick(e, kStart + 2200);
    EXPECT_EQ(fs::file_size(fs::path(state) / "recovery-1.fcw"), firstSize + 76);

    run("save " + (dir / "saved.fcw").string());
    recoveryTick(e, kStart + 2300);
    EXPECT_FALSE(exists("recovery-1.fcw"));
    drawTriangle(); // unsaved again: a copy again, then New removes it
    recoveryTick(e, kStart + 4300);
    EXPECT_TRUE(exists("recovery-1.fcw"));
    run("new");
    recoveryTick(e, kStart + 4400);
    EXPECT_FALSE(exists("recovery-1.fcw"));
    drawTriangle();
    e.services.writeFaults.failAfterBytes =
        10; // a full disk: no copy now, another try after the interval
    recoveryTick(e, kStart + 6400);
    EXPECT_FALSE(exists("recovery-1.fcw"));
    e.services.writeFaults = {};
    recoveryTick(e, kStart + 8500);
    EXPECT_TRUE(exists("recovery-1.fcw"));
    run("new");
    recoveryTick(e, kStart + 8600);
    stopRecovery(e); // a clean exit gives the slot back
    EXPECT_EQ(namesIn(state), std::vector<std::string>{});
}

TEST_F(Recovery, YesAfterACrashOpensTheCopyAsTheModifiedDocumentItWas) {
    const std::string saved = (dir / "model.fcw").string();
    drawTriangle();
    run("save " + saved);
    run({"down 400 300", "down 450 300", "down 400 350"}); // unsaved: the copy has two
    run("recovery folder " + state);
    run("recovery write");
    crash(player);

    auto next = restart({"answer ok"});
    const Editor& restored = next->player.editor();
    EXPECT_NE(next->out.str().find("message 前回、保存されないまま終了した変更が残っています。"),
              std::string::npos);
    EXPECT_NE(next->out.str().find("文書: " + saved), std::string::npos);
    EXPECT_EQ(restored.document.store.count(), 2);
    EXPECT_TRUE(restored.document.modified);
    EXPECT_EQ(restored.document.path, saved); // Save writes it back where it came from
    EXPECT_EQ(restored.undoDepth(), 0);
    // The old copy is gone; the new instance has its own slot (and no copy before a tick).
    EXPECT_EQ(namesIn(state), std::vector<std::string>{"recovery-1.lock"});
}

TEST_F(Recovery, NoSetsTheCopyAsideWithItsDateAndKeepsTheLastFive) {
    run("recovery folder " + state);
    for (int n = 0; n < 7; ++n) {
        drawTriangle();
        // Each copy a minute older than the last one, as if left by seven crashes.
        writeRecoveryCopyNow(e, kStart - n * 60'000);
        crash(player);
        next_.push_back(restart({"answer no"}));
        ASSERT_TRUE(next_.back()->player.editor().document.store.lastIndex < 0); // nothing opened
        stopRecovery(next_.back()->player.editor());
        run("recovery folder " + state);
    }
    std::vector<std::string> aside;
    for (const std::string& name : namesIn(state)) {
        if (name.rfind("aside-", 0) == 0) {
            aside.push_back(name);
        }
    }
    ASSERT_EQ(aside.size(), 5u);
    EXPECT_FALSE(exists("recovery-2.fcw"));
    // The five newest are kept: the first two copies made were the newest of all.
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(readWholeFile((fs::path(state) / aside.back()).string(), bytes));
    EXPECT_NE(std::string(bytes.begin(), bytes.end()).find("edited=" + std::to_string(kStart)),
              std::string::npos);
}

TEST_F(Recovery, ADamagedCopyIsReportedAndSetAsideAndALiveOneIsLeftAlone) {
    fs::create_directories(state);
    std::ofstream(fs::path(state) / "recovery-7.fcw") << "not a document";
    std::ofstream(fs::path(state) / "recovery-7.lock") << "2147483600\nFacetCraftwerk\n\n";
    // Another running instance (this process) holds slot 3 with a copy in it.
    std::ofstream(fs::path(state) / "recovery-3.fcw") << "whatever it is";
    std::ofstream(fs::path(state) / "recovery-3.lock") << ::getpid() << "\nFacetCraftwerk\n\n";

    run("recovery folder " + state);
    EXPECT_NE(out.str().find("/recovery-7.fcw\\n予期しないﾌｧｲﾙ形式です。"), std::string::npos);
    EXPECT_EQ(out.str().find("recovery-3.fcw"), std::string::npos);
    EXPECT_FALSE(exists("recovery-7.fcw"));
    EXPECT_TRUE(exists("recovery-3.fcw"));
    int aside = 0;
    for (const std::string& name : namesIn(state)) {
        aside += name.rfind("aside-", 0) == 0 ? 1 : 0;
    }
    EXPECT_EQ(aside, 1);
    EXPECT_EQ(e.document.store.lastIndex, -1);
}

TEST_F(Recovery, TheBatchVerbsCheckTheirWords) {
    EXPECT_TRUE(player.runLine("recovery"));
    EXPECT_TRUE(player.runLine("recovery now"));
    EXPECT_TRUE(player.runLine("recovery folder /proc/no-such/place"));
    run("recovery write"); // recovery off: nothing to do
}

} // namespace
} // namespace fcw
