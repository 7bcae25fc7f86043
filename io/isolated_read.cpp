#include "io/isolated_read.h"

#include "io/child_sandbox.h"
#include "model/numeric.h"
#include "model/translatable.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

// AddressSanitizer reserves terabytes of shadow address space, so an address-space limit would
// fail the child's first allocation.
#if defined(__SANITIZE_ADDRESS__)
#define FCW_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define FCW_ADDRESS_SANITIZER 1
#endif
#endif

namespace fcw {

namespace {

using Clock = std::chrono::steady_clock;

constexpr char kReaderFailed[] =
    FCW_TR_NOOP("Message", "読み込み中に読み取りライブラリが異常終了しました");
constexpr char kNoChild[] = FCW_TR_NOOP("Message", "読み取り用のプロセスを起動できません");
constexpr char kForbidden[] =
    FCW_TR_NOOP("Message", "読み取りライブラリが禁止された操作（書き込み、通信、プログラムの起動）"
                           "を試みたため中止しました");
constexpr char kNoSandbox[] =
    FCW_TR_NOOP("Message", "読み取り用のプロセスを保護できないため読み込みを中止しました");
// An error text longer than this is cut (at a character boundary) by the child and refused
// by the parent: the library's messages are a line or two.
constexpr std::uint32_t kMaxErrorBytes = 4096;
constexpr std::size_t kTriangleBytes = sizeof(std::uint32_t) + 9 * sizeof(double);
// The child's exit codes of its own; anything else nonzero came from elsewhere (a sanitizer).
constexpr int kChildCannotWrite = 3;
constexpr int kChildThrew = 4;
constexpr int kChildNotConfined = 5;

// ---- the child's side ----

class StreamWriter {
  public:
    explicit StreamWriter(int fd) : fd_(fd) {}

    template <typename T> void put(T value) { putRaw(&value, sizeof value); }

    void putRaw(const void* data, std::size_t n) {
        const auto* p = static_cast<const std::uint8_t*>(data);
        while (n > 0) {
            const std::size_t take = std::min(n, sizeof buffer_ - used_);
            std::memcpy(buffer_ + used_, p, take);
            used_ += take;
            p += take;
            n -= take;
            if (used_ == sizeof buffer_) {
                flush();
            }
        }
    }

    bool flush() {
        std::size_t done = 0;
        while (ok_ && done < used_) {
            const ssize_t w = ::write(fd_, buffer_ + done, used_ - done);
            if (w > 0) {
                done += static_cast<std::size_t>(w);
            } else if (w < 0 && errno != EINTR) {
                ok_ = false;
            }
        }
        used_ = 0;
        return ok_;
    }

  private:
    int fd_;
    bool ok_ = true;
    std::size_t used_ = 0;
    std::uint8_t buffer_[64 * 1024];
};

// The longest prefix of `text` within `limit` bytes that does not cut a UTF-8 sequence.
std::size_t cutAtCharacter(const std::string& text, std::size_t limit) {
    if (text.size() <= limit) {
        return text.size();
    }
    std::size_t n = limit;
    while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) {
        --n;
    }
    return n;
}

// The bytes this process has mapped, from /proc, which the child inherits: its limit is set
// above them, since the parent's toolkit and drivers may already map gigabytes. 0 when they
// cannot be told, and then no address-space limit is set.
[[maybe_unused]] std::uint64_t mappedBytes() {
    const int fd = ::open("/proc/self/statm", O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return 0;
    }
    char text[64] = {};
    const ssize_t n = ::read(fd, text, sizeof text - 1);
    ::close(fd);
    std::uint64_t pages = 0;
    for (ssize_t i = 0; i < n && text[i] >= '0' && text[i] <= '9'; ++i) {
        pages = pages * 10 + static_cast<std::uint64_t>(text[i] - '0');
    }
    return pages * static_cast<std::uint64_t>(::sysconf(_SC_PAGESIZE));
}

// Limits, descriptors and signals of the child before it reads. The pipe's write end becomes
// descriptor 3 and every descriptor above it is closed, so a child that hangs holds none of
// the parent's files, sockets or pipes open; standard input and output go to /dev/null, so a
// library that prints cannot mix into the batch player's output. Standard error stays for
// sanitizer reports.
int prepareChild(int writeFd, std::uint64_t addressSpaceLimit) {
    const rlimit noCore{0, 0};
    ::setrlimit(RLIMIT_CORE, &noCore);
    if (addressSpaceLimit != 0) {
        const rlimit space{addressSpaceLimit, addressSpaceLimit};
        ::setrlimit(RLIMIT_AS, &space);
    }
    ::signal(SIGPIPE, SIG_DFL); // a parent that stopped listening ends the child at once
    if (writeFd != 3) {
        ::dup2(writeFd, 3);
    }
    const int null = ::open("/dev/null", O_RDWR);
    if (null >= 0) {
        ::dup2(null, 0);
        ::dup2(null, 1);
    }
    if (::close_range(4, UINT_MAX, 0) != 0) {
        for (int fd = 4; fd < 1024; ++fd) {
            ::close(fd);
        }
    }
    return 3;
}

[[noreturn]] void runChild(const std::function<ForeignRead()>& read, int writeFd,
                           std::uint64_t addressSpaceLimit, const std::string& readableFolder) {
    const int out = prepareChild(writeFd, addressSpaceLimit);
    if (!enterSandbox(readableFolder)) {
        ::_exit(kChildNotConfined);
    }
    int code = 0;
    try {
        code = writeReadResult(out, read()) ? 0 : kChildCannotWrite;
    } catch (...) {
        code = kChildThrew;
    }
    ::_exit(code);
}

// ---- the parent's side ----

class StreamReader {
  public:
    StreamReader(int fd, Clock::time_point deadline) : fd_(fd), deadline_(deadline) {}

