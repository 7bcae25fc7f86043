#pragma once

#include "io/interchange.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace fcw {

// How far a reading child process may go before it is stopped.
struct IsolationLimits {
    std::chrono::milliseconds timeout{30'000};     // from the fork to the child's exit
    std::uint64_t extraAddressSpace = 4ull << 30;  // bytes the child may map beyond the parent's
    std::uint64_t maxTriangles = kMaxForeignFaces; // more in the result stream is refused
    // The child is confined (child_sandbox.h) before `read` runs, reading only beneath this
    // folder (nothing at all when it is empty).
    std::string readableFolder;
};

// Runs `read` in a forked child process and returns what it read. The import libraries cannot
// be trusted with a damaged file (they crash, loop or corrupt their heap), so the parse happens
// where a fault ends only the child: a crash, a nonzero exit or a broken result gives an error
// saying the reader failed, a child still running at `limits.timeout` is killed and reported
// as too slow, a child stopped for a system call its sandbox refuses is reported as having
// tried something forbidden, and the caller's model and memory are untouched either way. The
// child runs
// nothing but `read` and plain C++ (never Qt) and leaves through _exit, so the parent's atexit
// handlers and buffered output are not run twice. Never throws.
ForeignRead readInChildProcess(const std::function<ForeignRead()>& read,
                               const IsolationLimits& limits = {});

// The result stream between child and parent, length-prefixed and native-endian (both ends are
// the same program): dropped count (u64), error length (u32) and bytes, triangle count (u64),
// then per triangle its colour (u32) and nine doubles. Writes to `fd`; false when it cannot.
bool writeReadResult(int fd, const ForeignRead& result);

// Reads one result stream from `fd` until its end, waiting at most until `deadline`. The child
// may have been taken over by the file it read, so the stream is hostile input: nothing when
// it is cut short, malformed, longer than its counts say, announces more than `maxTriangles`
// triangles or dropped faces, carries an error that is not UTF-8 or comes with triangles, holds
// a coordinate a model may not store, or does not end in time; memory grows with the bytes
// that arrive, never with what a count announces.
enum class StreamFault { None, Broken, TimedOut };
struct StreamRead {
    std::optional<ForeignRead> result;
    StreamFault fault = StreamFault::None;
};
StreamRead readReadResult(int fd, std::uint64_t maxTriangles,
                          std::chrono::steady_clock::time_point deadline);

} // namespace fcw
