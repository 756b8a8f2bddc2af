#include "services/desktop/LaunchTiming.hpp"

#include "platform/files/AtomicFile.hpp"

#include <algorithm>
#include <iostream>
#include <string>

namespace zentrel::services {

LaunchTiming::LaunchTiming(const platform::Clock& clock, platform::DefaultsStore& defaults,
                           std::filesystem::path applicationSupport)
    : clock_(clock),
      defaults_(defaults),
      applicationSupport_(std::move(applicationSupport)),
      launchTime_(clock.now()) {}

void LaunchTiming::recordFirstInteractiveFrame() {
    if (recorded_) return;
    recorded_ = true;
    const double elapsed = clock_.now().timeIntervalSince1970() - launchTime_.timeIntervalSince1970();
    const double milliseconds = std::max(elapsed * 1000.0, 1.0);
    defaults_.setReal("lastColdLaunchMs", milliseconds);
    const auto whole = static_cast<long long>(milliseconds);
    if (!applicationSupport_.empty()) {
        std::error_code ignored;
        const auto& folder = applicationSupport_;
        std::filesystem::create_directories(folder, ignored);
        (void)platform::writeFileAtomically(folder / "lastColdLaunchMs.txt", std::to_string(whole));
    }
    std::clog << "first_interactive_frame: " << whole << " ms\n";
}

}  // namespace zentrel::services