    // Fills `out` with exactly `n` bytes; false at the stream's end, an error or the deadline.
    bool take(void* out, std::size_t n) {
        auto* p = static_cast<std::uint8_t*>(out);
        while (n > 0) {
            if (!waitForData()) {
                return false;
            }
            const ssize_t r = ::read(fd_, p, n);
            if (r > 0) {
                p += r;
                n -= static_cast<std::size_t>(r);
            } else if (r == 0 || errno != EINTR) {
                return false;
            }
        }
        return true;
    }

    template <typename T> bool get(T& value) { return take(&value, sizeof value); }

    // True when the stream ends here (the child closed its end with nothing more).
    bool atEnd() {
        std::uint8_t extra = 0;
        return !take(&extra, 1) && !timedOut_;
    }

    bool timedOut() const { return timedOut_; }

  private:
    // Polls first, so that a child which writes nothing cannot block the read past the deadline.
    bool waitForData() {
        for (;;) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline_ - Clock::now());
            if (left.count() <= 0) {
                timedOut_ = true;
                return false;
            }
            pollfd p{fd_, POLLIN, 0};
            const int n =
                ::poll(&p, 1, static_cast<int>(std::min<long long>(left.count(), INT_MAX)));
            if (n > 0) {
                return true;
            }
            if (n < 0 && errno != EINTR) {
                return false;
            }
        }
    }

    int fd_;
    Clock::time_point deadline_;
    bool timedOut_ = false;
};

// Triangles as they arrive, a batch at a time, so a large announced count allocates nothing
// until its bytes are there. Every coordinate must be one a model may store, as the readers
// promise.
bool takeTriangles(StreamReader& in, std::uint64_t count, std::vector<TriangleCore>& out) {
    constexpr std::size_t kBatch = 4096;
    std::vector<std::uint8_t> raw(kBatch * kTriangleBytes);
    while (count > 0) {
        const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(count, kBatch));
        if (!in.take(raw.data(), n * kTriangleBytes)) {
            return false;
        }
        for (std::size_t i = 0; i < n; ++i) {
            const std::uint8_t* p = raw.data() + i * kTriangleBytes;
            TriangleCore t;
            std::memcpy(&t.colour, p, sizeof t.colour);
            std::memcpy(t.v.data(), p + sizeof t.colour, 9 * sizeof(double));
            for (const auto& corner : t.v) {
                if (!isStorableCoordinate(corner[0]) || !isStorableCoordinate(corner[1]) ||
                    !isStorableCoordinate(corner[2])) {
                    return false;
                }
            }
            out.push_back(t);
        }
        count -= n;
    }
    return true;
}

// Waits for the child to end, killing it at the deadline; its wait status, or nothing when it
// had to be killed.
std::optional<int> reap(pid_t child, Clock::time_point deadline) {
    for (;;) {
        int status = 0;
        const pid_t r = ::waitpid(child, &status, WNOHANG);
        if (r == child) {
            return status;
        }
        if (r < 0 && errno != EINTR) {
            return -1; // not ours to wait for any more: treated as a failure
        }
        if (Clock::now() >= deadline) {
            ::kill(child, SIGKILL);
            while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
            }
            return std::nullopt;
        }
        const timespec pause{0, 1'000'000}; // the child is past its result: it ends at once
        ::nanosleep(&pause, nullptr);
    }
}

