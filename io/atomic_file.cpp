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

} // namespace

FileResult writeFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes,
                               const WriteFaults& faults) {
    const long long failAfter = faults.failAfterBytes;
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

FileResult readWholeFile(const std::string& path, std::vector<std::uint8_t>& out) {
    out.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return failure(errno);
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        const int err = errno;
        ::close(fd);
        return failure(err);
    }
    if (S_ISDIR(st.st_mode)) {
        ::close(fd);
        return {FileError::AccessDenied, EISDIR};
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
        if (n == 0) {
            break;
        }
        out.insert(out.end(), buffer, buffer + n);
    }
    ::close(fd);
    return {};
}

} // namespace fcw
