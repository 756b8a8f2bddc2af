#include "ui/presenters/MemorySectionPresenter.hpp"

#include "platform/text/ByteCountFormatter.hpp"
#include "platform/text/Localization.hpp"
#include "services/processes/TopProcesses.hpp"

#include <algorithm>

namespace zentrel::ui {
namespace {

std::string memorySize(std::int64_t bytes) {
    return platform::formatByteCount(bytes, platform::ByteCountStyle::memory);
}

std::string pressureLabel(services::MemoryPressure pressure) {
    switch (pressure) {
    case services::MemoryPressure::normal: return platform::localized("Normal");
    case services::MemoryPressure::warning: return platform::localized("Warning");
    case services::MemoryPressure::critical: return platform::localized("Critical");
    }
    return {};
}

}  // namespace

MemorySectionPresenter::MemorySectionPresenter(services::ProcessSampler& sampler, std::function<bool()> isFocusActive,
                                               const platform::DefaultsStore& defaults)
    : sampler_(sampler), isFocusActive_(std::move(isFocusActive)), defaults_(defaults) {}

bool MemorySectionPresenter::calmsDuringFocus() const {
    return isFocusActive_() && defaults_.boolean(kFocusAutoCalmKey);
}

void MemorySectionPresenter::open() {
    memory_ = sampler_.readMemorySnapshot();
    if (calmsDuringFocus()) {
        topApps_ = services::topProcesses(sampler_, {}, sampler_.clock().now(), kHeavyApps);
    } else if (memory_.pressure() != services::MemoryPressure::normal) {
        // The application in front is never offered for quitting.
        topApps_ = sampler_.listBoostProcesses(kHeavyApps + 1);
        std::erase_if(topApps_, [](const services::BoostProcess& row) { return row.isActive; });
        if (topApps_.size() > kHeavyApps) topApps_.resize(kHeavyApps);
    } else {
        topApps_.clear();
    }
    icons_.clear();
    for (const auto& app : topApps_) icons_[app.pid] = sampler_.appIcon(app.pid);
}

MemorySectionContent MemorySectionPresenter::content() const {
    MemorySectionContent content;
    content.pressure = memory_.pressure();
    content.pressureLabel = pressureLabel(content.pressure);
    if (memory_.total > 0 && memory_.used >= 0)
        content.usedFraction =
            std::min(static_cast<double>(memory_.used) / static_cast<double>(memory_.total), 1.0);
    content.accessibleLabel =
        platform::localizedFormat("%@ of %@ RAM used", {memorySize(memory_.used), memorySize(memory_.total)});
    // The list may stay filled but hidden, as when a quit brings the pressure back to normal.
    if (content.pressure == services::MemoryPressure::normal && !calmsDuringFocus()) return content;
    for (const auto& app : topApps_) {
        const auto size = memorySize(app.residentBytes);
        content.heavyApps.push_back({app.pid, app.name, size,
                                     platform::localizedFormat("Quits %@, using %@ of memory.", {app.name, size}),
                                     icons_.contains(app.pid) ? icons_.at(app.pid) : std::nullopt});
    }
    return content;
}

void MemorySectionPresenter::quit(std::int32_t pid) {
    const auto row = std::find_if(topApps_.begin(), topApps_.end(), [pid](const auto& app) { return app.pid == pid; });
    if (row != topApps_.end()) (void)sampler_.quitProcesses({*row});
    std::erase_if(topApps_, [pid](const auto& app) { return app.pid == pid; });
    memory_ = sampler_.readMemorySnapshot();
}

}  // namespace zentrel::ui
