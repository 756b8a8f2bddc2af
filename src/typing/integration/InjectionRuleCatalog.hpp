#pragma once
// Turns the built-in rule table and the user's own rules into the one ordered
// list of rules in force, and makes a user rule for the application in front.

#include "typing/integration/IMEContext.hpp"
#include "typing/integration/InjectionProfilePreset.hpp"
#include "typing/integration/InjectionRule.hpp"
#include "typing/integration/InjectionRuleStore.hpp"

#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace zentrel::typing {

class InjectionRuleCatalog final {
public:
    InjectionRuleCatalog() = delete;

    // The user's enabled rules, then the built-in rules whose ids are not in
    // `disabledBuiltInIDs`, ordered by priority; at equal priority a user rule
    // comes first and built-in rules keep table order.
    [[nodiscard]] static std::vector<InjectionRule> effectiveRules(const std::vector<InjectionRule>& custom,
                                                                   const std::set<std::string>& disabledBuiltInIDs);
    // The same from the stored user rules and switched-off ids.
    [[nodiscard]] static std::vector<InjectionRule> effectiveRules(const InjectionRuleStore& store);

    // A rule for exactly the context's application with the preset's profile,
    // named `name` (trimmed), else the window title, else the bundle
    // identifier. No rule when the context has no bundle identifier. Stores
    // nothing.
    [[nodiscard]] static std::optional<InjectionRule> makeUserRule(const IMEContext& context,
                                                                   const std::optional<std::string>& name,
                                                                   InjectionProfilePreset preset);

    static constexpr std::string_view userRuleIDPrefix = "user-";
    [[nodiscard]] static bool isUserRuleID(std::string_view id) { return id.starts_with(userRuleIDPrefix); }
};

}  // namespace zentrel::typing
