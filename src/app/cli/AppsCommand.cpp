// zentrel-cli apps: the installed applications the uninstaller offers, with
// their app ids and versions. Reads only.

#include "app/cli/CliCommand.hpp"
#include "app/cli/TerminalText.hpp"
#include "platform/files/PosixFileSystem.hpp"
#include "platform/text/Localization.hpp"
#include "services/apps/AppUninstaller.hpp"

#include <iostream>

namespace zentrel::cli {
namespace {

int runApps(const Arguments& arguments) {
    platform::PosixFileSystem fileSystem;
    services::AppUninstaller uninstaller(fileSystem, hostTable(arguments, fileSystem));
    const auto apps = uninstaller.listInstalledApps();
    for (const auto& app : apps) {
        std::cout << terminalText(app.name) << "\t" << (app.bundleID.empty() ? "-" : terminalText(app.bundleID)) << "\t"
                  << (app.version.empty() ? "-" : terminalText(app.version)) << "\t" << terminalText(app.path) << "\n";
    }
    if (apps.empty())
        std::cout << platform::localizedFormat("No applications found in %@ and the other application folders.",
                                               {uninstaller.searchRoots().front()})
                  << "\n";
    return 0;
}

CliCommandRegistration apps{{.name = "apps",
                             .usage = N_("apps [--home DIR [--system-root DIR]] [--layout linux|macos]"),
                             .summary = N_("List the installed applications (name, app id, version, path)"),
                             .options = withHostTableOptions({}),
                             .run = runApps}};

}  // namespace
}  // namespace zentrel::cli
