#pragma once
// The rule settings in the main app's defaults suite: the user's rules as JSON
// data under "vietIMECustomRules", the switched-off built-in ids as JSON data
// of a string array under "vietIMEDisabledBuiltInRuleIDs", and the Boolean
// "vietIMERuleEngineEnabled" (true while absent).

#include "platform/settings/DefaultsStore.hpp"
#include "typing/integration/InjectionRuleStore.hpp"

#include <string_view>

namespace zentrel::typing {

class DefaultsInjectionRuleStore final : public InjectionRuleStore {
public:
    static constexpr std::string_view customRulesKey = "vietIMECustomRules";
    static constexpr std::string_view disabledBuiltInRuleIDsKey = "vietIMEDisabledBuiltInRuleIDs";
    static constexpr std::string_view ruleEngineEnabledKey = "vietIMERuleEngineEnabled";

    // `defaults` must outlive this store.
    explicit DefaultsInjectionRuleStore(platform::DefaultsStore& defaults) : defaults_(defaults) {}
    DefaultsInjectionRuleStore(const DefaultsInjectionRuleStore&) = delete;
    DefaultsInjectionRuleStore& operator=(const DefaultsInjectionRuleStore&) = delete;

    // Warns about every stored entry it has to leave out.
    [[nodiscard]] std::vector<InjectionRule> customRules() const override;
    void setCustomRules(const std::vector<InjectionRule>& rules) override;

    [[nodiscard]] std::set<std::string> disabledBuiltInRuleIDs() const override;
    void setDisabledBuiltInRuleIDs(const std::set<std::string>& ids) override;

    [[nodiscard]] bool isRuleEngineEnabled() const override;
    void setRuleEngineEnabled(bool enabled) override;

private:
    platform::DefaultsStore& defaults_;
};

}  // namespace zentrel::typing
