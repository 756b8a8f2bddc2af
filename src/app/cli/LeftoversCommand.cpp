// zentrel-cli leftovers ID: an application and what belongs to it in the
// Library, with sizes. With --delete (only together with --home) it removes
// every listed item, as an uninstall of everything would.

#include "app/cli/CliCommand.hpp"
#include "app/cli/TerminalText.hpp"
#include "platform/ByteCountFormatter.hpp"
#include "platform/PosixFileSystem.hpp"
#include "services/AppUninstaller.hpp"

#include <algorithm>
#include <iostream>

namespace zentrel::cli {
namespace {

int runLeftovers(const Arguments& arguments) {
    const auto ids = arguments.operands();
    if (ids.size() != 1) {
        std::cerr << "usage: zentrel-cli leftovers BUNDLE_ID [--home DIR [--system-root DIR] [--delete]] [--layout linux|macos]\n";
        return 2;
    }
    const bool remove = arguments.flag("--delete");
    if (remove && !arguments.option("--home")) {
        std::cerr << "zentrel-cli: --delete needs an explicit --home\n";
        return 2;
    }
    platform::PosixFileSystem fileSystem;
    services::AppUninstaller uninstaller(fileSystem, hostTable(arguments, fileSystem));
    const auto apps = uninstaller.listInstalledApps();
    auto app = std::find_if(apps.begin(), apps.end(), [&](const auto& a) { return a.bundleID == ids[0]; });
    if (app == apps.end()) {
        std::cerr << "zentrel-cli: no installed application has the bundle id " << ids[0] << "\n";
        return 1;
    }

    if (app->package) {
        std::cout << "Installed by " << app->package->managerName() << " (" << terminalText(app->package->package)
                  << "): only your own files are listed; remove the application with: "
                  << terminalText(app->package->removalCommand()) << "\n";
    }
    const auto items = uninstaller.findLeftovers(*app);
    std::int64_t total = 0;
    for (const auto& item : items) {
        std::cout << model::displayName(item.kind) << "\t" << platform::formatByteCount(item.sizeBytes) << "\t"
                  << terminalText(item.path) << "\n";
        total += item.sizeBytes;
    }
    std::cout << "Total: " << platform::formatByteCount(total) << "\n";
    if (!remove) return 0;

    const auto result = uninstaller.uninstallItems(items);
    std::cout << "Removed " << platform::formatByteCount(result.freedBytes) << "\n";
    for (const auto& failure : result.failures) std::cerr << "zentrel-cli: could not remove " << terminalText(failure) << "\n";
    return result.failures.empty() ? 0 : 1;
}

CliCommandRegistration leftovers{{.name = "leftovers",
                                  .usage = "leftovers BUNDLE_ID [--home DIR [--system-root DIR] [--delete]] "
                                           "[--layout linux|macos]",
                                  .summary = "List an application and its leftovers with sizes; --delete removes them",
                                  .options = withHostTableOptions({{"--delete"}}),
                                  .operands = ValueKind::text,
                                  .run = runLeftovers}};

}  // namespace
}  // namespace zentrel::cli
