#include "typing/integration/InjectionRuleEngine.hpp"

#include "typing/integration/BuiltInInjectionRules.hpp"
#include "typing/integration/CaseInsensitiveText.hpp"
#include "typing/integration/RegexPatternCache.hpp"

namespace zentrel::typing {

namespace {

ResolvedInjection answer(const InjectionProfile& profile, std::string_view id, std::string_view name) {
    return {profile, std::string(id), std::string(name)};
}

ResolvedInjection answer(const InjectionRule& rule) { return answer(rule.profile, rule.id, rule.name); }

bool bundlePatternMatches(std::string_view pattern, std::string_view identifier) {
    if (pattern == "*") return true;
    if (pattern.size() >= 2 && pattern.ends_with(".*"))
        return identifier.starts_with(pattern.substr(0, pattern.size() - 2));
    return pattern == identifier;
}

}  // namespace

InjectionRuleEngine::InjectionRuleEngine(std::vector<InjectionRule> rules, bool isEnabled)
    : rules_(orderedByPriority(std::move(rules))), isEnabled_(isEnabled) {}

void InjectionRuleEngine::updateRules(std::vector<InjectionRule> rules) {
    auto ordered = orderedByPriority(std::move(rules));
    std::lock_guard lock(lock_);
    rules_ = std::move(ordered);
    cachedContext_.reset();
}

void InjectionRuleEngine::setEnabled(bool enabled) {
    std::lock_guard lock(lock_);
    isEnabled_ = enabled;
    cachedContext_.reset();
}

ResolvedInjection InjectionRuleEngine::resolve(const IMEContext& context) {
    std::lock_guard lock(lock_);
    if (cachedContext_ && *cachedContext_ == context) return cachedResolution_;
    cachedResolution_ = evaluate(context);
    cachedContext_ = context;
    return cachedResolution_;
}

ResolvedInjection InjectionRuleEngine::syncContext(const IMEContext& context) { return resolve(context); }

ResolvedInjection InjectionRuleEngine::currentResolution() const {
    std::lock_guard lock(lock_);
    return cachedResolution_;
}

std::vector<InjectionRule> InjectionRuleEngine::rules() const {
    std::lock_guard lock(lock_);
    return rules_;
}

bool InjectionRuleEngine::isEnabled() const {
    std::lock_guard lock(lock_);
    return isEnabled_;
}

ResolvedInjection InjectionRuleEngine::evaluate(const IMEContext& context) const {
    // Checked before the on/off switch: typing into a password field must
    // never rewrite keys, whatever the user did with the rules.
    if (context.isSecureInput) return answer(BuiltInInjectionRules::secureInput());
    if (!isEnabled_) return answer(InjectionProfile::defaultProfile, disabledRuleID, disabledRuleName);
    for (const auto& rule : rules_) {
        if (!rule.enabled || rule.id == BuiltInInjectionRules::secureInputID) continue;
        if (matches(rule, context)) return answer(rule);
    }
    return answer(InjectionProfile::defaultProfile, fallbackRuleID, fallbackRuleName);
}

bool InjectionRuleEngine::matchesBundle(const std::optional<std::string>& bundleIdentifier,
                                        const std::vector<std::string>& patterns) {
    if (patterns.empty()) return true;
    if (!bundleIdentifier || bundleIdentifier->empty()) return false;
    for (const auto& pattern : patterns)
        if (bundlePatternMatches(pattern, *bundleIdentifier)) return true;
    return false;
}

bool InjectionRuleEngine::matchesField(const std::optional<std::string>& value,
                                       const std::optional<std::string>& pattern, RuleMatchMode mode) {
    if (!pattern || pattern->empty()) return true;
    if (!value || value->empty()) return false;
    switch (mode) {
    case RuleMatchMode::contains: return containsIgnoringCase(*value, *pattern);
    case RuleMatchMode::prefix: return hasPrefixIgnoringCase(*value, *pattern);
    case RuleMatchMode::suffix: return hasSuffixIgnoringCase(*value, *pattern);
    case RuleMatchMode::exact: return equalsIgnoringCase(*value, *pattern);
    case RuleMatchMode::regex: return RegexPatternCache::shared().matchesAnywhere(*pattern, *value);
    }
    return false;
}

bool InjectionRuleEngine::matchesTitle(const std::optional<std::string>& windowTitle,
                                       const std::optional<std::string>& pattern, RuleMatchMode mode) {
    return matchesField(windowTitle, pattern, mode);
}

bool InjectionRuleEngine::matchesAX(const InjectionRule& rule, const IMEContext& context) {
    return matchesField(context.focusedRole, rule.axRolePattern, rule.axMatchMode) &&
           matchesField(context.focusedDescription, rule.axDescriptionPattern, rule.axMatchMode) &&
           matchesField(context.focusedIdentifier, rule.axIdentifierPattern, rule.axMatchMode) &&
           matchesField(context.focusedDOMClassList, rule.axDOMClassPattern, rule.axMatchMode);
}

bool InjectionRuleEngine::matches(const InjectionRule& rule, const IMEContext& context) {
    return matchesBundle(context.bundleIdentifier, rule.bundleIdPatterns) &&
           matchesTitle(context.windowTitle, rule.titlePattern, rule.titleMatchMode) && matchesAX(rule, context);
}

}  // namespace zentrel::typing
