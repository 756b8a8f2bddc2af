// zentrel-cli apps: the installed applications the uninstaller offers, with
// their bundle identifiers and versions. Reads only.

#include "app/cli/CliCommand.hpp"
#include "platform/PosixFileSystem.hpp"
#include "services/AppUninstaller.hpp"

#include <iostream>

namespace zentrel::cli {
namespace {

int runApps(const std::vector<std::string>& args) {
    Arguments arguments(args);
    platform::PosixFileSystem fileSystem;
    services::AppUninstaller uninstaller(fileSystem, hostTable(arguments, fileSystem));
    const auto apps = uninstaller.listInstalledApps();
    for (const auto& app : apps) {
        std::cout << app.name << "\t" << (app.bundleID.empty() ? "-" : app.bundleID) << "\t"
                  << (app.version.empty() ? "-" : app.version) << "\t" << app.path << "\n";
    }
    if (apps.empty()) std::cout << "No applications found in " << uninstaller.searchRoots().front() << " and the other application folders.\n";
    return 0;
}

CliCommandRegistration apps{{"apps", "apps [--home DIR [--system-root DIR]] [--layout linux|macos]",
                             "List the installed applications (name, bundle id, version, path)", runApps}};

}  // namespace
}  // namespace zentrel::cli
