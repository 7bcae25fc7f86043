#pragma once

#include <string>

namespace fcw {

// What the running kernel lets a reading child be confined by.
struct SandboxSupport {
    bool syscallFilter = false; // seccomp: only the system calls a parse needs
    bool folderLimit = false;   // Landlock: reading only beneath one folder
};

// Asks the kernel, changing nothing in this process.
SandboxSupport sandboxSupport();

// Confines the calling process for good, before it parses untrusted bytes: no new privileges,
// then (where the kernel offers Landlock) reading limited to `readableFolder` and what lies
// beneath it (nothing at all when it is empty) and no change to any file, then (where it
// offers seccomp) a filter that lets through reading, writing and closing descriptors already
// held, opening files read-only, memory, time, futexes, signals to itself and exit. Every other
// system call (sockets, fork, exec, ptrace, opening for writing, renaming, removing, changing
// files) ends the process with SIGSYS. A mechanism the kernel lacks is skipped; false when one
// it offers could not be put in place, and then the caller must not parse.
bool enterSandbox(const std::string& readableFolder);

} // namespace fcw
