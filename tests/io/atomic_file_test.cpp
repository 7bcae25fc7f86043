#include "io/atomic_file.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace fcw {
namespace {

using Bytes = std::vector<std::uint8_t>;

class AtomicFile : public ::testing::Test {
  protected:
    std::string path(const std::string& name) const { return folder_.path(name); }

    std::vector<std::string> entries() const {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(folder_.dir())) {
            names.push_back(e.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    testing::TempFolder folder_{"fcw_atomic"};
};

Bytes pattern(std::size_t n, std::uint8_t seed) {
    Bytes b(n);
    for (std::size_t i = 0; i < n; ++i) {
        b[i] = static_cast<std::uint8_t>(seed + i * 7);
    }
    return b;
}

mode_t permissions(const std::string& p) {
    struct stat st {};
    EXPECT_EQ(::stat(p.c_str(), &st), 0);
    return st.st_mode & 07777;
}

TEST_F(AtomicFile, WriteThenReadBack) {
    // Larger than one read buffer, so the reader has to loop.
    const Bytes data = pattern(200000, 3);
    ASSERT_TRUE(writeFileAtomically(path("doc"), data));
    Bytes back{1, 2, 3};
    ASSERT_TRUE(readWholeFile(path("doc"), back));
    EXPECT_EQ(back, data);

    ASSERT_TRUE(writeFileAtomically(path("empty"), Bytes{}));
    ASSERT_TRUE(readWholeFile(path("empty"), back));
    EXPECT_TRUE(back.empty());
    EXPECT_EQ(entries(), (std::vector<std::string>{"doc", "empty"}));
}

TEST_F(AtomicFile, NewFileFollowsUmaskReplacedFileKeepsItsMode) {
    const mode_t old = ::umask(077);
    const FileResult created = writeFileAtomically(path("new"), pattern(10, 1));
    ::umask(old);
    ASSERT_TRUE(created);
    EXPECT_EQ(permissions(path("new")), 0600u);

    ASSERT_TRUE(writeFileAtomically(path("doc"), pattern(10, 1)));
    ASSERT_EQ(::chmod(path("doc").c_str(), 0640), 0);
    ASSERT_TRUE(writeFileAtomically(path("doc"), pattern(20, 2)));
    EXPECT_EQ(permissions(path("doc")), 0640u);
    Bytes back;
    ASSERT_TRUE(readWholeFile(path("doc"), back));
    EXPECT_EQ(back, pattern(20, 2));
}

TEST_F(AtomicFile, FailedWriteLeavesOldFileAndNoTemporary) {
    const Bytes original = pattern(1000, 9);
    ASSERT_TRUE(writeFileAtomically(path("doc"), original));
    for (long long failAfter : {0LL, 1LL, 4096LL, 4999LL}) {
        const FileResult r =
            writeFileAtomically(path("doc"), pattern(5000, 4), WriteFaults{failAfter});
        EXPECT_FALSE(r) << failAfter;
        EXPECT_EQ(r.error, FileError::DiskFull) << failAfter;
        Bytes back;
        ASSERT_TRUE(readWholeFile(path("doc"), back));
        EXPECT_EQ(back, original) << failAfter;
        EXPECT_EQ(entries(), std::vector<std::string>{"doc"}) << failAfter;
    }

    // Failing a first save creates nothing at all.
    const FileResult r = writeFileAtomically(path("fresh"), pattern(50, 1), WriteFaults{10});
    EXPECT_EQ(r.error, FileError::DiskFull);
    EXPECT_EQ(entries(), std::vector<std::string>{"doc"});
}

TEST_F(AtomicFile, ErrorsAreClassified) {
    const Bytes data = pattern(8, 0);
    FileResult r = writeFileAtomically(path("missing/doc"), data);
    EXPECT_EQ(r.error, FileError::NotFound);
    EXPECT_NE(r.systemError, 0);

    ASSERT_EQ(::mkdir(path("folder").c_str(), 0755), 0);
    r = writeFileAtomically(path("folder"), data);
    EXPECT_EQ(r.error, FileError::AccessDenied);
    EXPECT_TRUE(std::filesystem::is_directory(path("folder")));
    EXPECT_EQ(entries(), std::vector<std::string>{"folder"});

    Bytes back{1};
    r = readWholeFile(path("nothing"), back);
    EXPECT_EQ(r.error, FileError::NotFound);
    EXPECT_TRUE(back.empty());
    EXPECT_EQ(readWholeFile(path("folder"), back).error, FileError::AccessDenied);
}

// A save over a symbolic link replaces the file the link points to, atomically in the target's
// own folder, and keeps the link: through a relative link, a chain of links and a link whose
// target does not exist yet.
TEST_F(AtomicFile, WritesGoThroughSymbolicLinksToTheirTarget) {
    ASSERT_EQ(::mkdir(path("real").c_str(), 0755), 0);
    ASSERT_TRUE(writeFileAtomically(path("real/doc"), pattern(10, 1)));
    ASSERT_EQ(::chmod(path("real/doc").c_str(), 0640), 0);
    ASSERT_EQ(::symlink("real/doc", path("link").c_str()), 0);
    ASSERT_EQ(::symlink(path("link").c_str(), path("chain").c_str()), 0);

    ASSERT_TRUE(writeFileAtomically(path("link"), pattern(30, 2)));
    ASSERT_TRUE(writeFileAtomically(path("chain"), pattern(40, 3)));
    EXPECT_TRUE(std::filesystem::is_symlink(path("link")));
    EXPECT_TRUE(std::filesystem::is_symlink(path("chain")));
    Bytes back;
    ASSERT_TRUE(readWholeFile(path("real/doc"), back));
    EXPECT_EQ(back, pattern(40, 3));
    EXPECT_EQ(permissions(path("real/doc")), 0640u);
    EXPECT_EQ(entries(), (std::vector<std::string>{"chain", "link", "real"}));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(path("real")),
                            std::filesystem::directory_iterator()),
              1); // no temporary left beside the target

