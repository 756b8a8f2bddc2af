// zentrel-cli leftovers ID: an application and what belongs to it in the
// Library, with sizes, and what its entry points at that is not offered, with
// the reason. With --delete (only together with --home) it removes every
// listed item, as an uninstall of everything would, and nothing else.

#include "app/cli/CliCommand.hpp"
#include "app/cli/TerminalText.hpp"
#include "platform/files/PosixFileSystem.hpp"
#include "platform/text/ByteCountFormatter.hpp"
#include "platform/text/Localization.hpp"
#include "services/apps/AppUninstaller.hpp"

#include <algorithm>
#include <iostream>

namespace zentrel::cli {
namespace {

using platform::localized;
using platform::localizedFormat;

constexpr const char* kUsage = N_("leftovers APP_ID [--home DIR [--system-root DIR] [--delete]] [--layout linux|macos]");

int runLeftovers(const Arguments& arguments) {
    const auto ids = arguments.operands();
    if (ids.size() != 1) {
        std::cerr << localizedFormat("usage: zentrel-cli %@", {localized(kUsage)}) << "\n";
        return 2;
    }
    const bool remove = arguments.flag("--delete");
    if (remove && !arguments.option("--home")) {
        std::cerr << "zentrel-cli: " << localized("--delete needs an explicit --home") << "\n";
        return 2;
    }
    platform::PosixFileSystem fileSystem;
    services::AppUninstaller uninstaller(fileSystem, hostTable(arguments, fileSystem));
    const auto apps = uninstaller.listInstalledApps();
    auto app = std::find_if(apps.begin(), apps.end(), [&](const auto& a) { return a.bundleID == ids[0]; });
    if (app == apps.end()) {
        std::cerr << "zentrel-cli: " << localizedFormat("no installed application has the app id %@", {terminalText(ids[0], Stream::error)})
                  << "\n";
        return 1;
    }

    if (app->package) {
        std::cout << localizedFormat("Installed by %@ (%@): only your own files are listed; remove the application with: %@",
                                     {std::string(app->package->managerName()), terminalText(app->package->package),
                                      terminalText(app->package->removalCommand())})
                  << "\n";
    }
    const auto [items, keptBack] = uninstaller.surveyLeftovers(*app);
    std::int64_t total = 0;
    for (const auto& item : items) {
        std::cout << localized(model::displayName(item.kind)) << "\t" << platform::formatByteCount(item.sizeBytes) << "\t"
                  << terminalText(item.path) << "\n";
        total += item.sizeBytes;
    }
    std::cout << localizedFormat("Total: %@", {platform::formatByteCount(total)}) << "\n";
    for (const auto& kept : keptBack) {
        // TRANSLATORS: a path the uninstaller leaves, then why.
        std::cout << localizedFormat("Not offered: %@ (%@)", {terminalText(kept.path), terminalText(model::keptBackReasonText(kept))})
                  << "\n";
    }
    if (!remove) return 0;

    const auto result = uninstaller.uninstallItems(items);
    std::cout << localizedFormat("Removed %@", {platform::formatByteCount(result.freedBytes)}) << "\n";
    for (const auto& failure : result.failures)
        std::cerr << "zentrel-cli: " << localizedFormat("could not remove %@", {terminalText(failure, Stream::error)}) << "\n";
    return result.failures.empty() ? 0 : 1;
}

CliCommandRegistration leftovers{{.name = "leftovers",
                                  .usage = kUsage,
                                  .summary = N_("List an application and its leftovers with sizes; --delete removes them"),
                                  .options = withHostTableOptions({{"--delete"}}),
                                  .operands = ValueKind::text,
                                  .run = runLeftovers}};

}  // namespace
}  // namespace zentrel::cli
