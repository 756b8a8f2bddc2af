#include "viewmodels/BoostViewModel.hpp"

#include "platform/text/Localization.hpp"
#include "services/processes/CpuPercent.hpp"

#include <algorithm>

namespace zentrel::viewmodels {

using services::BoostProcess;

std::string BoostViewModel::rawValue(SortMode mode) { return mode == SortMode::memory ? "memory" : "cpu"; }

std::string BoostViewModel::title(SortMode mode) {
    return platform::localized(mode == SortMode::memory ? "Memory" : N_("CPU"));
}

BoostViewModel::BoostViewModel(services::ProcessSampler& sampler, const platform::Clock& clock,
                               platform::TimerScheduler& scheduler)
    : sampler_(sampler), clock_(clock), scheduler_(scheduler), prevSampleTime_(clock.now()) {}

void BoostViewModel::start() {
    if (loop_.isActive()) return;
    refresh();
    loop_ = scheduler_.scheduleRepeating(kRefreshInterval, [this] { refresh(); });
}

void BoostViewModel::stop() { loop_.cancel(); }

void BoostViewModel::updateSystemCPU() {
    const auto ticks = sampler_.sampleCPULoadTicks();
    if (!ticks) return;
    if (prevCPUTicks_) {
        // Unsigned differences, so a counter that wrapped still counts forward.
        const std::uint64_t total = ticks->total - prevCPUTicks_->total;
        const std::uint64_t busy = ticks->busy - prevCPUTicks_->busy;
        if (total != 0)
            systemCPU.set(std::clamp(static_cast<double>(busy) / static_cast<double>(total), 0.0, 1.0));
    }
    prevCPUTicks_ = ticks;
}

void BoostViewModel::refresh() {
    memory.set(sampler_.readMemorySnapshot());
    updateSystemCPU();

    const platform::Date now = clock_.now();
    const double elapsedNanos = std::max(now.timeIntervalSince(prevSampleTime_) * 1e9, 1.0);
    auto samples = sampler_.sampleAllProcesses();
    const auto applications = sampler_.runningAppsByPID();
    const std::int32_t ownPid = sampler_.currentPid();
    const int processors = sampler_.activeProcessorCount();
    processors_ = std::max(processors, 1);

    std::vector<BoostProcess> rows;
    rows.reserve(samples.size());
    for (const auto& [pid, sample] : samples) {
        BoostProcess row;
        row.pid = pid;
        auto previous = prevSamples_.find(pid);
        row.cpuPercent = services::cpuPercent(previous == prevSamples_.end() ? nullptr : &previous->second, sample,
                                              elapsedNanos, processors);
        if (auto application = applications.find(pid); application != applications.end()) {
            // A name that stays empty here is looked up below, once the row is known to be shown.
            row.name = application->second.localizedName.value_or("");
            row.bundleID = application->second.bundleIdentifier;
            row.isApp = true;
            row.isActive = application->second.isActive;
        }
        row.residentBytes = sample.residentBytes;
        row.isCurrentApp = pid == ownPid;
        row.startTime = sample.startTime;
        rows.push_back(std::move(row));
    }
    auto visible = visibleProcesses(std::move(rows));
    for (auto& row : visible) {
        if (row.name.empty()) row.name = sampler_.processName(row.pid);
    }

    std::map<std::int32_t, std::string> icons;
    for (const auto& row : visible) {
        if (!row.isApp) continue;
        auto application = applications.find(row.pid);
        if (application != applications.end() && application->second.icon) icons[row.pid] = *application->second.icon;
    }
    processes.set(std::move(visible));
    processIcons.set(std::move(icons));

    // Processes that ended leave the selection, and so do pids that another
    // process has taken since the last refresh.
    selectedPIDs.modify([&](std::set<std::int32_t>& selected) {
        std::erase_if(selected, [&](std::int32_t pid) {
            auto now = samples.find(pid);
            if (now == samples.end()) return true;
            auto before = prevSamples_.find(pid);
            return before != prevSamples_.end() && before->second.startTime != now->second.startTime;
        });
    });
    prevSamples_ = std::move(samples);
    prevSampleTime_ = now;
    sampled_ = true;
}

std::vector<BoostProcess> BoostViewModel::visibleProcesses(std::vector<BoostProcess> rows) const {
    if (!showBackground.get()) std::erase_if(rows, [](const BoostProcess& row) { return !row.isApp; });
    if (sortMode.get() == SortMode::memory) {
        std::stable_sort(rows.begin(), rows.end(),
                         [](const BoostProcess& a, const BoostProcess& b) { return a.residentBytes > b.residentBytes; });
    } else {
        std::stable_sort(rows.begin(), rows.end(),
                         [](const BoostProcess& a, const BoostProcess& b) { return a.cpuPercent > b.cpuPercent; });
    }
    if (rows.size() > kDisplayLimit) rows.resize(kDisplayLimit);
    return rows;
}

void BoostViewModel::toggleSelection(const BoostProcess& process) {
    if (!process.isApp || process.isCurrentApp) return;
    selectedPIDs.modify([&](std::set<std::int32_t>& selected) {
        if (!selected.erase(process.pid)) selected.insert(process.pid);
    });
}

void BoostViewModel::selectHeavyApps(int thresholdMB) {
    const std::int64_t threshold = static_cast<std::int64_t>(thresholdMB) * 1'000'000;
    std::set<std::int32_t> heavy;
    for (const auto& row : selectableApps()) {
        if (!row.isActive && row.residentBytes >= threshold) heavy.insert(row.pid);
    }
    selectedPIDs.set(std::move(heavy));
}

void BoostViewModel::clearSelection() {
    selectedPIDs.modify([](std::set<std::int32_t>& selected) { selected.clear(); });
}

std::vector<BoostProcess> BoostViewModel::selectableApps() const {
    std::vector<BoostProcess> apps;
    for (const auto& row : processes.get()) {
        if (row.isApp && !row.isCurrentApp) apps.push_back(row);
    }
    return apps;
}

int BoostViewModel::selectedCount() const {
    const auto apps = selectableApps();
    return static_cast<int>(std::count_if(apps.begin(), apps.end(),
                                          [&](const BoostProcess& row) { return selectedPIDs.get().contains(row.pid); }));
}

std::int64_t BoostViewModel::selectedBytes() const {
    std::int64_t bytes = 0;
    for (const auto& row : selectableApps()) {
        if (selectedPIDs.get().contains(row.pid)) bytes += row.residentBytes;
    }
    return bytes;
}

std::vector<BoostProcess> BoostViewModel::selectedApps() const {
    std::vector<BoostProcess> selected;
    for (const auto& row : selectableApps()) {
        if (selectedPIDs.get().contains(row.pid)) selected.push_back(row);
    }
    return selected;
}

void BoostViewModel::boostSelected() { boostSelected(selectedApps()); }

void BoostViewModel::boostSelected(const std::vector<BoostProcess>& confirmed) {
    if (settle_.isActive()) return;
    std::vector<BoostProcess> targets;
    for (const auto& row : confirmed) {
        if (row.isApp && !row.isCurrentApp) targets.push_back(row);
    }
    if (targets.empty()) return;

    boostState.set(BoostState::boosting());
    const services::MemorySnapshot before = memory.get();
    // Exactly the rows the user chose; whether each request was delivered does
    // not change the count.
    (void)sampler_.quitProcesses(targets);
    const int count = static_cast<int>(targets.size());
    settle_ = scheduler_.scheduleOnce(kSettleWait, [this, before, count] { finishBoost(before, count); });
}

void BoostViewModel::finishBoost(services::MemorySnapshot before, int count) {
    settle_.cancel();  // fired: the next boost may start
    refresh();
    const auto& after = memory.get();
    const std::int64_t freed = std::max({after.free - before.free, before.used - after.used, std::int64_t{0}});
    clearSelection();
    boostState.set(BoostState::done(freed, count));
}

}  // namespace zentrel::viewmodels
