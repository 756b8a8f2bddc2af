#pragma once
// The rule engine's answer for one typing context: the profile to deliver
// with and the rule that chose it.

#include "typing/integration/InjectionProfile.hpp"

#include <optional>
#include <string>

namespace zentrel::typing {

struct ResolvedInjection {
    InjectionProfile profile = InjectionProfile::defaultProfile;
    std::optional<std::string> matchedRuleID;
    std::optional<std::string> matchedRuleName;

    // The default profile, no rule.
    [[nodiscard]] static ResolvedInjection defaultResolution() { return {}; }

    // Keys go through untouched.
    [[nodiscard]] bool isPassthrough() const { return profile.policy == InputPolicy::disable; }

    bool operator==(const ResolvedInjection&) const = default;
};

}  // namespace zentrel::typing
