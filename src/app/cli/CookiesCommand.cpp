// zentrel-cli cookies: each browser cookie store under the home folder that
// holds tracker cookies, with its tracker hosts, and each store its running
// browser holds locked. Reads only.

#include "app/cli/CliCommand.hpp"
#include "app/cli/TerminalText.hpp"
#include "model/CookieDomains.hpp"
#include "platform/files/PosixFileSystem.hpp"
#include "platform/text/ByteCountFormatter.hpp"
#include "platform/text/Localization.hpp"
#include "platform/text/NumberFormatter.hpp"
#include "scanners/privacy/PrivacyCookieStore.hpp"
#include "scanners/privacy/PrivacyScanner.hpp"

#include <iostream>

namespace zentrel::cli {
namespace {

int runCookies(const Arguments& arguments) {
    platform::PosixFileSystem fileSystem;
    scanners::PrivacyCookieStore stores(fileSystem, hostTable(arguments, fileSystem));
    const auto profiles = stores.allProfiles();
    for (const auto& profile : profiles) {
        if (profile.isBusy) {
            std::cout << model::rawValue(profile.browser) << "\t" << terminalText(profile.profileName) << "\t"
                      << scanners::busyStoreNotice(profile.browser, profile.busyHold) << "\t" << terminalText(profile.storePath) << "\n";
            continue;
        }
        std::cout << model::rawValue(profile.browser) << "\t" << terminalText(profile.profileName) << "\t"
                  << platform::localizedFormat(
                         "%@ from %@",
                         {platform::localizedFormat(N_COUNTED("%lld tracker cookies"), {platform::formatCount(profile.trackerCount)}),
                          platform::localizedFormat(N_COUNTED("%lld hosts"), {platform::formatCount(model::distinctCookieDomainCount(profile.trackerDomains))})})
                  << "\t"
                  << platform::formatByteCount(profile.storeSizeBytes) << "\t" << terminalText(profile.storePath) << "\n";
        if (arguments.flag("--hosts")) {
            for (const auto& host : profile.trackerDomains) std::cout << "\t" << terminalText(host) << "\n";
        }
    }
    if (profiles.empty()) std::cout << platform::localized("No tracker cookies found.") << "\n";
    return 0;
}

CliCommandRegistration cookies{{.name = "cookies",
                                .usage = N_("cookies [--home DIR] [--layout linux|macos] [--hosts]"),
                                .summary = N_("List the browser cookie stores that hold tracker cookies (reads only)"),
                                .options = withHostTableOptions({{"--hosts"}}),
                                .run = runCookies}};

}  // namespace
}  // namespace zentrel::cli
