#pragma once
// The sixteen injection rules that ship with the app, in table order. They
// are never stored; only the ids of those the user switched off are.

#include "typing/integration/InjectionRule.hpp"

#include <string_view>
#include <vector>

namespace zentrel::typing {

class BuiltInInjectionRules final {
public:
    BuiltInInjectionRules() = delete;

    // Applied by id to every secure (password) field, never by matching.
    static constexpr std::string_view secureInputID = "secure-input";
    // Matches every context.
    static constexpr std::string_view defaultID = "default";

    // Built once, on first use, from any thread.
    [[nodiscard]] static const std::vector<InjectionRule>& all();
    // The built-in rule with this id, if there is one.
    [[nodiscard]] static const InjectionRule* find(std::string_view id);
    // The rule every secure field gets, whatever the rule list in force.
    [[nodiscard]] static const InjectionRule& secureInput();
};

}  // namespace zentrel::typing