// Well-formed UTF-8: no stray continuation byte, no cut or overlong sequence, no surrogate,
// nothing past U+10FFFF.
bool isUtf8(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto c = static_cast<unsigned char>(text[i]);
        const std::size_t n = c < 0x80                ? 1
                              : c >= 0xC2 && c < 0xE0 ? 2
                              : c >= 0xE0 && c < 0xF0 ? 3
                              : c >= 0xF0 && c < 0xF5 ? 4
                                                      : 0;
        if (n == 0 || i + n > text.size()) {
            return false;
        }
        std::uint32_t code = n == 1 ? c : c & (0x7F >> n);
        for (std::size_t k = 1; k < n; ++k) {
            const auto b = static_cast<unsigned char>(text[i + k]);
            if ((b & 0xC0) != 0x80) {
                return false;
            }
            code = code << 6 | (b & 0x3F);
        }
        constexpr std::uint32_t kShortest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (code < kShortest[n] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            return false;
        }
        i += n;
    }
    return true;
}

ForeignRead failure(std::string reason) {
    ForeignRead out;
    out.error = std::move(reason);
    return out;
}

std::string tooSlow(std::chrono::milliseconds timeout) {
    const long long seconds = std::max<long long>(1, (timeout.count() + 999) / 1000);
    return "読み込みに時間がかかりすぎたため中止しました（" + std::to_string(seconds) +
           " 秒を超えました）";
}

} // namespace

bool writeReadResult(int fd, const ForeignRead& result) {
    StreamWriter out(fd);
    const auto errorBytes =
        static_cast<std::uint32_t>(cutAtCharacter(result.error, kMaxErrorBytes));
    out.put(static_cast<std::uint64_t>(result.dropped));
    out.put(errorBytes);
    out.putRaw(result.error.data(), errorBytes);
    out.put(static_cast<std::uint64_t>(result.triangles.size()));
    for (const TriangleCore& t : result.triangles) {
        out.put(t.colour);
        out.putRaw(t.v.data(), 9 * sizeof(double));
    }
    return out.flush();
}

StreamRead readReadResult(int fd, std::uint64_t maxTriangles, Clock::time_point deadline) {
    StreamReader in(fd, deadline);
    auto broken = [&] {
        return StreamRead{std::nullopt,
                          in.timedOut() ? StreamFault::TimedOut : StreamFault::Broken};
    };
    ForeignRead r;
    std::uint64_t dropped = 0;
    std::uint32_t errorBytes = 0;
    if (!in.get(dropped) || dropped > kMaxForeignFaces || !in.get(errorBytes) ||
        errorBytes > kMaxErrorBytes) {
        return broken();
    }
    r.dropped = static_cast<std::size_t>(dropped);
    r.error.resize(errorBytes);
    std::uint64_t count = 0;
    if (!in.take(r.error.data(), errorBytes) || !isUtf8(r.error) || !in.get(count) ||
        count > maxTriangles || (count > 0 && errorBytes > 0) ||
        !takeTriangles(in, count, r.triangles) || !in.atEnd()) {
        return broken();
    }
    return StreamRead{std::move(r), StreamFault::None};
}

ForeignRead readInChildProcess(const std::function<ForeignRead()>& read,
                               const IsolationLimits& limits) {
    const Clock::time_point deadline = Clock::now() + limits.timeout;
    std::uint64_t addressSpaceLimit = 0;
#ifndef FCW_ADDRESS_SANITIZER
    if (const std::uint64_t mapped = mappedBytes(); mapped != 0) {
        addressSpaceLimit = mapped + limits.extraAddressSpace;
    }
#endif
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0) {
        return failure(kNoChild);
    }
    const pid_t child = ::fork();
    if (child < 0) {
        ::close(ends[0]);
        ::close(ends[1]);
        return failure(kNoChild);
    }
    if (child == 0) {
        ::close(ends[0]);
        runChild(read, ends[1], addressSpaceLimit, limits.readableFolder);
    }
    ::close(ends[1]);
    StreamRead stream = readReadResult(ends[0], limits.maxTriangles, deadline);
    ::close(ends[0]);
    if (stream.fault != StreamFault::None) {
        ::kill(child, SIGKILL); // a child that sends garbage or takes too long is not waited for
    }
    const std::optional<int> status = reap(child, deadline);
    if (stream.fault == StreamFault::TimedOut || !status) {
        return failure(tooSlow(limits.timeout));
    }
    if (WIFSIGNALED(*status) && WTERMSIG(*status) == SIGSYS) {
        return failure(kForbidden);
    }
    if (WIFEXITED(*status) && WEXITSTATUS(*status) == kChildNotConfined) {
        return failure(kNoSandbox);
    }
    if (!stream.result || !WIFEXITED(*status) || WEXITSTATUS(*status) != 0) {
        return failure(kReaderFailed);
    }
    return std::move(*stream.result);
}

} // namespace fcw
