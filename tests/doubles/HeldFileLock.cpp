#include "doubles/HeldFileLock.hpp"

#include <csignal>
#include <fcntl.h>
#include <sched.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace zentrel::testing {

namespace {

// Locks `file`, tells `out` its own pid, and waits to be killed.
[[noreturn]] void holdLock(const char* file, int out) {
    const int fd = ::open(file, O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    const pid_t pid = fd >= 0 && ::fcntl(fd, F_SETLKW, &lock) == 0 ? ::getpid() : -1;
    (void)!::write(out, &pid, sizeof pid);
    for (;;) ::pause();
}

}  // namespace

HeldFileLock::HeldFileLock(const std::filesystem::path& file, bool ownPidNamespace) {
    int channel[2];
    int hostChannel[2];  // the holder's pid as this namespace numbers it
    if (::pipe2(channel, O_CLOEXEC) != 0) return;
    if (::pipe2(hostChannel, O_CLOEXEC) != 0) {
        ::close(channel[0]);
        ::close(channel[1]);
        return;
    }
    const auto path = file.string();
    child_ = ::fork();
    if (child_ == 0) {
        ::close(channel[0]);
        ::close(hostChannel[0]);
        pid_t holder = ::getpid();
        if (!ownPidNamespace) {
            (void)!::write(hostChannel[1], &holder, sizeof holder);
            holdLock(path.c_str(), channel[1]);
        }
        const pid_t failed = -1;
        // The first child after unshare is the new namespace's first process.
        holder = ::unshare(CLONE_NEWPID) == 0 ? ::fork() : -1;
        if (holder == 0) {
            ::prctl(PR_SET_PDEATHSIG, SIGKILL);  // never outlives the child that made it
            holdLock(path.c_str(), channel[1]);
        }
        (void)!::write(hostChannel[1], &holder, sizeof holder);
        if (holder < 0) {
            (void)!::write(channel[1], &failed, sizeof failed);
            ::_exit(1);
        }
        int status = 0;
        ::waitpid(holder, &status, 0);
        ::_exit(0);
    }
    ::close(channel[1]);
    ::close(hostChannel[1]);
    pid_t pid = -1;
    pid_t holder = -1;
    const bool told = child_ > 0 && ::read(channel[0], &pid, sizeof pid) == static_cast<ssize_t>(sizeof pid) &&
                      ::read(hostChannel[0], &holder, sizeof holder) == static_cast<ssize_t>(sizeof holder);
    ::close(channel[0]);
    ::close(hostChannel[0]);
    holder_ = holder;
    if (!told || pid < 0 || holder <= 0) {
        release();
        return;
    }
    innerPid_ = pid;
}

void HeldFileLock::release() {
    if (child_ <= 0) return;
    // The child (or, in a namespace of its own, the holder it waits for) ends
    // once the holder and its lock are gone.
    ::kill(holder_ > 0 ? holder_ : child_, SIGKILL);
    ::waitpid(child_, nullptr, 0);
    child_ = -1;
    holder_ = -1;
}

HeldFileLock::~HeldFileLock() { release(); }

}  // namespace zentrel::testing
