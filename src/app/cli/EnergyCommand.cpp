// zentrel-cli energy: the package power over a short interval, or a plain
// statement that this machine gives no power readings, and the power source.

#include "app/cli/CliCommand.hpp"
#include "platform/concurrency/Clock.hpp"
#include "platform/text/Localization.hpp"
#include "platform/text/NumberFormatter.hpp"
#include "services/energy/PowercapEnergyReportSource.hpp"
#include "services/energy/SysfsPowerSourceMonitor.hpp"
#include "services/energy/SystemPowerSampler.hpp"

#include <chrono>
#include <iostream>
#include <thread>

namespace zentrel::cli {
namespace {

// Watts as the window writes figures, in the messages' language.
std::string watts(double value) { return platform::formatNumber(value, 2, 2) + " W"; }

int runEnergy(const Arguments&) {
    services::PowercapEnergyReportSource source;
    services::SystemPowerSampler sampler(source, platform::SystemClock::shared());
    services::SysfsPowerSourceMonitor powerSource;

    std::cout << platform::localizedFormat("Power source: %@", {platform::localized(powerSource.isOnBatteryPower()
                                                                                     ? "battery"
                                                                                     : N_("mains power or unknown"))})
              << "\n";
    // The first sample only primes the counters.
    (void)sampler.sampleSystemPower();
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    const auto reading = sampler.sampleSystemPower();
    if (!reading) {
        std::cout << platform::localized(
                         "No power readings are available on this machine (no readable RAPL energy counters).")
                  << "\n";
        return 0;
    }
    std::cout << platform::localizedFormat("Package: %@ (CPU %@, GPU %@, neural engine %@)",
                                           {watts(reading->packageWatts), watts(reading->cpuWatts),
                                            watts(reading->gpuWatts), watts(reading->aneWatts)})
              << "\n";
    return 0;
}

CliCommandRegistration energy{
    {.name = N_("energy"), .usage = N_("energy"), .summary = N_("Show the package power and the power source"), .run = runEnergy}};

}  // namespace
}  // namespace zentrel::cli
