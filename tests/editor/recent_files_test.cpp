#include "editor/batch/batch_player.h"
#include "editor/commands/document_commands.h"
#include "editor/session/profile.h"
#include "editor/session/recent_files.h"
#include "io/atomic_file.h"
#include "test_host.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

namespace fcw {
namespace {

TEST(RecentFiles, FourMostRecentFirstKeptInTheProfile) {
    char pattern[] = "/tmp/fcw-recent-XXXXXX";
    const std::filesystem::path dir = std::filesystem::canonical(::mkdtemp(pattern));
    testing::FakeHost host;
    Editor e(host);
    e.services.paths.profilePath = (dir / "cfg" / "FacetCraftwerk.ini").string();
    Profile seed;
    seed.setInt("表示", "強調", 3);
    ASSERT_TRUE(seed.save(e.services.paths.profilePath));

    for (const char* name : {"a.fcw", "b.fcw", "c.fcw", "d.fcw", "e.fcw", "b.fcw"}) {
        ASSERT_TRUE(saveDocumentFile(e, (dir / name).string()));
    }
    ASSERT_EQ(e.services.recentFiles.size(), 4u);
    EXPECT_EQ(e.services.recentFiles[0], (dir / "b.fcw").string());
    EXPECT_EQ(e.services.recentFiles[1], (dir / "e.fcw").string());
    EXPECT_EQ(e.services.recentFiles[3], (dir / "c.fcw").string());

    Profile stored;
    ASSERT_TRUE(stored.load(e.services.paths.profilePath));
    EXPECT_EQ(readRecentFiles(stored), e.services.recentFiles);
    EXPECT_EQ(stored.getInt("表示", "強調", 0), 3u); // other settings untouched

    e.document.store.lastIndex = -1;
    openRecentFile(e, 2);
    EXPECT_EQ(e.document.path, (dir / "d.fcw").string());
    EXPECT_EQ(e.services.recentFiles[0], (dir / "d.fcw").string());
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
    e.services.paths.profilePath = (dir / "FacetCraftwerk.ini").string();
    Profile seed;
    seed.setInt("表示", "強調", 3);
    seed.setString("Recent File List", "File1", "/old.fcw");
    ASSERT_TRUE(seed.save(e.services.paths.profilePath));
    std::vector<std::uint8_t> before;
    ASSERT_TRUE(readWholeFile(e.services.paths.profilePath, before));

    e.services.writeFaults.failAfterBytes = 10;
    rememberRecentFile(e, "/new.fcw");
    EXPECT_EQ(e.services.recentFiles, std::vector<std::string>{"/new.fcw"});
    EXPECT_TRUE(host.messages.empty());
    std::vector<std::uint8_t> after;
    ASSERT_TRUE(readWholeFile(e.services.paths.profilePath, after));
    EXPECT_EQ(after, before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir),
                            std::filesystem::directory_iterator()),
              1);
    std::filesystem::remove_all(dir);
}

class RecentFileNames : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/fcw-recent-XXXXXX";
        dir = std::filesystem::canonical(::mkdtemp(pattern));
        e.services.paths.profilePath = (dir / "FacetCraftwerk.ini").string();
        Profile seed;
        seed.setInt("テキストファイル", "out", 10000);
        ASSERT_TRUE(seed.save(e.services.paths.profilePath));
    }
    void TearDown() override {
        std::filesystem::current_path(startFolder);
        std::filesystem::remove_all(dir);
    }
    std::vector<std::string> stored() const {
        Profile profile;
        EXPECT_TRUE(profile.load(e.services.paths.profilePath));
        return readRecentFiles(profile);
    }

    std::filesystem::path startFolder = std::filesystem::current_path();
    std::filesystem::path dir;
    testing::FakeHost host;
    Editor e{host};
};

// Entries are absolute and canonical: a file named relative to the working folder reopens from
// anywhere, and one file reached by other names ("./", "..", a symbolic link) is listed once.
TEST_F(RecentFileNames, EntriesAreCanonicalAndEachFileIsListedOnce) {
    std::filesystem::create_directory(dir / "sub");
    std::filesystem::current_path(dir);
    const std::string canonical = (dir / "a.fcw").string();
    ASSERT_TRUE(saveDocumentFile(e, "a.fcw"));
    EXPECT_EQ(e.services.recentFiles, std::vector<std::string>{canonical});
    std::filesystem::create_symlink("a.fcw", dir / "link.fcw");
    for (const char* name : {"./a.fcw", "sub/../a.fcw", "link.fcw", "sub/../link.fcw"}) {
        ASSERT_TRUE(saveDocumentFile(e, name)) << name;
        ASSERT_TRUE(openDocumentFile(e, name)) << name;
        EXPECT_EQ(e.services.recentFiles, std::vector<std::string>{canonical}) << name;
    }
    EXPECT_EQ(stored(), std::vector<std::string>{canonical});

    std::filesystem::current_path("/");
    openRecentFile(e, 0);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(e.services.recentFiles, std::vector<std::string>{canonical});
}

// A name with line breaks is left out of the list, so it can never add sections or settings to
// the profile; the document itself is saved and opened as usual.
TEST_F(RecentFileNames, NamesWithLineBreaksStayOutOfTheList) {
    ASSERT_TRUE(saveDocumentFile(e, (dir / "first.fcw").string()));
    const std::string odd = (dir / "x\n[テキストファイル]\nout=50000\n.fcw").string();
    ASSERT_TRUE(saveDocumentFile(e, odd));
    ASSERT_TRUE(openDocumentFile(e, odd));
    EXPECT_EQ(e.document.path, odd);
    EXPECT_EQ(e.services.recentFiles, std::vector<std::string>{(dir / "first.fcw").string()});
    EXPECT_EQ(stored(), e.services.recentFiles);
    Profile profile;
    ASSERT_TRUE(profile.load(e.services.paths.profilePath));
    EXPECT_EQ(profile.getInt("テキストファイル", "out", 0), 10000u);
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(readWholeFile(e.services.paths.profilePath, bytes));
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '['), 2); // the two sections, no more
}

// A 0-byte file leaves the model as it was when opened, and is listed like any other file.
TEST_F(RecentFileNames, AnEmptyFileThatWasOpenedIsListed) {
    ASSERT_TRUE(writeFileAtomically((dir / "empty.fcw").string(), {}));
    ASSERT_TRUE(openDocumentFile(e, (dir / "empty.fcw").string()));
    EXPECT_EQ(e.services.recentFiles, std::vector<std::string>{(dir / "empty.fcw").string()});
    EXPECT_EQ(stored(), e.services.recentFiles);
}

// The batch player's "profile" reads the recent-file list too, as start-up does.
TEST_F(RecentFileNames, TheBatchProfileVerbLoadsTheList) {
    Profile profile;
    ASSERT_TRUE(profile.load(e.services.paths.profilePath));
    profile.setString("Recent File List", "File1", "/one.fcw");
    profile.setString("Recent File List", "File2", "/two.fcw");
    ASSERT_TRUE(profile.save(e.services.paths.profilePath));
    std::ostringstream out;
    BatchPlayer player(out, out);
    ASSERT_FALSE(player.runLine("profile \"" + e.services.paths.profilePath + "\""));
    EXPECT_EQ(player.editor().services.recentFiles,
              (std::vector<std::string>{"/one.fcw", "/two.fcw"}));
}

} // namespace
} // namespace fcw
