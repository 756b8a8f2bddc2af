#include "services/processes/ProcfsSystemStatistics.hpp"

#include "services/processes/Procfs.hpp"
#include "services/processes/SmallFile.hpp"

#include <algorithm>
#include <cctype>
#include <thread>

#include <unistd.h>

namespace zentrel::services {

namespace {

// Index of utime in the stat fields after the command name (field 14 of the
// format; stime follows it).
constexpr std::size_t kUserTimeField = 11;

std::int64_t orSystem(std::int64_t given, int name) {
    if (given > 0) return given;
    const long value = ::sysconf(name);
    return value > 0 ? value : 1;
}

}  // namespace

ProcfsSystemStatistics::ProcfsSystemStatistics(Options options)
    : root_(options.procRoot.string()),
      pageSize_(orSystem(options.pageSize, _SC_PAGESIZE)),
      ticksPerSecond_(orSystem(options.clockTicksPerSecond, _SC_CLK_TCK)),
      currentPid_(options.currentPid > 0 ? options.currentPid : static_cast<std::int32_t>(::getpid())) {}

std::string ProcfsSystemStatistics::processFile(std::int32_t pid, const char* name) const {
    std::string path = root_;
    path += '/';
    path += std::to_string(pid);
    path += '/';
    path += name;
    return path;
}

std::int64_t ProcfsSystemStatistics::physicalMemory() const {
    if (auto text = readSmallFile(root_ + "/meminfo")) {
        const auto values = procfs::parseMeminfo(*text);
        if (auto total = values.find("MemTotal"); total != values.end()) return total->second;
    }
    // The size of the machine is known even when meminfo is not readable.
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    return pages > 0 ? static_cast<std::int64_t>(pages) * pageSize_ : 0;
}

std::optional<MemoryCounters> ProcfsSystemStatistics::memoryCounters() const {
    const auto text = readSmallFile(root_ + "/meminfo");
    if (!text) return std::nullopt;
    const auto values = procfs::parseMeminfo(*text);
    auto required = [&](std::string_view key) -> std::optional<std::int64_t> {
        auto found = values.find(key);
        return found == values.end() ? std::nullopt : std::optional(found->second);
    };
    auto optional = [&](std::string_view key) { return required(key).value_or(0); };

    const auto free = required("MemFree");
    const auto activeAnon = required("Active(anon)");
    const auto inactiveAnon = required("Inactive(anon)");
    const auto activeFile = required("Active(file)");
    const auto inactiveFile = required("Inactive(file)");
    if (!free || !activeAnon || !inactiveAnon || !activeFile || !inactiveFile) return std::nullopt;

    MemoryCounters counters;
    counters.free = *free;
    // Memory the kernel holds for itself or that may never be paged out.
    counters.wired = optional("Unevictable") + optional("SUnreclaim") + optional("KernelStack") +
                     optional("PageTables");
    // The compressed pool of zswap, where the kernel has one.
    counters.compressed = optional("Zswap");
    counters.fileBacked = *activeFile + *inactiveFile;
    counters.anonymous = *activeAnon + *inactiveAnon;
    // Linux has no purgeable memory that it reports.
    counters.purgeable = 0;
    return counters;
}

std::optional<CpuTickCounters> ProcfsSystemStatistics::cpuTicks() const {
    const auto text = readSmallFile(root_ + "/stat");
    if (!text || !text->starts_with("cpu ")) return std::nullopt;
    const std::string_view line = std::string_view(*text).substr(0, text->find('\n'));
    // cpu user nice system idle iowait irq softirq steal ...
    std::vector<std::uint64_t> ticks;
    std::size_t position = 3;
    while (ticks.size() < 8) {
        position = line.find_first_not_of(' ', position);
        if (position == std::string_view::npos) break;
        const auto value = procfs::parseUnsigned(line.substr(position));
        if (!value) break;
        ticks.push_back(*value);
        position = line.find(' ', position);
    }
    if (ticks.size() < 4) return std::nullopt;
    ticks.resize(8, 0);
    CpuTickCounters counters;
    counters.user = ticks[0];
    counters.nice = ticks[1];
    // Interrupt and stolen time are busy time; waiting for I/O is idle time.
    counters.system = ticks[2] + ticks[5] + ticks[6] + ticks[7];
    counters.idle = ticks[3] + ticks[4];
    return counters;
}

int ProcfsSystemStatistics::activeProcessorCount() const {
    int count = 0;
    if (auto text = readSmallFile(root_ + "/stat")) {
        std::string_view rest = *text;
        while (!rest.empty()) {
            if (rest.starts_with("cpu") && rest.size() > 3 && std::isdigit(static_cast<unsigned char>(rest[3])))
                ++count;
            const auto end = rest.find('\n');
            rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
        }
    }
    if (count > 0) return count;
    return static_cast<int>(std::max(1U, std::thread::hardware_concurrency()));
}

std::vector<std::int32_t> ProcfsSystemStatistics::listPids() const {
    return procfs::listProcessIds(root_);
}

std::optional<TaskInfo> ProcfsSystemStatistics::taskInfo(std::int32_t pid) const {
    const auto stat = readSmallFile(processFile(pid, "stat"));
    const auto statm = readSmallFile(processFile(pid, "statm"));
    if (!stat || !statm) return std::nullopt;

    const auto fields = procfs::statFieldsAfterName(*stat);
    if (fields.size() <= kUserTimeField + 1) return std::nullopt;
    const auto userTicks = procfs::parseUnsigned(fields[kUserTimeField]);
    const auto systemTicks = procfs::parseUnsigned(fields[kUserTimeField + 1]);
    // statm: size resident shared text lib data dt, in pages.
    const std::string_view sizes = *statm;
    const auto space = sizes.find(' ');
    const auto residentPages =
        space == std::string_view::npos ? std::nullopt : procfs::parseUnsigned(sizes.substr(space + 1));
    if (!userTicks || !systemTicks || !residentPages) return std::nullopt;

    const std::uint64_t ticks = *userTicks + *systemTicks;
    const auto perSecond = static_cast<std::uint64_t>(ticksPerSecond_);
    TaskInfo info;
    info.residentBytes = static_cast<std::int64_t>(*residentPages) * pageSize_;
    info.cpuTimeNanos = ticks / perSecond * 1'000'000'000ULL + ticks % perSecond * 1'000'000'000ULL / perSecond;
    info.startTime = procfs::startTime(*stat).value_or(0);
    return info;
}

std::optional<std::string> ProcfsSystemStatistics::processName(std::int32_t pid) const {
    auto name = readSmallFile(processFile(pid, "comm"));
    if (!name) return std::nullopt;
    while (!name->empty() && (name->back() == '\n' || name->back() == '\0')) name->pop_back();
    if (name->empty()) return std::nullopt;
    return name;
}

}  // namespace zentrel::services
