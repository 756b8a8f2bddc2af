#pragma once
// A child process that holds an fcntl write lock on a file, as a running
// browser holds its profile's lock, until the object ends. With
// `ownPidNamespace` the holder runs in a pid namespace of its own, as a
// sandbox runs a browser; that needs the right to make one (root), else
// `started()` is false.

#include <filesystem>
#include <sys/types.h>

namespace zentrel::testing {

class HeldFileLock {
public:
    explicit HeldFileLock(const std::filesystem::path& file, bool ownPidNamespace = false);
    ~HeldFileLock();
    HeldFileLock(const HeldFileLock&) = delete;
    HeldFileLock& operator=(const HeldFileLock&) = delete;

    [[nodiscard]] bool started() const { return holder_ > 0; }
    // The holder's pid as its own namespace numbers it (1 in a namespace of its own).
    [[nodiscard]] pid_t pidInItsNamespace() const { return innerPid_; }
    // Ends the holder, which lets the lock go.
    void release();

private:
    pid_t child_ = -1;   // the process forked here
    pid_t holder_ = -1;  // the one holding the lock, as this namespace numbers it
    pid_t innerPid_ = -1;
};

}  // namespace zentrel::testing
