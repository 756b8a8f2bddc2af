// zentrel-cli status: the settings, last-scan figures, histories and the
// shared "eco." summary as they are stored. It only reads: the preferences
// work on scratch copies of the stored suites.

#include "app/cli/CliCommand.hpp"
#include "app/cli/TerminalText.hpp"
#include "model/SharedEcosystemState.hpp"
#include "model/UserPreferences.hpp"
#include "platform/desktop/XdgAutostartLoginItem.hpp"
#include "platform/input/InputMethodStatus.hpp"
#include "platform/settings/JsonFileDefaultsStore.hpp"
#include "platform/settings/MemoryDefaultsStore.hpp"
#include "platform/text/ByteCountFormatter.hpp"
#include "platform/text/Localization.hpp"

#include <filesystem>
#include <iostream>
#include <sstream>

namespace zentrel::cli {
namespace {

std::string describe(const platform::DefaultsValue& value) {
    struct Printer {
        std::string operator()(bool v) const { return v ? "true" : "false"; }
        std::string operator()(std::int64_t v) const { return std::to_string(v); }
        std::string operator()(double v) const {
            std::ostringstream out;
            out.precision(15);
            out << v;
            return out.str();
        }
        std::string operator()(const std::string& v) const { return "\"" + v + "\""; }
        std::string operator()(const platform::Bytes& v) const { return platform::textOf(v); }
    };
    return std::visit(Printer{}, value);
}

using platform::localized;
using platform::localizedFormat;

std::string onOff(bool value) { return localized(value ? "on" : N_("off")); }

// The typing mode by the window's name for it. One never chosen is decided
// by each session of the window: the input method where IBus runs, else the
// key tap. What it comes to is told for this user's own session only.
std::string typingMode(const model::UserPreferences& prefs, const Arguments& arguments) {
    if (prefs.hasChosenVietIMEIntegrationMode()) return localized(typing::label(prefs.vietIMEIntegrationMode()));
    if (arguments.option("--home")) return localized("automatic");
    const bool ibusRuns = platform::IBusInputMethodStatus().isRunning();
    const auto resolved = ibusRuns ? typing::VietIMEIntegrationMode::imkit : typing::VietIMEIntegrationMode::cgEvent;
    return localizedFormat("automatic (%@)", {localized(typing::label(resolved))});
}

int runStatus(const Arguments& arguments) {
    const auto layout = hostLayout(arguments);
    const auto standardFile = layout.defaultsFile(platform::kStandardSuite);
    const auto suiteFile = layout.defaultsFile(platform::kAppGroupSuite);
    auto standard = platform::MemoryDefaultsStore::copyOf(platform::JsonFileDefaultsStore(standardFile));
    auto suite = platform::MemoryDefaultsStore::copyOf(platform::JsonFileDefaultsStore(suiteFile));
    const auto storedSuite = platform::MemoryDefaultsStore::copyOf(suite);

    std::ostringstream silenced;  // the shared state may report on standard output
    auto* previous = std::cout.rdbuf(silenced.rdbuf());
    model::SharedEcosystemState shared(&suite, standard);
    std::cout.rdbuf(previous);
    model::UserPreferences prefs(standard, platform::SystemClock::shared(), shared,
                                 platform::Localization::shared().language());

    std::cout << localizedFormat("Settings: %@", {terminalText(standardFile.string())}) << "\n";
    std::cout << "  " << localizedFormat("results view: %@", {localized(prefs.viewMode() == model::ViewMode::advanced ? "Advanced" : "Recommended")}) << "\n";
    std::cout << "  " << localizedFormat("automatic scan due: %@", {localized(prefs.isAutoScanDue() ? "yes" : N_("no"))}) << "\n";
    std::cout << "  " << prefs.lastScanSummary().value_or(localized("Never scanned")) << "\n";
    const auto plan = prefs.hasSmartCleanupPlan()
                          ? platform::formatByteCount(static_cast<std::int64_t>(prefs.lastSmartCleanupPlan()->totalBytes))
                          : localized("none");
    std::cout << "  " << localizedFormat("smart cleanup plan: %@", {plan}) << "\n";
    std::cout << "  "
              << localizedFormat("cleans recorded: %@, freed in all: %@",
                                 {std::to_string(prefs.cleaningHistory().size()),
                                  platform::formatByteCount(model::truncatedBytes(standard.real("totalFreedAllTime")))})
              << "\n";
    std::cout << "  " << localizedFormat("privacy sweeps that can be undone: %@", {std::to_string(prefs.sweepLog().size())})
              << "\n";
    std::cout << "  "
              << localizedFormat("typing: %@, %@, rules %@, marked text %@",
                                 {std::string(typing::rawValue(prefs.vietIMEMethod())), typingMode(prefs, arguments),
                                  onOff(prefs.vietIMERuleEngineEnabled()), onOff(prefs.vietIMEUseMarkedText())})
              << "\n";
    std::cout << "  " << localizedFormat("daily energy digest: %@", {onOff(prefs.energyDigestEnabled())}) << "\n";
    std::cout << "  " << localizedFormat("automatic update checks: %@", {onOff(prefs.automaticUpdateChecksEnabled())})
              << "\n";
    platform::XdgAutostartLoginItem loginItem(layout.configHome, {});
    std::cout << "  " << localizedFormat("start at login: %@", {onOff(loginItem.isRegistered())}) << "\n";

    std::cout << localizedFormat("Shared summary: %@", {terminalText(suiteFile.string())}) << "\n";
    bool any = false;
    for (const auto& key : storedSuite.keys()) {
        if (key.rfind("eco.", 0) != 0) continue;
        std::cout << "  " << key << " = " << describe(*storedSuite.value(key)) << "\n";
        any = true;
    }
    if (!any) std::cout << "  " << localized("(nothing stored yet)") << "\n";
    return 0;
}

CliCommandRegistration status{
    {.name = "status",
     .usage = N_("status [--home DIR]"),
     .summary = N_("Print the stored settings, last-scan figures and shared summary (reads only)"),
     .options = withHostOptions({}),
     .run = runStatus}};

}  // namespace
}  // namespace zentrel::cli
