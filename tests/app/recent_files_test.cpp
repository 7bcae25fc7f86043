#include "app/document_commands.h"
#include "app/profile.h"
#include "app/recent_files.h"
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

} // namespace
} // namespace fcw
