#include "io/child_sandbox.h"
#include "io/isolated_read.h"

#include "tests/temp_folder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sys/socket.h>
#include <unistd.h>

namespace fcw {
namespace {

const std::string kForbidden =
    "読み取りライブラリが禁止された操作（書き込み、通信、プログラムの起動）"
    "を試みたため中止しました";

ForeignRead oneTriangle() {
    ForeignRead r;
    r.triangles.push_back({0x102030u, {{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}}});
    return r;
}

ForeignRead failed(const char* why) {
    ForeignRead r;
    r.error = why;
    return r;
}

class ChildSandbox : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = dir_.dir();
        std::ofstream(folder_ + "/inside.txt") << "readable";
    }
    ForeignRead inChild(const std::function<ForeignRead()>& read) {
        IsolationLimits limits;
        limits.readableFolder = folder_;
        return readInChildProcess(read, limits);
    }
    testing::TempFolder dir_;
    std::string folder_;
};

// Each attempt would succeed in an unconfined child, which would then send its triangle; the
// filter ends the child at the system call instead, and the parent says why.
TEST_F(ChildSandbox, ForbiddenCallsStopTheChild) {
    if (!sandboxSupport().syscallFilter) {
        GTEST_SKIP() << "the kernel has no seccomp filters";
    }
    const std::string target = folder_ + "/written.txt";
    const std::pair<const char*, std::function<ForeignRead()>> attempts[] = {
        {"open for writing",
         [&] {
             ::open(target.c_str(), O_WRONLY | O_CREAT, 0600);
             return oneTriangle();
         }},
        {"open read-write",
         [&] {
             ::open((folder_ + "/inside.txt").c_str(), O_RDWR);
             return oneTriangle();
         }},
        {"socket",
         [] {
             ::socket(AF_INET, SOCK_STREAM, 0);
             return oneTriangle();
         }},
        {"exec",
         [] {
             char* const argv[] = {const_cast<char*>("true"), nullptr};
             ::execv("/bin/true", argv);
             return oneTriangle();
         }},
        {"fork",
         [] {
             ::fork();
             return oneTriangle();
         }},
        {"remove a file",
         [&] {
             ::unlink((folder_ + "/inside.txt").c_str());
             return oneTriangle();
         }},
        {"signal another process",
         [] {
             ::kill(::getppid(), 0);
             return oneTriangle();
         }},
    };
    for (const auto& [name, attempt] : attempts) {
        SCOPED_TRACE(name);
        const ForeignRead r = inChild(attempt);
        EXPECT_EQ(r.error, kForbidden);
        EXPECT_TRUE(r.triangles.empty());
    }
    EXPECT_FALSE(std::filesystem::exists(target));
    EXPECT_TRUE(std::filesystem::exists(folder_ + "/inside.txt"));
}

// Reading stays possible beneath the model's folder and nowhere else.
TEST_F(ChildSandbox, ReadsOnlyBeneathTheModelsFolder) {
    if (!sandboxSupport().folderLimit) {
        GTEST_SKIP() << "the kernel has no Landlock";
    }
    auto readAt = [](std::string path) {
        return [path] {
            const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
            if (fd < 0) {
                return failed(std::strerror(errno));
            }
            ::close(fd);
            return oneTriangle();
        };
    };
    EXPECT_EQ(inChild(readAt(folder_ + "/inside.txt")).triangles.size(), 1u);
    for (const char* outside : {"/etc/passwd", "/proc/self/status", "/tmp", ".."}) {
        SCOPED_TRACE(outside);
        const ForeignRead r = inChild(readAt(outside));
        EXPECT_EQ(r.error, std::strerror(EACCES));
        EXPECT_TRUE(r.triangles.empty());
    }
}

} // namespace
} // namespace fcw
