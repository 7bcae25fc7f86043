#include "io/atomic_file.h"

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
    void SetUp() override {
        char pattern[] = "/tmp/fcw_atomic_XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        dir_ = pattern;
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }

    std::string path(const std::string& name) const { return dir_ + "/" + name; }

    std::vector<std::string> entries() const {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(dir_)) {
            names.push_back(e.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    std::string dir_;
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

} // namespace
} // namespace fcw
