#include "services/energy/PowercapEnergyReportSource.hpp"

#include "services/processes/Procfs.hpp"
#include "services/processes/SmallFile.hpp"

#include <algorithm>
#include <map>
#include <tuple>

namespace zentrel::services {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kZonePrefix = "intel-rapl:";
constexpr const char* kMicrojoules = "uJ";

std::optional<std::uint64_t> readNumber(const std::string& path) {
    const auto text = readSmallFile(path);
    return text ? procfs::parseUnsigned(*text) : std::nullopt;
}

std::string readName(const std::string& folder) {
    auto text = readSmallFile(folder + "/name").value_or("");
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
    return text;
}

// "intel-rapl:0" gives {0}; "intel-rapl:0:2" gives {0, 2}; anything else nothing.
std::vector<std::uint64_t> zoneNumbers(std::string_view name) {
    std::vector<std::uint64_t> numbers;
    if (!name.starts_with(kZonePrefix)) return {};
    name.remove_prefix(kZonePrefix.size());
    while (!name.empty()) {
        const auto colon = name.find(':');
        const auto number = procfs::parseUnsigned(name.substr(0, colon));
        if (!number || std::to_string(*number) != name.substr(0, colon)) return {};
        numbers.push_back(*number);
        name = colon == std::string_view::npos ? std::string_view{} : name.substr(colon + 1);
    }
    return numbers;
}

EnergyChannel channel(std::string name, int package, std::uint64_t microjoules) {
    return {std::string(kEnergyModelGroup), name + " " + std::to_string(package), kMicrojoules,
            static_cast<std::int64_t>(microjoules)};
}

}  // namespace

PowercapEnergyReportSource::PowercapEnergyReportSource(fs::path sysfsRoot)
    : powercapFolder_(std::move(sysfsRoot) / "class/powercap") {}

void PowercapEnergyReportSource::discoverZones() {
    zones_.clear();
    std::map<std::uint64_t, int> packageOfTopZone;  // top zone number to package index
    std::vector<std::pair<std::vector<std::uint64_t>, std::string>> subzones;
    std::error_code error;
    for (fs::directory_iterator it(powercapFolder_, error), end; !error && it != end; it.increment(error)) {
        const auto numbers = zoneNumbers(it->path().filename().string());
        const std::string folder = it->path().string();
        if (numbers.size() == 2) subzones.emplace_back(numbers, folder);
        if (numbers.size() != 1) continue;
        // Top zones are packages ("package-0") or the platform ("psys"), which
        // overlaps everything and is left out.
        const std::string name = readName(folder);
        const auto index = name.starts_with("package-") ? procfs::parseUnsigned(name.substr(8)) : std::nullopt;
        if (!index) continue;
        packageOfTopZone[numbers[0]] = static_cast<int>(*index);
        zones_.push_back({folder, ZoneKind::package, static_cast<int>(*index), 0});
    }
    for (const auto& [numbers, folder] : subzones) {
        auto package = packageOfTopZone.find(numbers[0]);
        if (package == packageOfTopZone.end()) continue;
        const std::string name = readName(folder);
        ZoneKind kind;
        if (name == "core") kind = ZoneKind::core;
        else if (name == "uncore") kind = ZoneKind::uncore;
        else if (name == "dram") kind = ZoneKind::dram;
        else continue;
        zones_.push_back({folder, kind, package->second, 0});
    }
    for (auto& zone : zones_) zone.range = readNumber(zone.folder + "/max_energy_range_uj").value_or(0);
    std::sort(zones_.begin(), zones_.end(), [](const Zone& a, const Zone& b) {
        return std::tie(a.package, a.kind, a.folder) < std::tie(b.package, b.kind, b.folder);
    });
}

std::optional<std::vector<EnergyChannel>> PowercapEnergyReportSource::copyChannels(std::string_view group) {
    if (group != kEnergyModelGroup) return std::nullopt;
    discoverZones();
    if (zones_.empty()) return std::nullopt;
    std::vector<EnergyChannel> channels;
    for (const auto& zone : zones_) {
        switch (zone.kind) {
        case ZoneKind::package: channels.push_back(channel("SOC Energy", zone.package, 0)); break;
        case ZoneKind::core: channels.push_back(channel("CPU Energy", zone.package, 0)); break;
        case ZoneKind::uncore: channels.push_back(channel("GPU Energy", zone.package, 0)); break;
        case ZoneKind::dram: channels.push_back(channel("DRAM Energy", zone.package, 0)); break;
        }
    }
    return channels;
}

bool PowercapEnergyReportSource::subscribe(const std::vector<EnergyChannel>& channels) {
    return !channels.empty() && !zones_.empty() && createSample().has_value();
}

std::optional<EnergySample> PowercapEnergyReportSource::createSample() {
    EnergySample sample;
    sample.reserve(zones_.size());
    for (const auto& zone : zones_) {
        const auto counter = readNumber(zone.folder + "/energy_uj");
        if (!counter) return std::nullopt;
        sample.push_back({"", zone.folder, kMicrojoules, static_cast<std::int64_t>(*counter)});
    }
    return sample;
}

std::optional<std::uint64_t> PowercapEnergyReportSource::spentBetween(const Zone& zone, std::int64_t earlier,
                                                                      std::int64_t later) const {
    const auto before = static_cast<std::uint64_t>(earlier);
    const auto after = static_cast<std::uint64_t>(later);
    if (after >= before) return after - before;
    // The counter wrapped: it ran up to its range, then on from 0.
    if (zone.range == 0 || before > zone.range) return std::nullopt;
    return zone.range - before + after + 1;
}

std::optional<std::vector<EnergyChannel>> PowercapEnergyReportSource::createDelta(const EnergySample& earlier,
                                                                                  const EnergySample& later) {
    if (earlier.size() != zones_.size() || later.size() != zones_.size()) return std::nullopt;
    struct PackageEnergy {
        std::uint64_t package = 0, core = 0, uncore = 0, dram = 0;
        bool hasCore = false, hasUncore = false, hasDram = false;
    };
    std::map<int, PackageEnergy> packages;
    for (std::size_t i = 0; i < zones_.size(); ++i) {
        const Zone& zone = zones_[i];
        if (earlier[i].name != zone.folder || later[i].name != zone.folder) return std::nullopt;
        const auto spent = spentBetween(zone, earlier[i].value, later[i].value);
        if (!spent) return std::nullopt;
        auto& energy = packages[zone.package];
        switch (zone.kind) {
        case ZoneKind::package: energy.package = *spent; break;
        case ZoneKind::core: energy.core = *spent; energy.hasCore = true; break;
        case ZoneKind::uncore: energy.uncore = *spent; energy.hasUncore = true; break;
        case ZoneKind::dram: energy.dram = *spent; energy.hasDram = true; break;
        }
    }
    std::vector<EnergyChannel> channels;
    for (const auto& [package, energy] : packages) {
        if (energy.hasCore) channels.push_back(channel("CPU Energy", package, energy.core));
        if (energy.hasUncore) channels.push_back(channel("GPU Energy", package, energy.uncore));
        if (energy.hasDram) channels.push_back(channel("DRAM Energy", package, energy.dram));
        const std::uint64_t inner = energy.core + energy.uncore;
        channels.push_back(channel("SOC Energy", package, energy.package > inner ? energy.package - inner : 0));
    }
    return channels;
}

}  // namespace zentrel::services
