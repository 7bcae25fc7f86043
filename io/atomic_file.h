#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace fcw {

enum class FileError {
    None,
    NotFound,     // the file or a folder on its path does not exist
    AccessDenied, // permission, read-only file system, or a folder where a file was expected
    DiskFull,
    TooLarge, // the file holds more than the reader can use
    Other,
};

struct FileResult {
    FileError error = FileError::None;
    int systemError = 0; // errno of the failing call, for messages
    explicit operator bool() const { return error == FileError::None; }
};

// Writes bytes to a temporary file beside `path`, flushes it to disk and renames it over
// `path`. On any failure the temporary file is removed and the previous file at `path` is left
// as it was. A new file gets the usual permissions (0666 minus the umask); a replaced file
// keeps its own. When `path` is a symbolic link (or a chain of them) the link stays and its
// final target is the file replaced, atomically in the target's folder; a dangling link gets
// its target created.
struct WriteFaults {
    // When >= 0, the write fails with "disk full" after this many bytes of the temporary file
    // have been written. Lets tests prove that a failed save leaves the old file intact.
    long long failAfterBytes = -1;
};

FileResult writeFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes,
                               const WriteFaults& faults = {});

// Every reader below takes regular files only (symbolic links followed): a folder, a device
// such as /dev/zero or a pipe is refused as AccessDenied, so no read can go on forever.
inline constexpr std::size_t kNoSizeLimit = static_cast<std::size_t>(-1);

// Reads a whole regular file. A file of more than `maxBytes` bytes is refused as TooLarge
// without reading it all (`out` is then empty).
FileResult readWholeFile(const std::string& path, std::vector<std::uint8_t>& out,
                         std::size_t maxBytes = kNoSizeLimit);

// Reads at most `maxBytes` from the start of a regular file, for readers that ignore what
// follows. `fileSize`, when given, receives the size of the whole file.
FileResult readFileStart(const std::string& path, std::size_t maxBytes,
                         std::vector<std::uint8_t>& out, std::uint64_t* fileSize = nullptr);

// Reads a regular file in pieces of at most 64 KiB, handing each to `onChunk`, so memory does
// not grow with the file. Reading stops early, successfully, when `onChunk` returns false.
FileResult readFileInChunks(const std::string& path,
                            const std::function<bool(std::span<const std::uint8_t>)>& onChunk);

} // namespace fcw
