// Feeds arbitrary bytes to the parent's reader of a reading child's result stream, as a child
// taken over by a crafted file could send them. A stream the reader takes must be exactly what
// the child's writer would send for what was read (nothing skipped, nothing invented), within
// its bounds, with every coordinate storable.

#include "tests/fuzz/fuzz_support.h"

#include "io/isolated_read.h"
#include "model/numeric.h"

#include <sys/mman.h>

using namespace fcw;

namespace {

constexpr std::uint64_t kMaxTrianglesHere = 4096;

// A descriptor holding `bytes` from its start, read the way the pipe is read (poll, then read
// until the end).
int memoryFile(std::span<const std::uint8_t> bytes) {
    const int fd = ::memfd_create("fcw_result_stream", MFD_CLOEXEC);
    fuzz::check(fd >= 0, "no memory file");
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t w = ::write(fd, bytes.data() + done, bytes.size() - done);
        fuzz::check(w > 0, "cannot fill the memory file");
        done += static_cast<std::size_t>(w);
    }
    ::lseek(fd, 0, SEEK_SET);
    return fd;
}

std::vector<std::uint8_t> contentsOf(int fd) {
    std::vector<std::uint8_t> out(static_cast<std::size_t>(::lseek(fd, 0, SEEK_END)));
    ::lseek(fd, 0, SEEK_SET);
    fuzz::check(::read(fd, out.data(), out.size()) == static_cast<ssize_t>(out.size()),
                "cannot read the memory file back");
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    const int in = memoryFile(bytes);
    const StreamRead r = readReadResult(in, kMaxTrianglesHere,
                                        std::chrono::steady_clock::now() + std::chrono::hours(1));
    ::close(in);
    fuzz::check(r.fault != StreamFault::TimedOut, "a finished stream timed out");
    fuzz::check(r.result.has_value() == (r.fault == StreamFault::None),
                "a result and a fault disagree");
    if (!r.result) {
        return 0;
    }
    const ForeignRead& got = *r.result;
    fuzz::check(got.triangles.size() <= kMaxTrianglesHere, "more triangles than the bound");
    fuzz::check(got.error.empty() || got.triangles.empty(), "an error came with triangles");
    fuzz::check(got.error.size() <= 4096, "an error past its bound");
    for (const TriangleCore& t : got.triangles) {
        for (const auto& corner : t.v) {
            for (double c : corner) {
                fuzz::check(isStorableCoordinate(c), "a coordinate no model may store");
            }
        }
    }
    const int out = ::memfd_create("fcw_result_stream_back", MFD_CLOEXEC);
    fuzz::check(out >= 0 && writeReadResult(out, got), "cannot write the result back");
    const std::vector<std::uint8_t> back = contentsOf(out);
    ::close(out);
    fuzz::check(back.size() == size && std::equal(back.begin(), back.end(), data),
                "the stream taken is not what the writer sends for its result");
    return 0;
}
