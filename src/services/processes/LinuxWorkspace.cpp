#include "services/processes/LinuxWorkspace.hpp"

#include "services/processes/Procfs.hpp"
#include "services/processes/SmallFile.hpp"

#include <algorithm>
#include <csignal>
#include <map>

#include <sys/stat.h>

namespace zentrel::services {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kLaunchedFile = "GIO_LAUNCHED_DESKTOP_FILE=";
constexpr std::string_view kLaunchedPid = "GIO_LAUNCHED_DESKTOP_FILE_PID=";

// The lower-case file name of the program in a command line: its first
// argument, cut before any arguments a program wrote into it.
std::string programName(std::string_view commandLine) {
    std::string_view first = commandLine.substr(0, commandLine.find('\0'));
    if (const auto options = first.find(" -"); options != std::string_view::npos) first = first.substr(0, options);
    if (const auto slash = first.rfind('/'); slash != std::string_view::npos) first = first.substr(slash + 1);
    std::string name(first);
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); });
    return name;
}

// The value of one variable in a NUL-separated environment block.
std::string_view environmentValue(std::string_view environment, std::string_view prefix) {
    while (!environment.empty()) {
        const auto end = environment.find('\0');
        const std::string_view variable = environment.substr(0, end);
        if (variable.starts_with(prefix)) return variable.substr(prefix.size());
        environment = end == std::string_view::npos ? std::string_view{} : environment.substr(end + 1);
    }
    return {};
}

}  // namespace

std::vector<fs::path> LinuxWorkspace::applicationFoldersFor(const fs::path& dataHome, const fs::path& systemRoot) {
    return {dataHome / "applications", dataHome / "flatpak/exports/share/applications",
            systemRoot / "var/lib/flatpak/exports/share/applications", systemRoot / "usr/local/share/applications",
            systemRoot / "usr/share/applications"};
}

LinuxWorkspace::LinuxWorkspace(Options options, ProcessSignaller& signaller)
    : procRoot_(options.procRoot.string()),
      userId_(options.userId),
      display_(std::move(options.display)),
      waylandDisplay_(std::move(options.waylandDisplay)),
      activeProcess_(options.activeProcess),
      signaller_(signaller),
      index_(std::move(options.applicationFolders), std::move(options.language)) {}

const DesktopEntry* LinuxWorkspace::entryOfProcess(const std::string& folder, std::int32_t pid) const {
    const auto commandLine = readSmallFile(folder + "/cmdline");
    // Kernel threads have no command line; neither have ended processes.
    if (!commandLine || commandLine->empty()) return nullptr;
    if (const auto* entry = index_.entryForProgram(programName(*commandLine))) return entry;

    const auto environment = readSmallFile(folder + "/environ");
    if (!environment) return nullptr;
    if (environmentValue(*environment, kLaunchedPid) != std::to_string(pid)) return nullptr;
    const std::string_view launchedFile = environmentValue(*environment, kLaunchedFile);
    return launchedFile.empty() ? nullptr : index_.entryForFile(fs::path(launchedFile));
}

bool LinuxWorkspace::isOfAnotherSession(const std::string& folder) const {
    if (display_.empty() && waylandDisplay_.empty()) return false;
    const auto environment = readSmallFile(folder + "/environ");
    if (!environment) return false;
    // A process shows where its display variables say; one without them shows nowhere else.
    const auto differs = [&](std::string_view prefix, const std::string& own) {
        const auto value = environmentValue(*environment, prefix);
        return !own.empty() && !value.empty() && value != own;
    };
    return differs("DISPLAY=", display_) || differs("WAYLAND_DISPLAY=", waylandDisplay_);
}

std::vector<RunningApplication> LinuxWorkspace::runningApplications() const {
    index_.refresh();
    std::map<std::int32_t, Candidate> candidates;
    for (const std::int32_t pid : procfs::listProcessIds(procRoot_)) {
        const std::string folder = procRoot_ + "/" + std::to_string(pid);
        struct stat status {};
        if (::stat(folder.c_str(), &status) != 0 || status.st_uid != userId_) continue;
        const DesktopEntry* entry = entryOfProcess(folder, pid);
        if (entry == nullptr || isOfAnotherSession(folder)) continue;
        const auto stat = readSmallFile(folder + "/stat");
        if (!stat) continue;
        const auto fields = procfs::statFieldsAfterName(*stat);
        if (fields.size() < 2) continue;
        const auto parent = procfs::parseUnsigned(fields[1]);
        const bool ended = fields[0] == "Z" || fields[0] == "X";
        candidates.emplace(pid, Candidate{entry, static_cast<std::int32_t>(parent.value_or(0)), ended,
                                          procfs::startTime(*stat).value_or(0)});
    }

    // A helper process in front stands for the application that started it.
    const auto front = activeProcess_ != nullptr ? activeProcess_->current() : std::nullopt;
    std::int32_t active = front.value_or(-1);  // no pid is negative
    for (auto found = candidates.find(active); found != candidates.end();) {
        auto parent = candidates.find(found->second.parentPid);
        if (parent == candidates.end() || parent->second.entry != found->second.entry) break;
        active = parent->first;
        found = parent;
    }

    std::vector<RunningApplication> applications;
    for (const auto& [pid, candidate] : candidates) {
        auto parent = candidates.find(candidate.parentPid);
        if (parent != candidates.end() && parent->second.entry == candidate.entry) continue;
        RunningApplication application;
        application.processIdentifier = pid;
        application.localizedName = candidate.entry->name;
        application.bundleIdentifier = candidate.entry->id;
        application.icon = candidate.entry->icon;
        application.isTerminated = candidate.isTerminated;
        application.startTime = candidate.startTime;
        application.isActive = active == pid;
        applications.push_back(std::move(application));
    }
    return applications;
}

bool LinuxWorkspace::terminate(const RunningApplication& application, bool force) {
    const std::int32_t pid = application.processIdentifier;
    const int signal = force ? SIGKILL : SIGTERM;
    if (application.startTime == 0) return signaller_.send(pid, signal);
    return signaller_.sendIf(pid, signal, [&] {
        const auto stat = readSmallFile(procRoot_ + "/" + std::to_string(pid) + "/stat");
        return stat && procfs::startTime(*stat) == application.startTime;
    });
}

}  // namespace zentrel::services
