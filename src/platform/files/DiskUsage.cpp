#include "platform/files/DiskUsage.hpp"

#include "platform/files/ReadFailures.hpp"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <condition_variable>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>

namespace zentrel::platform {

namespace {

bool isDotOrDotDot(const char* name) {
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

// Tells of an entry of an open folder that could not be opened, by the
// folder's path as the kernel knows it.
void noteFailureBelow(int folder, const char* name, int error) {
    char path[PATH_MAX];
    const auto length = ::readlink(("/proc/self/fd/" + std::to_string(folder)).c_str(), path, sizeof path - 1);
    if (length <= 0) return;
    noteReadFailure(std::string(path, static_cast<std::size_t>(length)) + "/" + name, error);
}

// The folders still to read, shared by the workers of one count.
class Sizing {
public:
    Sizing(dev_t device, int root) : device_(device), queue_{root} {}

    // Takes folders until none is queued or being read.
    void work() {
        for (;;) {
            int folder = -1;
            {
                std::unique_lock lock(mutex_);
                ++idle_;
                changed_.wait(lock, [&] { return !queue_.empty() || pending_ == 0; });
                --idle_;
                if (queue_.empty()) return;
                folder = queue_.back();
                queue_.pop_back();
            }
            std::int64_t sum = 0;
            sizeFolder(folder, sum);
            total_ += sum;
            std::lock_guard lock(mutex_);
            if (--pending_ == 0) changed_.notify_all();
        }
    }

    [[nodiscard]] std::int64_t total() const { return total_.load(); }

private:
    // Adds what the open folder holds to `sum`; takes over the descriptor.
    void sizeFolder(int fd, std::int64_t& sum) {
        DIR* dir = ::fdopendir(fd);
        if (dir == nullptr) {
            ::close(fd);
            return;
        }
        const int dirFd = ::dirfd(dir);
        while (const dirent* entry = ::readdir(dir)) {
            if (isDotOrDotDot(entry->d_name)) continue;
            struct stat st {};
            if (::fstatat(dirFd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0 || st.st_dev != device_) continue;
            const bool folder = S_ISDIR(st.st_mode);
            if (!folder && st.st_nlink > 1 && !firstSight(st)) continue;
            sum += static_cast<std::int64_t>(st.st_blocks) * 512;
            if (!folder) continue;
            const int child = ::openat(dirFd, entry->d_name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            if (child < 0) {
                noteFailureBelow(dirFd, entry->d_name, errno);
                continue;
            }
            if (!handOver(child)) sizeFolder(child, sum);
        }
        ::closedir(dir);
    }

    // Queues the folder for a worker that waits for one; false when none waits.
    bool handOver(int fd) {
        if (idle_.load(std::memory_order_relaxed) == 0) return false;
        std::lock_guard lock(mutex_);
        if (queue_.size() >= static_cast<std::size_t>(idle_.load())) return false;
        queue_.push_back(fd);
        ++pending_;
        changed_.notify_one();
        return true;
    }

    // Whether a file with several names is met for the first time.
    bool firstSight(const struct stat& st) {
        std::lock_guard lock(linksMutex_);
        return linked_.emplace(st.st_dev, st.st_ino).second;
    }

    const dev_t device_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<int> queue_;
    std::size_t pending_ = 1;  // the root, queued
    std::atomic<int> idle_{0};  // workers waiting for a folder; changed under the mutex
    std::atomic<std::int64_t> total_{0};
    std::mutex linksMutex_;
    std::set<std::pair<dev_t, ino_t>> linked_;
};

}  // namespace

std::optional<std::int64_t> diskUsageOfFolder(const std::string& folder, Executor* workers, unsigned width) {
    const int root = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (root < 0) {
        noteReadFailure(folder, errno);
        return std::nullopt;
    }
    struct stat st {};
    if (::fstat(root, &st) != 0) {
        ::close(root);
        return std::nullopt;
    }
    auto sizing = std::make_shared<Sizing>(st.st_dev, root);
    if (width == 0) width = std::max(1u, std::thread::hardware_concurrency());
    for (unsigned i = 1; workers != nullptr && i < width; ++i) workers->submit([sizing] { sizing->work(); });
    sizing->work();
    return static_cast<std::int64_t>(st.st_blocks) * 512 + sizing->total();
}

}  // namespace zentrel::platform
