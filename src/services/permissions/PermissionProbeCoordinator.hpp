#pragma once
// Runs the slow permission probes away from the main thread, one run at a
// time: the Full Disk Access test and the Accessibility check run on the
// coordinator's own serial executor, the waits between them on the main
// thread's timers, so neither a test nor a wait ever blocks the main thread.
// A run asked for while another is under way starts when that one has ended.
// Called and answering on the main thread.

#include "platform/accessibility/AccessibilityTrust.hpp"
#include "platform/concurrency/Clock.hpp"
#include "platform/concurrency/Executor.hpp"
#include "platform/concurrency/MainThreadCallbacks.hpp"
#include "platform/concurrency/SerialExecutor.hpp"
#include "services/permissions/FullDiskAccessProbe.hpp"

#include <deque>
#include <functional>
#include <memory>

namespace zentrel::services {

enum class ProbeResult { granted, denied, notProbed };

struct PermissionProbeResults {
    ProbeResult fullDiskAccess = ProbeResult::notProbed;
    ProbeResult accessibility = ProbeResult::notProbed;
};

class PermissionProbeCoordinator final {
public:
    using Done = std::function<void(PermissionProbeResults)>;

    // The wait before the Accessibility check of a run that also tests Full
    // Disk Access, whatever delay it was given.
    static constexpr platform::Duration kWaitAfterFullDiskAccess = std::chrono::milliseconds(150);

    PermissionProbeCoordinator(platform::Executor& pool, platform::MainQueue& main, platform::TimerScheduler& timers,
                               const FullDiskAccessProbe& fullDiskAccess, platform::AccessibilityTrust& accessibility);
    PermissionProbeCoordinator(const PermissionProbeCoordinator&) = delete;
    PermissionProbeCoordinator& operator=(const PermissionProbeCoordinator&) = delete;

    // Probes what is asked for; `delay` is the wait before an Accessibility
    // check that runs alone. `done` gets both results on the main thread.
    void probe(bool fullDiskAccess, bool accessibility, platform::Duration delay, Done done);

    [[nodiscard]] bool isRunning() const { return current_ != nullptr; }

private:
    struct Run {
        bool fullDiskAccess;
        bool accessibility;
        platform::Duration delay;
        Done done;
        PermissionProbeResults results;
    };

    void startNext();
    void testFullDiskAccess();
    void waitBeforeAccessibility();
    void checkAccessibility();
    void finish();
    // Runs `work` on the executor and `then` back on the main thread, unless
    // this coordinator is gone by then.
    template <class Work, class Then>
    void runProbe(Work work, Then then);

    platform::MainQueue& main_;
    platform::TimerScheduler& timers_;
    const FullDiskAccessProbe& fullDiskAccess_;
    platform::AccessibilityTrust& accessibility_;
    platform::SerialExecutor executor_;
    std::deque<Run> pending_;
    std::unique_ptr<Run> current_;
    platform::Timer wait_;
    platform::MainThreadCallbacks callbacks_;
};

}  // namespace zentrel::services
