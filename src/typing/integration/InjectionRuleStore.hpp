#pragma once
// Where the rule settings of the typing integration are kept: the user's own
// injection rules, the ids of the built-in rules the user switched off and
// the rule engine's on/off switch.

#include "typing/integration/InjectionRule.hpp"

#include <set>
#include <string>
#include <vector>

namespace zentrel::typing {

class InjectionRuleStore {
public:
    virtual ~InjectionRuleStore() = default;

    // The user's rules in their stored order; a rule that cannot be read is
    // left out, the others are kept.
    [[nodiscard]] virtual std::vector<InjectionRule> customRules() const = 0;
    // Replaces the user's rules. Stored entries that cannot be read as rules
    // stay stored after them, so nothing written by another version is lost.
    virtual void setCustomRules(const std::vector<InjectionRule>& rules) = 0;

    [[nodiscard]] virtual std::set<std::string> disabledBuiltInRuleIDs() const = 0;
    virtual void setDisabledBuiltInRuleIDs(const std::set<std::string>& ids) = 0;

    // On unless switched off.
    [[nodiscard]] virtual bool isRuleEngineEnabled() const = 0;
    virtual void setRuleEngineEnabled(bool enabled) = 0;
};

}  // namespace zentrel::typing
