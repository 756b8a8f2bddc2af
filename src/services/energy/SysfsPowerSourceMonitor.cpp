#include "services/energy/SysfsPowerSourceMonitor.hpp"

#include "services/processes/SmallFile.hpp"

namespace zentrel::services {

namespace fs = std::filesystem;

namespace {

std::string attribute(const fs::path& supply, const char* name) {
    auto text = readSmallFile((supply / name).string()).value_or("");
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
    return text;
}

}  // namespace

SysfsPowerSourceMonitor::SysfsPowerSourceMonitor(fs::path sysfsRoot)
    : supplyFolder_(std::move(sysfsRoot) / "class/power_supply") {}

bool SysfsPowerSourceMonitor::isOnBatteryPower() const {
    bool discharging = false;
    std::error_code error;
    for (fs::directory_iterator it(supplyFolder_, error), end; !error && it != end; it.increment(error)) {
        const fs::path& supply = it->path();
        const std::string type = attribute(supply, "type");
        if (type.empty()) continue;
        if (type == "Battery") {
            if (attribute(supply, "scope") == "Device") continue;
            if (attribute(supply, "status") == "Discharging") discharging = true;
        } else if (attribute(supply, "online") == "1") {
            return false;
        }
    }
    return discharging;
}

}  // namespace zentrel::services
