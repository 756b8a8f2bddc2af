#include "ui/presenters/IMERulesSheetPresenter.hpp"

#include "platform/text/Localization.hpp"
#include "typing/integration/InjectionRuleCatalog.hpp"

namespace zentrel::ui {

std::string_view deliveryModeText(typing::InjectionDeliveryMode mode) {
    switch (mode) {
    case typing::InjectionDeliveryMode::cgEvent: return N_("CGEvent");
    case typing::InjectionDeliveryMode::axDirect: return N_("AX Direct");
    case typing::InjectionDeliveryMode::paste: return N_("Clipboard paste");
    case typing::InjectionDeliveryMode::selection: return N_("Selection + type");
    }
    return {};
}

RulesSheetState IMERulesSheetPresenter::state() const {
    RulesSheetState s;
    for (const auto& rule : manager_.customInjectionRules()) {
        s.userRules.push_back({rule.id, rule.name,
                               rule.bundleIdPatterns.empty() ? std::nullopt
                                                             : std::optional(rule.bundleIdPatterns.front()),
                               platform::localized(deliveryModeText(rule.profile.deliveryMode))});
    }
    const auto& disabled = manager_.disabledBuiltInRuleIDs();
    for (const auto& rule : typing::VietIMEManager::toggleableBuiltInRules()) {
        s.builtInRules.push_back({rule.id, platform::localized(rule.name),
                                  platform::localized(deliveryModeText(rule.profile.deliveryMode)),
                                  !disabled.contains(rule.id)});
    }
    if (const auto& context = manager_.lastOtherAppContext()) s.targetApplication = context->bundleIdentifier;
    return s;
}

platform::Subscription IMERulesSheetPresenter::observe(std::function<void()> changed) {
    auto subscriptions = std::make_shared<std::vector<platform::Subscription>>();
    const auto any = [changed](const auto&) { changed(); };
    subscriptions->push_back(manager_.customInjectionRules.observe(any));
    subscriptions->push_back(manager_.disabledBuiltInRuleIDs.observe(any));
    subscriptions->push_back(manager_.lastOtherAppContext.observe(any));
    return platform::Subscription([subscriptions] { subscriptions->clear(); });
}

void IMERulesSheetPresenter::add() {
    const auto name = newRuleName.empty() ? std::nullopt : std::optional(newRuleName);
    newRuleName.clear();
    const auto& context = manager_.lastOtherAppContext();
    if (!context) return;
    auto rule = typing::InjectionRuleCatalog::makeUserRule(*context, name, newRulePreset);
    if (!rule) return;
    manager_.customInjectionRules.modify([&](std::vector<typing::InjectionRule>& rules) { rules.push_back(*rule); });
    manager_.persistInjectionRules();
}

void IMERulesSheetPresenter::remove(const std::string& ruleID) {
    manager_.customInjectionRules.modify(
        [&](std::vector<typing::InjectionRule>& rules) { std::erase_if(rules, [&](const auto& r) { return r.id == ruleID; }); });
    manager_.persistInjectionRules();
}

void IMERulesSheetPresenter::setBuiltInRule(const std::string& ruleID, bool enabled) {
    manager_.setBuiltInRule(ruleID, enabled);
}

}  // namespace zentrel::ui
