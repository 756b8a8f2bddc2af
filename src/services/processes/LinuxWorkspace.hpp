#pragma once
// The running applications of a Linux desktop: this user's processes that run
// the program of an installed desktop entry, or that the desktop launched from
// one (it leaves GIO_LAUNCHED_DESKTOP_FILE and its pid in their environment).
// A helper process whose parent is the same application is not listed again,
// nor is an application of another session of the same user (one that shows
// on another display).
// Quitting sends SIGTERM, or SIGKILL when forced, through the signaller, and
// only while the pid still has the start time it was listed with.
// The frontmost application is the one whose process, or a helper process
// of it, the tracker names; without one, none is.

#include "services/apps/DesktopEntryIndex.hpp"
#include "services/processes/ActiveProcessTracker.hpp"
#include "services/processes/ProcessSignaller.hpp"
#include "services/processes/Workspace.hpp"

#include <filesystem>
#include <sys/types.h>

namespace zentrel::services {

class LinuxWorkspace final : public Workspace {
public:
    struct Options {
        std::filesystem::path procRoot = "/proc";
        // Where desktop entries live, the user's own first.
        std::vector<std::filesystem::path> applicationFolders;
        uid_t userId = 0;
        std::string language = "en";
        // The application in front; none can be where it is absent.
        const ActiveProcessTracker* activeProcess = nullptr;
        // This session's DISPLAY and WAYLAND_DISPLAY; empty ones match any.
        std::string display = {};
        std::string waylandDisplay = {};
    };

    // The folders of a home and system root: the user's data folder's
    // "applications", the user's and the system's flatpak exports, then
    // "usr/local/share/applications" and "usr/share/applications".
    [[nodiscard]] static std::vector<std::filesystem::path> applicationFoldersFor(
        const std::filesystem::path& dataHome, const std::filesystem::path& systemRoot);

    LinuxWorkspace(Options options, ProcessSignaller& signaller);

    [[nodiscard]] std::vector<RunningApplication> runningApplications() const override;
    bool terminate(const RunningApplication& application, bool force) override;
    [[nodiscard]] bool knowsActiveApplication() const override {
        return activeProcess_ != nullptr && activeProcess_->canTell();
    }

private:
    struct Candidate {
        const DesktopEntry* entry;
        std::int32_t parentPid;
        bool isTerminated;
        std::uint64_t startTime;
    };
    [[nodiscard]] const DesktopEntry* entryOfProcess(const std::string& folder, std::int32_t pid) const;
    [[nodiscard]] bool isOfAnotherSession(const std::string& folder) const;

    std::string procRoot_;
    uid_t userId_;
    std::string display_;
    std::string waylandDisplay_;
    const ActiveProcessTracker* activeProcess_;
    ProcessSignaller& signaller_;
    // Refreshed on each listing; the listing is a read of the workspace, so
    // the cache is mutable.
    mutable DesktopEntryIndex index_;
};

}  // namespace zentrel::services
