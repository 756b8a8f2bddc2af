// zentrel-cli intent: runs one of the app's intents ("Smart Cleanup", "Scan
// Category", "Free Up Space") on a scan view model over the given home, as
// the system would run it on the app's. The two that may clean need an
// explicit --home.

#include "app/cli/CliCommand.hpp"
#include "app/cli/ScanViewModelSetup.hpp"
#include "platform/text/ByteCountFormatter.hpp"
#include "platform/text/Localization.hpp"
#include "viewmodels/AppIntents.hpp"

#include <iostream>

namespace zentrel::cli {
namespace {

using platform::localized;
using platform::localizedFormat;

void describeOutcome(const viewmodels::ScanViewModel& viewModel) {
    const auto& state = viewModel.scanState();
    if (const auto* cleaned = std::get_if<model::scan_state::Cleaned>(&state)) {
        std::cout << localizedFormat("Freed %@", {platform::formatByteCount(cleaned->freedBytes)}) << "\n";
    } else if (const auto* error = std::get_if<model::scan_state::Error>(&state)) {
        std::cout << localizedFormat("Failed: %@", {error->message}) << "\n";
    } else if (!viewModel.cleanFailures().empty()) {
        std::cout << localizedFormat(N_COUNTED("%lld item(s) could not be cleaned"), {std::to_string(viewModel.cleanFailures().size())})
                  << "\n";
    } else {
        std::cout << localized("Nothing to clean") << "\n";
    }
}

int runIntent(const Arguments& arguments) {
    const auto names = arguments.operands();
    if (names.size() != 1) {
        std::cerr << "zentrel-cli: " << localized("name one intent: \"Smart Cleanup\", \"Scan Category\" or \"Free Up Space\"")
                  << "\n";
        return 2;
    }
    const auto& name = names.front();
    const bool cleans = name == viewmodels::SmartCleanupIntent::title || name == viewmodels::FreeUpSpaceIntent::title;
    if (!cleans && name != viewmodels::ScanCategoryIntent::title) {
        std::cerr << "zentrel-cli: " << localizedFormat("no intent is named \"%@\"", {name}) << "\n";
        return 2;
    }
    if (cleans && !arguments.option("--home")) {
        std::cerr << "zentrel-cli: " << localizedFormat("\"%@\" may delete files; name the home folder with --home DIR", {name})
                  << "\n";
        return 2;
    }
    std::optional<viewmodels::ScanCategoryChoice> choice;
    if (name == viewmodels::ScanCategoryIntent::title) {
        const auto raw = arguments.option("--category");
        choice = raw ? viewmodels::scanCategoryChoiceFromRaw(*raw) : std::nullopt;
        // The names scan --category takes are good here too.
        if (raw && !choice) {
            const auto category = categoryNamed(*raw);
            for (const auto& info : viewmodels::scanCategoryChoices())
                if (viewmodels::categoryType(info.choice) == category) choice = info.choice;
        }
        if (!choice) {
            std::cerr << "zentrel-cli: " << localized("\"Scan Category\" needs --category with one of:");
            for (const auto& info : viewmodels::scanCategoryChoices()) std::cerr << " " << info.rawValue;
            std::cerr << "\n";
            return 2;
        }
    }

    const auto layout = hostLayout(arguments);
    ScanSetup setup(layout, hostTable(arguments, platform::PosixFileSystem::shared()));
    ScanViewModelSetup screen(setup, layout, arguments.option("--home").has_value());
    auto viewModel = std::shared_ptr<viewmodels::ScanViewModel>(&screen.viewModel(), [](auto*) {});
    viewmodels::IntentBridge bridge;
    bridge.registerViewModel(viewModel);

    if (choice) {
        viewmodels::ScanCategoryIntent{*choice}.perform(bridge);
        std::cout << localizedFormat("Opened %@", {model::displayName(viewmodels::categoryType(*choice))}) << "\n";
        return 0;
    }
    if (name == viewmodels::SmartCleanupIntent::title) {
        viewmodels::SmartCleanupIntent{}.perform(bridge);
    } else {
        viewmodels::FreeUpSpaceIntent{}.perform(bridge);
    }
    screen.waitUntilIdle();
    describeOutcome(*viewModel);
    return 0;
}

CliCommandRegistration intent{
    {.name = "intent",
     .usage = N_("intent \"Smart Cleanup\"|\"Free Up Space\" --home DIR | intent \"Scan Category\" --category NAME"),
     .summary = N_("Run one of the app's intents on a scan of the given home"),
     .options = withHostTableOptions({{"--category", ValueKind::text}}),
     .operands = ValueKind::text,
     .run = runIntent}};

}  // namespace
}  // namespace zentrel::cli
