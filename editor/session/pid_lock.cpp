#include "editor/session/pid_lock.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <sys/types.h>
#include <unistd.h>

namespace fcw {

namespace {

std::string hostName() {
    char name[256] = {};
    if (::gethostname(name, sizeof name - 1) != 0) {
        return {};
    }
    return name;
}

// The running program's file name, which the window's toolkit compares with the process it
// finds under the pid.
std::string programName() {
    std::string buffer(4096, '\0');
    const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (n <= 0) {
        return "facetcraftwerk";
    }
    buffer.resize(static_cast<std::size_t>(n));
    return buffer.substr(buffer.find_last_of('/') + 1);
}

// Whether the lock at `path` belongs to a process that still runs (or cannot be checked).
bool ownerRuns(const std::string& path) {
    std::ifstream in(path);
    std::string pidLine;
    std::string appLine;
    std::string hostLine;
    std::getline(in, pidLine);
    std::getline(in, appLine);
    std::getline(in, hostLine);
    char* end = nullptr;
    const long pid = std::strtol(pidLine.c_str(), &end, 10);
    if (pidLine.empty() || *end != '\0' || pid <= 0) {
        return false; // unreadable: nobody can be holding it in this layout
    }
    if (!hostLine.empty() && hostLine != hostName()) {
        return true;
    }
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

} // namespace

bool PidLocks::tryLock(const std::string& path) {
    if (held_.count(path) != 0) {
        return true;
    }
    for (int attempt = 0; attempt < 2; ++attempt) {
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd >= 0) {
            const std::string text =
                std::to_string(::getpid()) + "\n" + programName() + "\n" + hostName() + "\n";
            const bool written =
                ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
            ::close(fd);
            if (!written) {
                ::unlink(path.c_str());
                return false;
            }
            held_.insert(path);
            return true;
        }
        if (errno != EEXIST || ownerRuns(path)) {
            return false;
        }
        ::unlink(path.c_str()); // stale: its owner is gone
    }
    return false;
}

void PidLocks::release(const std::string& path) {
    if (held_.erase(path) != 0) {
        ::unlink(path.c_str());
    }
}

} // namespace fcw
