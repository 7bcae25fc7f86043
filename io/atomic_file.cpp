#include "io/atomic_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fcw {

namespace {

FileError classify(int err) {
    switch (err) {
    case ENOENT:
    case ENOTDIR:
        return FileError::NotFound;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
        return FileError::AccessDenied;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return FileError::DiskFull;
    default:
        return FileError::Other;
    }
}

FileResult failure(int err) {
    return {classify(err), err};
}

mode_t currentUmask() {
    // umask can only be read by setting it; put it straight back. Single-threaded program.
    const mode_t mask = ::umask(022);
    ::umask(mask);
    return mask;
}

// The file a write to `path` lands on: the final target of a chain of symbolic links (each
// relative target taken from its link's folder), or `path` itself when it is no link. Replacing
// the link itself would turn it into a plain file and leave its target as it was.
FileResult resolveWriteTarget(const std::string& path, std::string& target) {
    target = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
            return {}; // a missing file is created by the write
        }
        std::string link(256, '\0');
        for (;;) {
            const ssize_t n = ::readlink(target.c_str(), link.data(), link.size());
            if (n < 0) {
                return failure(errno);
            }
            if (static_cast<std::size_t>(n) < link.size()) {
                link.resize(static_cast<std::size_t>(n));
                break;
            }
            link.resize(link.size() * 2);
        }
        if (link.empty() || link.front() != '/') {
            const auto slash = target.find_last_of('/');
            link =
                (slash == std::string::npos ? std::string() : target.substr(0, slash + 1)) + link;
        }
        target = link;
    }
    return failure(ELOOP);
}

// Opens `path` for reading when it is a regular file. O_NONBLOCK keeps the open of a pipe
// from waiting for a writer; it changes nothing for a regular file.
FileResult openRegularFile(const std::string& path, int& fd, struct stat& st) {
    fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return failure(errno);
    }
    if (::fstat(fd, &st) != 0) {
        const int err = errno;
        ::close(fd);
        return failure(err);
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        return {FileError::AccessDenied, S_ISDIR(st.st_mode) ? EISDIR : EINVAL};
    }
    return {};
}

// Reads up to `limit` bytes from `fd` into `out`, in pieces of at most 64 KiB. `more` is set
// when the file goes on past the limit.
FileResult readUpTo(int fd, std::size_t limit, std::vector<std::uint8_t>& out, bool& more) {
    more = false;
    std::uint8_t buffer[65536];
    for (;;) {
        // One byte past the limit tells a file that is exactly `limit` long from a longer one.
        const std::size_t room = limit - out.size();
        const std::size_t want = room < sizeof buffer ? room + 1 : sizeof buffer;
        const ssize_t n = ::read(fd, buffer, want);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return failure(errno);
        }
        if (n == 0) {
            return {};
        }
        const auto got = static_cast<std::size_t>(n);
        if (got > room) {
            out.insert(out.end(), buffer, buffer + room);
            more = true;
            return {};
        }
        out.insert(out.end(), buffer, buffer + got);
    }
}

} // namespace

FileResult writeFileAtomically(const std::string& requestedPath,
                               std::span<const std::uint8_t> bytes, const WriteFaults& faults) {
    const long long failAfter = faults.failAfterBytes;
    std::string path;
    if (const FileResult r = resolveWriteTarget(requestedPath, path); !r) {
        return r;
    }
    struct stat existing {};
    mode_t mode = 0666 & ~currentUmask();
    if (::stat(path.c_str(), &existing) == 0) {
        if (S_ISDIR(existing.st_mode)) {
            return {FileError::AccessDenied, EISDIR};
        }
        mode = existing.st_mode & 07777;
    }

    std::string tmp = path + ".XXXXXX";
    const int fd = ::mkstemp(tmp.data());
    if (fd < 0) {
        return failure(errno);
    }
    auto abandon = [&](int err) {
        ::close(fd);
        ::unlink(tmp.c_str());
        return failure(err);
    };

    std::size_t written = 0;
    while (written < bytes.size()) {
        std::size_t chunk = bytes.size() - written;
        if (failAfter >= 0) {
            const auto limit = static_cast<std::size_t>(failAfter);
            if (written >= limit) {
                return abandon(ENOSPC);
            }
            chunk = std::min(chunk, limit - written);
        }
        const ssize_t n = ::write(fd, bytes.data() + written, chunk);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return abandon(errno);
        }
        written += static_cast<std::size_t>(n);
    }
    if (::fchmod(fd, mode) != 0 || ::fsync(fd) != 0) {
        return abandon(errno);
    }
    if (::close(fd) != 0) {
        const int err = errno;
        ::unlink(tmp.c_str());
        return failure(err);
    }
    if (::rename(tmp.c_str(), path.c_str()) != 0) {
        const int err = errno;
        ::unlink(tmp.c_str());
        return failure(err);
    }
    return {};
}

FileResult readWholeFile(const std::string& path, std::vector<std::uint8_t>& out,
                         std::size_t maxBytes) {
    out.clear();
    int fd = -1;
    struct stat st {};
    if (const FileResult r = openRegularFile(path, fd, st); !r) {
        return r;
    }
    if (static_cast<std::uint64_t>(st.st_size) > maxBytes) {
        ::close(fd);
        return {FileError::TooLarge, EFBIG};
    }
    bool more = false;
    const FileResult r = readUpTo(fd, maxBytes, out, more);
    ::close(fd);
    if (r && more) { // the file grew while it was read
        out.clear();
        return {FileError::TooLarge, EFBIG};
    }
    if (!r) {
        out.clear();
    }
    return r;
}

FileResult readFileStart(const std::string& path, std::size_t maxBytes,
                         std::vector<std::uint8_t>& out, std::uint64_t* fileSize) {
    out.clear();
    int fd = -1;
    struct stat st {};
    if (const FileResult r = openRegularFile(path, fd, st); !r) {
        return r;
    }
    if (fileSize != nullptr) {
        *fileSize = static_cast<std::uint64_t>(st.st_size);
    }
    bool more = false;
    const FileResult r = readUpTo(fd, maxBytes, out, more);
    ::close(fd);
    if (!r) {
        out.clear();
    }
    return r;
}

FileResult readFileInChunks(const std::string& path,
                            const std::function<bool(std::span<const std::uint8_t>)>& onChunk) {
    int fd = -1;
    struct stat st {};
    if (const FileResult r = openRegularFile(path, fd, st); !r) {
        return r;
    }
    std::uint8_t buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            const int err = errno;
            ::close(fd);
            return failure(err);
        }
        if (n == 0 || !onChunk({buffer, static_cast<std::size_t>(n)})) {
            break;
        }
    }
    ::close(fd);
    return {};
}

} // namespace fcw
