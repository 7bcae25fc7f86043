#include "io/child_sandbox.h"

#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <linux/seccomp.h>
#include <seccomp.h>
#include <sys/ioctl.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace fcw {

namespace {

// ---- Landlock, through its system calls (the C library has no wrappers) ----

// The kernel's structures, as of the newest interface used here; an older kernel is given the
// prefix it knows (the size tells it which).
struct RulesetAttr {
    std::uint64_t handledAccessFs = 0;
    std::uint64_t handledAccessNet = 0; // interface 4 on
    std::uint64_t scoped = 0;           // interface 6 on
};
struct PathBeneathAttr {
    std::uint64_t allowedAccess;
    std::int32_t parentFd;
} __attribute__((packed));

constexpr unsigned kLandlockVersionQuery = 1u << 0;
constexpr int kRulePathBeneath = 1;
constexpr std::uint64_t kReadFile = 1ull << 2;
constexpr std::uint64_t kReadDir = 1ull << 3;
// Every file-system right of interface 1 (execute, write, read, read dir, remove, make), then
// refer (2), truncate (3) and device ioctl (5).
constexpr std::uint64_t kFsRightsV1 = (1ull << 13) - 1;
constexpr std::uint64_t kFsRefer = 1ull << 13;
constexpr std::uint64_t kFsTruncate = 1ull << 14;
constexpr std::uint64_t kFsIoctlDev = 1ull << 15;
constexpr std::uint64_t kNetBindAndConnectTcp = (1ull << 0) | (1ull << 1);
constexpr std::uint64_t kScopeUnixSocketAndSignal = (1ull << 0) | (1ull << 1);

int landlockVersion() {
    const long v = ::syscall(SYS_landlock_create_ruleset, nullptr, 0, kLandlockVersionQuery);
    return v > 0 ? static_cast<int>(v) : 0;
}

RulesetAttr rulesetFor(int version, std::size_t* size) {
    RulesetAttr attr;
    attr.handledAccessFs = kFsRightsV1 | (version >= 2 ? kFsRefer : 0) |
                           (version >= 3 ? kFsTruncate : 0) | (version >= 5 ? kFsIoctlDev : 0);
    *size = sizeof attr.handledAccessFs;
    if (version >= 4) {
        attr.handledAccessNet = kNetBindAndConnectTcp;
        *size += sizeof attr.handledAccessNet;
    }
    if (version >= 6) {
        attr.scoped = kScopeUnixSocketAndSignal;
        *size += sizeof attr.scoped;
    }
    return attr;
}

// Reading beneath `folder` and nothing else on the file system; needs no-new-privileges set.
bool limitToFolder(int version, const std::string& folder) {
    std::size_t size = 0;
    const RulesetAttr attr = rulesetFor(version, &size);
    const int ruleset = static_cast<int>(::syscall(SYS_landlock_create_ruleset, &attr, size, 0));
    if (ruleset < 0) {
        return false;
    }
    bool ok = true;
    if (!folder.empty()) {
        // A folder that cannot be opened gets no rule: nothing is readable, and the read fails.
        const int dir = ::open(folder.c_str(), O_PATH | O_CLOEXEC | O_DIRECTORY);
        if (dir >= 0) {
            const PathBeneathAttr rule{kReadFile | kReadDir, dir};
            ok = ::syscall(SYS_landlock_add_rule, ruleset, kRulePathBeneath, &rule, 0) == 0;
            ::close(dir);
        }
    }
    ok = ok && ::syscall(SYS_landlock_restrict_self, ruleset, 0) == 0;
    ::close(ruleset);
    return ok;
}

// ---- the system-call filter ----

bool seccompFilterAvailable() {
    std::uint32_t action = SECCOMP_RET_KILL_PROCESS;
    return ::syscall(SYS_seccomp, SECCOMP_GET_ACTION_AVAIL, 0, &action) == 0;
}

// What a parse needs and nothing that reaches outside the process: reading files (the kernel
// check for the folder is Landlock's), reading and writing the descriptors already held (the
// result pipe, standard error for sanitizer reports), memory, time, futexes, its own signals
// (abort) and exit.
constexpr int kAllowed[] = {
    SCMP_SYS(read),
    SCMP_SYS(readv),
    SCMP_SYS(pread64),
    SCMP_SYS(preadv),
    SCMP_SYS(write),
    SCMP_SYS(writev),
    SCMP_SYS(close),
    SCMP_SYS(lseek),
    SCMP_SYS(fstat),
    SCMP_SYS(stat),
    SCMP_SYS(lstat),
    SCMP_SYS(newfstatat),
    SCMP_SYS(statx),
    SCMP_SYS(fstatfs),
    SCMP_SYS(getdents64),
    SCMP_SYS(readlink),
    SCMP_SYS(readlinkat),
    SCMP_SYS(getcwd),
    SCMP_SYS(access),
    SCMP_SYS(faccessat),
    SCMP_SYS(faccessat2),
    SCMP_SYS(fcntl),
    SCMP_SYS(dup),
    SCMP_SYS(brk),
    SCMP_SYS(mmap),
    SCMP_SYS(munmap),
    SCMP_SYS(mremap),
    SCMP_SYS(mprotect),
    SCMP_SYS(madvise),
    SCMP_SYS(clock_gettime),
    SCMP_SYS(clock_getres),
    SCMP_SYS(gettimeofday),
    SCMP_SYS(time),
    SCMP_SYS(nanosleep),
    SCMP_SYS(clock_nanosleep),
    SCMP_SYS(pause),
    SCMP_SYS(futex),
    SCMP_SYS(sched_yield),
    SCMP_SYS(getpid),
    SCMP_SYS(getppid),
    SCMP_SYS(gettid),
    SCMP_SYS(getrandom),
    SCMP_SYS(rt_sigreturn),
    SCMP_SYS(rt_sigprocmask),
    SCMP_SYS(rt_sigaction),
    SCMP_SYS(sigaltstack),
    SCMP_SYS(restart_syscall),
    SCMP_SYS(exit),
    SCMP_SYS(exit_group),
    SCMP_SYS(getrlimit),
    SCMP_SYS(sched_getaffinity),
    SCMP_SYS(uname),
    SCMP_SYS(getuid),
    SCMP_SYS(geteuid),
    SCMP_SYS(getgid),
    SCMP_SYS(getegid),
};

bool addRules(scmp_filter_ctx filter) {
    for (const int call : kAllowed) {
        if (seccomp_rule_add(filter, SCMP_ACT_ALLOW, call, 0) != 0) {
            return false;
        }
    }
    // Opening only for reading: no write access, no creating, no truncating.
    constexpr scmp_datum_t kWriting = O_ACCMODE | O_CREAT | O_TRUNC;
    const scmp_datum_t pid = static_cast<scmp_datum_t>(::getpid());
    return seccomp_rule_add(filter, SCMP_ACT_ALLOW, SCMP_SYS(open), 1,
                            SCMP_A1(SCMP_CMP_MASKED_EQ, kWriting, 0)) == 0 &&
           seccomp_rule_add(filter, SCMP_ACT_ALLOW, SCMP_SYS(openat), 1,
                            SCMP_A2(SCMP_CMP_MASKED_EQ, kWriting, 0)) == 0 &&
           // Signals only to itself (abort, raise).
           seccomp_rule_add(filter, SCMP_ACT_ALLOW, SCMP_SYS(tgkill), 1,
                            SCMP_A0(SCMP_CMP_EQ, pid)) == 0 &&
           // The C library asks whether a stream is a terminal before it buffers it.
           seccomp_rule_add(filter, SCMP_ACT_ALLOW, SCMP_SYS(ioctl), 1,
                            SCMP_A1(SCMP_CMP_EQ, TCGETS)) == 0;
}

bool filterSystemCalls() {
    scmp_filter_ctx filter = seccomp_init(SCMP_ACT_KILL_PROCESS);
    if (filter == nullptr) {
        return false;
    }
    const bool ok = addRules(filter) && seccomp_load(filter) == 0;
    seccomp_release(filter);
    return ok;
}

} // namespace

SandboxSupport sandboxSupport() {
    return {seccompFilterAvailable(), landlockVersion() > 0};
}

bool enterSandbox(const std::string& readableFolder) {
    const SandboxSupport support = sandboxSupport();
    if (::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0) {
        return !support.syscallFilter && !support.folderLimit;
    }
    if (support.folderLimit && !limitToFolder(landlockVersion(), readableFolder)) {
        return false;
    }
    return !support.syscallFilter || filterSystemCalls();
}

} // namespace fcw
