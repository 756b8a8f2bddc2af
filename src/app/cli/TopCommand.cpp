// zentrel-cli top: the memory snapshot, its pressure and the heaviest running
// applications. It only reads /proc and the desktop entries; it quits nothing.

#include "app/cli/CliCommand.hpp"
#include "app/cli/TerminalText.hpp"
#include "platform/concurrency/Clock.hpp"
#include "platform/places/HostLayout.hpp"
#include "platform/text/ByteCountFormatter.hpp"
#include "platform/text/Localization.hpp"
#include "services/processes/LinuxWorkspace.hpp"
#include "services/processes/ProcessSampler.hpp"
#include "services/processes/ProcfsSystemStatistics.hpp"

#include <charconv>
#include <iostream>

#include <unistd.h>

namespace zentrel::cli {
namespace {

// This command never quits anything.
class NoSignals final : public services::ProcessSignaller {
public:
    bool send(std::int32_t, int) override { return false; }
};

std::string memory(std::int64_t bytes) { return platform::formatByteCount(bytes, platform::ByteCountStyle::memory); }

// The window's words for the pressure.
std::string pressureText(services::MemoryPressure pressure) {
    switch (pressure) {
    case services::MemoryPressure::normal: break;
    case services::MemoryPressure::warning: return platform::localized("Warning");
    case services::MemoryPressure::critical: return platform::localized("Critical");
    }
    return platform::localized("Normal");
}

// "Kernel 1.2 GB": a part of the memory by the window's name for it.
std::string part(std::string_view name, std::int64_t bytes) { return platform::localized(name) + " " + memory(bytes); }

int runTop(const Arguments& arguments) {
    std::size_t limit = 10;
    if (auto given = arguments.option("--limit")) {
        // Digits only: "-3" is no count, though stoul would wrap it round.
        const auto end = given->data() + given->size();
        const auto [stop, error] = std::from_chars(given->data(), end, limit);
        if (given->empty() || error != std::errc() || stop != end) {
            std::cerr << "zentrel-cli top: " << platform::localized("--limit needs a number") << "\n";
            return 2;
        }
    }
    const auto home = arguments.option("--home");
    const auto layout = home ? platform::HostLayout::forHome(givenHome(*home)) : realHostLayout();

    services::ProcfsSystemStatistics statistics;
    NoSignals signaller;
    services::LinuxWorkspace workspace(
        {.applicationFolders = services::LinuxWorkspace::applicationFoldersFor(layout.dataHome, layout.systemRoot),
         .userId = ::getuid()},
        signaller);
    services::ProcessSampler sampler(statistics, workspace, platform::SystemClock::shared());

    const auto snapshot = sampler.readMemorySnapshot();
    std::cout << platform::localizedFormat("Memory: %@ used of %@ (pressure: %@)",
                                           {memory(snapshot.used), memory(snapshot.total), pressureText(snapshot.pressure())})
              << "\n  " << part(N_("Free"), snapshot.free) << ", " << part("App", snapshot.app) << ", "
              << part("Wired", snapshot.wired) << ", " << part("Compressed", snapshot.compressed) << ", "
              << part("Cached", snapshot.cached) << "\n";

    const auto apps = sampler.listBoostProcesses(limit);
    if (apps.empty()) {
        std::cout << platform::localized("No running applications found.") << "\n";
        return 0;
    }
    std::cout << platform::localized("Heaviest applications:") << "\n";
    for (const auto& app : apps) {
        std::cout << "  " << memory(app.residentBytes) << "\t" << terminalText(app.name) << " "
                  << platform::localizedFormat("(process %@)", {std::to_string(app.pid)})
                  << (app.isActive ? " [" + platform::localized("Active") + "]" : "") << "\n";
    }
    return 0;
}

CliCommandRegistration top{{.name = "top",
                            .usage = N_("top [--limit N] [--home DIR]"),
                            .summary = N_("Show memory use and pressure and the heaviest running applications"),
                            .options = {{"--limit", ValueKind::text}, {"--home", ValueKind::path}},
                            .run = runTop}};

}  // namespace
}  // namespace zentrel::cli
