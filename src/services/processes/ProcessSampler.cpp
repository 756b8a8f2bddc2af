#include "services/processes/ProcessSampler.hpp"

#include "services/processes/Utf8.hpp"

#include <algorithm>

namespace zentrel::services {

namespace {

bool requestQuit(Workspace& workspace, const RunningApplication& application, bool force) {
    if (application.isTerminated) return true;
    return workspace.terminate(application, force);
}

}  // namespace

ProcessSampler::ProcessSampler(SystemStatistics& statistics, Workspace& workspace, const platform::Clock& clock)
    : statistics_(statistics), workspace_(workspace), clock_(clock) {}

MemorySnapshot ProcessSampler::readMemorySnapshot() const {
    return MemorySnapshot::from(statistics_.physicalMemory(), statistics_.memoryCounters());
}

std::optional<CpuLoadTicks> ProcessSampler::sampleCPULoadTicks() const {
    const auto ticks = statistics_.cpuTicks();
    if (!ticks) return std::nullopt;
    CpuLoadTicks load;
    load.busy = ticks->user + ticks->system + ticks->nice;
    load.total = load.busy + ticks->idle;
    return load;
}

ProcessMap ProcessSampler::sampleAllProcesses() const {
    const auto pids = statistics_.listPids();
    ProcessMap samples;
    samples.reserve(pids.size());
    for (const std::int32_t pid : pids) {
        if (pid < 1) continue;
        const auto info = statistics_.taskInfo(pid);
        if (!info) continue;
        samples.insert_or_assign(pid, ProcessSample{pid, info->residentBytes, info->cpuTimeNanos, info->startTime});
    }
    return samples;
}

RunningApplicationMap ProcessSampler::runningAppsByPID() const {
    RunningApplicationMap applications;
    for (auto& application : workspace_.runningApplications())
        applications.insert_or_assign(application.processIdentifier, std::move(application));
    return applications;
}

std::optional<std::string> ProcessSampler::appIcon(std::int32_t pid) const {
    for (const auto& application : workspace_.runningApplications()) {
        if (application.processIdentifier == pid) return application.icon;
    }
    return std::nullopt;
}

std::string ProcessSampler::processName(std::int32_t pid) const {
    const auto name = statistics_.processName(pid);
    if (!name) return "PID " + std::to_string(pid);
    return replacingInvalidUtf8(name->substr(0, name->find('\0')));
}

std::vector<BoostProcess> ProcessSampler::listBoostProcesses(std::size_t limit) const {
    const std::int32_t ownPid = statistics_.currentPid();
    const auto samples = sampleAllProcesses();
    std::vector<BoostProcess> rows;
    if (samples.empty()) return rows;
    for (const auto& [pid, application] : runningAppsByPID()) {
        auto sample = samples.find(pid);
        if (sample == samples.end() || pid == ownPid) continue;
        BoostProcess row;
        row.pid = pid;
        row.name = application.localizedName ? *application.localizedName : processName(pid);
        row.bundleID = application.bundleIdentifier;
        row.residentBytes = sample->second.residentBytes;
        row.isApp = true;
        row.isActive = application.isActive;
        row.startTime = sample->second.startTime;
        rows.push_back(std::move(row));
    }
    std::stable_sort(rows.begin(), rows.end(),
                     [](const BoostProcess& a, const BoostProcess& b) { return a.residentBytes > b.residentBytes; });
    if (rows.size() > limit) rows.resize(limit);
    return rows;
}

bool ProcessSampler::terminateProcess(std::int32_t pid, bool force) {
    for (const auto& application : workspace_.runningApplications()) {
        if (application.processIdentifier == pid) return requestQuit(workspace_, application, force);
    }
    return false;
}

int ProcessSampler::quitProcesses(const std::vector<BoostProcess>& confirmed) {
    const auto applications = runningAppsByPID();
    int delivered = 0;
    for (const auto& row : confirmed) {
        auto application = applications.find(row.pid);
        if (application == applications.end()) continue;
        // A pid that now belongs to another process is left alone.
        const auto& current = application->second;
        if (row.bundleID && current.bundleIdentifier != row.bundleID) continue;
        if (current.localizedName.value_or(processName(row.pid)) != row.name) continue;
        if (row.startTime != 0 && current.startTime != 0 && current.startTime != row.startTime) continue;
        if (requestQuit(workspace_, current, false)) ++delivered;
    }
    return delivered;
}

}  // namespace zentrel::services