    ASSERT_EQ(::symlink("real/later", path("dangling").c_str()), 0);
    ASSERT_TRUE(writeFileAtomically(path("dangling"), pattern(5, 4)));
    EXPECT_TRUE(std::filesystem::is_symlink(path("dangling")));
    ASSERT_TRUE(readWholeFile(path("real/later"), back));
    EXPECT_EQ(back, pattern(5, 4));

    // A failed write through a link leaves the target as it was.
    EXPECT_EQ(writeFileAtomically(path("link"), pattern(90, 5), WriteFaults{20}).error,
              FileError::DiskFull);
    ASSERT_TRUE(readWholeFile(path("real/doc"), back));
    EXPECT_EQ(back, pattern(40, 3));

    ASSERT_EQ(::symlink("loop", path("loop").c_str()), 0);
    EXPECT_FALSE(writeFileAtomically(path("loop"), pattern(5, 4)));
    EXPECT_TRUE(std::filesystem::is_symlink(path("loop")));
}

// Reading is bounded: a file over the reader's limit is refused without being read, a prefix
// read stops at its limit and reports the whole size, and only regular files are read, so
// /dev/zero and a pipe without a writer neither fill memory nor block.
TEST_F(AtomicFile, ReadsAreBoundedAndTakeRegularFilesOnly) {
    const Bytes data = pattern(100000, 7);
    ASSERT_TRUE(writeFileAtomically(path("doc"), data));
    Bytes back{1};
    EXPECT_EQ(readWholeFile(path("doc"), back, 99999).error, FileError::TooLarge);
    EXPECT_TRUE(back.empty());
    ASSERT_TRUE(readWholeFile(path("doc"), back, 100000));
    EXPECT_EQ(back, data);

    std::uint64_t size = 0;
    ASSERT_TRUE(readFileStart(path("doc"), 70000, back, &size));
    EXPECT_EQ(size, 100000u);
    EXPECT_EQ(back, Bytes(data.begin(), data.begin() + 70000));
    ASSERT_TRUE(readFileStart(path("doc"), 200000, back));
    EXPECT_EQ(back, data);

    Bytes chunked;
    int calls = 0;
    ASSERT_TRUE(readFileInChunks(path("doc"), [&](std::span<const std::uint8_t> chunk) {
        EXPECT_LE(chunk.size(), 65536u);
        chunked.insert(chunked.end(), chunk.begin(), chunk.end());
        return ++calls < 100;
    }));
    EXPECT_EQ(chunked, data);
    chunked.clear();
    ASSERT_TRUE(readFileInChunks(path("doc"), [&](std::span<const std::uint8_t> chunk) {
        chunked.insert(chunked.end(), chunk.begin(), chunk.end());
        return false; // the reader has seen enough
    }));
    EXPECT_LT(chunked.size(), data.size());

    ASSERT_EQ(::mkfifo(path("pipe").c_str(), 0600), 0);
    for (const std::string& special : {std::string("/dev/zero"), path("pipe")}) {
        EXPECT_EQ(readWholeFile(special, back).error, FileError::AccessDenied) << special;
        EXPECT_EQ(readFileStart(special, 10, back).error, FileError::AccessDenied) << special;
        EXPECT_EQ(readFileInChunks(special, [](auto) { return true; }).error,
                  FileError::AccessDenied)
            << special;
    }
}

} // namespace
} // namespace fcw
