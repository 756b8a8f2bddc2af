#include "services/permissions/PermissionProbeCoordinator.hpp"

namespace zentrel::services {

namespace {
ProbeResult resultOf(bool granted) { return granted ? ProbeResult::granted : ProbeResult::denied; }
}  // namespace

PermissionProbeCoordinator::PermissionProbeCoordinator(platform::Executor& pool, platform::MainQueue& main,
                                                       platform::TimerScheduler& timers,
                                                       const FullDiskAccessProbe& fullDiskAccess,
                                                       platform::AccessibilityTrust& accessibility)
    : main_(main), timers_(timers), fullDiskAccess_(fullDiskAccess), accessibility_(accessibility), executor_(pool),
      callbacks_(main) {}

void PermissionProbeCoordinator::probe(bool fullDiskAccess, bool accessibility, platform::Duration delay, Done done) {
    pending_.push_back({fullDiskAccess, accessibility, delay, std::move(done), {}});
    if (!current_) startNext();
}

template <class Work, class Then>
void PermissionProbeCoordinator::runProbe(Work work, Then then) {
    executor_.run(main_, std::move(work), callbacks_.guard(std::move(then)));
}

void PermissionProbeCoordinator::startNext() {
    if (pending_.empty()) return;
    current_ = std::make_unique<Run>(std::move(pending_.front()));
    pending_.pop_front();
    if (current_->fullDiskAccess) {
        testFullDiskAccess();
    } else {
        waitBeforeAccessibility();
    }
}

void PermissionProbeCoordinator::testFullDiskAccess() {
    runProbe([&probe = fullDiskAccess_] { return probe.canReadProtectedFiles(); },
             [this](bool granted) {
                 current_->results.fullDiskAccess = resultOf(granted);
                 waitBeforeAccessibility();
             });
}

void PermissionProbeCoordinator::waitBeforeAccessibility() {
    if (!current_->accessibility) {
        finish();
        return;
    }
    const auto wait = current_->fullDiskAccess ? kWaitAfterFullDiskAccess : current_->delay;
    if (wait <= platform::Duration::zero()) {
        checkAccessibility();
        return;
    }
    wait_ = timers_.scheduleOnce(wait, [this] { checkAccessibility(); });
}

void PermissionProbeCoordinator::checkAccessibility() {
    runProbe([&trust = accessibility_] { return trust.isProcessTrusted(false); },
             [this](bool granted) {
                 current_->results.accessibility = resultOf(granted);
                 finish();
             });
}

void PermissionProbeCoordinator::finish() {
    auto run = std::move(current_);
    run->done(run->results);
    if (!current_) startNext();
}

}  // namespace zentrel::services
