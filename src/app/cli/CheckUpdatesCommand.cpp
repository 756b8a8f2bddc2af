// zentrel-cli check-updates: one check of an update feed, as the "Check for
// Updates…" command runs it, printing the update it finds or "up to date".

#include "app/cli/CliCommand.hpp"
#include "app/cli/TerminalText.hpp"
#include "platform/concurrency/MainLoop.hpp"
#include "platform/concurrency/TaskPool.hpp"
#include "platform/places/HostLayout.hpp"
#include "platform/settings/JsonFileDefaultsStore.hpp"
#include "platform/text/Localization.hpp"
#include "services/updates/NetworkAppcastTransport.hpp"
#include "services/updates/UpdaterManager.hpp"

#include <filesystem>
#include <iostream>

namespace zentrel::cli {
namespace {

// Prints the outcome of the check and ends the loop.
class PrintingUserDriver final : public services::UpdateUserDriver {
public:
    explicit PrintingUserDriver(platform::MainLoop& loop) : loop_(loop) {}

    void showUpdateFound(const services::AppcastItem& item) override {
        std::cout << platform::localizedFormat("Update available: %@ (build %@)", {terminalText(item.displayVersionString), terminalText(item.versionString)})
                  << "\n";
        if (!item.downloadURL.empty()) std::cout << platform::localizedFormat("Download: %@", {terminalText(item.downloadURL)}) << "\n";
        finish(0);
    }
    void showUpToDate() override {
        std::cout << platform::localized("up to date") << "\n";
        finish(0);
    }
    void showUpdateError(const std::string& message) override {
        std::cerr << "zentrel-cli: " << platform::localizedFormat("could not check for updates: %@", {message}) << "\n";
        finish(1);
    }

    [[nodiscard]] std::optional<int> status() const { return status_; }

private:
    void finish(int status) {
        status_ = status;
        loop_.quit();
    }

    platform::MainLoop& loop_;
    std::optional<int> status_;
};

// File paths become absolute; addresses stay as they are.
std::string feedAddress(const std::string& given) {
    if (given.find("://") != std::string::npos) return given;
    return std::filesystem::absolute(given).lexically_normal().string();
}

int runCheckUpdates(const Arguments& arguments) {
    const auto feed = arguments.option("--feed");
    if (!feed) {
        std::cerr << platform::localizedFormat("usage: zentrel-cli %@", {platform::localized("check-updates --feed FILE_OR_URL [--home DIR]")})
                  << "\n";
        return 2;
    }
    const auto home = arguments.option("--home");
    const auto layout = home ? platform::HostLayout::forHome(givenHome(*home)) : realHostLayout();
    // Only read: a check the user starts never writes the defaults.
    platform::JsonFileDefaultsStore defaults(layout.defaultsFile(platform::kStandardSuite));

    platform::MainLoop loop;
    platform::TaskPool pool(1);
    services::NetworkAppcastTransport transport(pool);
    PrintingUserDriver driver(loop);
    auto info = services::mainBundleInfo();
    info[std::string(services::kFeedURLKey)] = feedAddress(*feed);
    services::UpdaterManager updater({loop, loop, defaults, transport, driver, std::move(info)});
    updater.checkForUpdates();
    loop.runUntil([&] { return driver.status().has_value(); });
    return driver.status().value_or(1);
}

CliCommandRegistration checkUpdates{
    {.name = "check-updates",
     .usage = "check-updates --feed FILE_OR_URL [--home DIR]",
     .summary = N_("Check an update feed and print the update it offers, or \"up to date\""),
     .options = {{"--feed", ValueKind::path}, {"--home", ValueKind::path}},
     .run = runCheckUpdates}};

}  // namespace
}  // namespace zentrel::cli
