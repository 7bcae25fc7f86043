#pragma once

#include <set>
#include <string>

namespace fcw {

// Lock files for the platform without a window, in the layout the window's toolkit uses: the
// owner's process id, the program's file name and the host name, one per line. A lock whose owner
// on this host no longer runs is stale and is taken over; one written on another host is
// respected, since its owner cannot be asked.
class PidLocks {
  public:
    PidLocks() = default;
    PidLocks(const PidLocks&) = delete;
    PidLocks& operator=(const PidLocks&) = delete;
    // Locks still held stay on disk and turn stale when the process ends, as after a crash:
    // a clean exit releases its locks itself.
    ~PidLocks() = default;

    // True when this process holds `path` afterwards.
    bool tryLock(const std::string& path);
    void release(const std::string& path);

  private:
    std::set<std::string> held_;
};

} // namespace fcw
