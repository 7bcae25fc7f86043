#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace fcw {

enum class FileError {
    None,
    NotFound,     // the file or a folder on its path does not exist
    AccessDenied, // permission, read-only file system, or a folder where a file was expected
    DiskFull,
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
// keeps its own.
struct WriteFaults {
    // When >= 0, the write fails with "disk full" after this many bytes of the temporary file
    // have been written. Lets tests prove that a failed save leaves the old file intact.
    long long failAfterBytes = -1;
};

FileResult writeFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes,
                               const WriteFaults& faults = {});

// Reads a whole regular file.
FileResult readWholeFile(const std::string& path, std::vector<std::uint8_t>& out);

} // namespace fcw
