// zentrel-cli resolve: which typing rule and injection profile apply to a
// described typing context, from the stored rule settings. It only reads: the
// settings are a scratch copy of the stored suite.

#include "app/cli/CliCommand.hpp"
#include "platform/settings/JsonFileDefaultsStore.hpp"
#include "platform/settings/MemoryDefaultsStore.hpp"
#include "platform/text/Localization.hpp"
#include "typing/integration/DefaultsInjectionRuleStore.hpp"
#include "typing/integration/InjectionRuleCatalog.hpp"
#include "typing/integration/InjectionRuleEngine.hpp"

#include <nlohmann/json.hpp>

#include <iostream>

namespace zentrel::cli {
namespace {

typing::IMEContext contextFrom(const Arguments& arguments) {
    typing::IMEContext context;
    context.bundleIdentifier = arguments.option("--bundle");
    context.windowTitle = arguments.option("--title");
    context.isSecureInput = arguments.flag("--secure");
    context.focusedRole = arguments.option("--ax-role");
    context.focusedDescription = arguments.option("--ax-description");
    context.focusedIdentifier = arguments.option("--ax-identifier");
    context.focusedDOMClassList = arguments.option("--dom-class");
    return context;
}

int runResolve(const Arguments& arguments) {
    const auto layout = hostLayout(arguments);
    auto defaults = platform::MemoryDefaultsStore::copyOf(
        platform::JsonFileDefaultsStore(layout.defaultsFile(platform::kStandardSuite)));
    const typing::DefaultsInjectionRuleStore store(defaults);
    typing::InjectionRuleEngine engine(typing::InjectionRuleCatalog::effectiveRules(store), store.isRuleEngineEnabled());

    const auto resolution = engine.resolve(contextFrom(arguments));
    std::cout << platform::localizedFormat("rule: %@ (%@)", {resolution.matchedRuleID.value_or(platform::localized("(none)")),
                                                            resolution.matchedRuleName ? platform::localized(*resolution.matchedRuleName) : ""})
              << "\n";
    std::cout << platform::localizedFormat("profile: %@", {typing::encodeProfile(resolution.profile).dump(2)}) << "\n";
    return 0;
}

CliCommandRegistration resolve{
    {.name = "resolve",
     .usage = N_("resolve [--home DIR] [--bundle ID] [--title TEXT] [--secure] [--ax-role ROLE] [--ax-description TEXT] "
              "[--ax-identifier ID] [--dom-class CLASSES]"),
     .summary = N_("Print the typing rule and injection profile that apply to the described context (reads only)"),
     .options = withHostOptions({{"--bundle", ValueKind::text},
                                 {"--title", ValueKind::text},
                                 {"--secure"},
                                 {"--ax-role", ValueKind::text},
                                 {"--ax-description", ValueKind::text},
                                 {"--ax-identifier", ValueKind::text},
                                 {"--dom-class", ValueKind::text}}),
     .run = runResolve}};

}  // namespace
}  // namespace zentrel::cli
