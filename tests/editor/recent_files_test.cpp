#include "editor/document_commands.h"
#include "editor/profile.h"
#include "editor/recent_files.h"
#include "io/atomic_file.h"
#include "test_host.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fcw {
namespace {

TEST(RecentFiles, FourMostRecentFirstKeptInTheProfile) {
    char pattern[] = "/tmp/fcw-recent-XXXXXX";
    const std::filesystem::path dir = ::mkdtemp(pattern);
    testing::FakeHost host;
    Editor e(host);
    e.paths.profilePath = (dir / "cfg" / "FacetCraftwerk.ini").string();
    Profile seed;
    seed.setInt("表示", "強調", 3);
    ASSERT_TRUE(seed.save(e.paths.profilePath));

    for (const char* name : {"a.fcw", "b.fcw", "c.fcw", "d.fcw", "e.fcw", "b.fcw"}) {
        ASSERT_TRUE(saveDocumentFile(e, (dir / name).string()));
    }
    ASSERT_EQ(e.recentFiles.size(), 4u);
    EXPECT_EQ(e.recentFiles[0], (dir / "b.fcw").string());
    EXPECT_EQ(e.recentFiles[1], (dir / "e.fcw").string());
    EXPECT_EQ(e.recentFiles[3], (dir / "c.fcw").string());

    Profile stored;
    ASSERT_TRUE(stored.load(e.paths.profilePath));
    EXPECT_EQ(readRecentFiles(stored), e.recentFiles);
    EXPECT_EQ(stored.getInt("表示", "強調", 0), 3u); // other settings untouched

    e.store.lastIndex = -1;
    openRecentFile(e, 2);
    EXPECT_EQ(e.document.path, (dir / "d.fcw").string());
    EXPECT_EQ(e.recentFiles[0], (dir / "d.fcw").string());
    openRecentFile(e, 7); // no such entry: nothing happens
    std::filesystem::remove_all(dir);
}

// The recent-file list is a convenience: when rewriting the profile fails part-way the user is
// not bothered, the list in memory is still updated and the profile keeps every setting.
TEST(RecentFiles, AFailedProfileWriteLeavesTheProfileWhole) {
    char pattern[] = "/tmp/fcw-recent-XXXXXX";
    const std::filesystem::path dir = ::mkdtemp(pattern);
    testing::FakeHost host;
    Editor e(host);
    e.paths.profilePath = (dir / "FacetCraftwerk.ini").string();
    Profile seed;
    seed.setInt("表示", "強調", 3);
    seed.setString("Recent File List", "File1", "/old.fcw");
    ASSERT_TRUE(seed.save(e.paths.profilePath));
    std::vector<std::uint8_t> before;
    ASSERT_TRUE(readWholeFile(e.paths.profilePath, before));

    e.writeFaults.failAfterBytes = 10;
    rememberRecentFile(e, "/new.fcw");
    EXPECT_EQ(e.recentFiles, std::vector<std::string>{"/new.fcw"});
    EXPECT_TRUE(host.messages.empty());
    std::vector<std::uint8_t> after;
    ASSERT_TRUE(readWholeFile(e.paths.profilePath, after));
    EXPECT_EQ(after, before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir),
                            std::filesystem::directory_iterator()),
              1);
    std::filesystem::remove_all(dir);
}

} // namespace
} // namespace fcw
