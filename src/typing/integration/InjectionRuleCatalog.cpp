#include "typing/integration/InjectionRuleCatalog.hpp"

#include "platform/text/Uuid.hpp"
#include "typing/integration/BuiltInInjectionRules.hpp"

#include <unicode/uchar.h>
#include <unicode/utf8.h>

namespace zentrel::typing {

namespace {

// The text without white space and line breaks at either end.
std::string trimmed(std::string_view text) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    const auto length = static_cast<std::int32_t>(text.size());

    std::int32_t begin = 0;
    while (begin < length) {
        std::int32_t next = begin;
        UChar32 c = 0;
        U8_NEXT(bytes, next, length, c);
        if (c < 0 || !u_isUWhiteSpace(c)) break;
        begin = next;
    }
    std::int32_t end = length;
    while (end > begin) {
        std::int32_t previous = end;
        UChar32 c = 0;
        U8_PREV(bytes, begin, previous, c);
        if (c < 0 || !u_isUWhiteSpace(c)) break;
        end = previous;
    }
    return std::string(text.substr(static_cast<std::size_t>(begin), static_cast<std::size_t>(end - begin)));
}

}  // namespace

std::vector<InjectionRule> InjectionRuleCatalog::effectiveRules(const std::vector<InjectionRule>& custom,
                                                                const std::set<std::string>& disabledBuiltInIDs) {
    std::vector<InjectionRule> joined;
    for (const auto& rule : custom)
        if (rule.enabled) joined.push_back(rule);
    for (const auto& rule : BuiltInInjectionRules::all())
        if (!disabledBuiltInIDs.contains(rule.id)) joined.push_back(rule);
    return orderedByPriority(std::move(joined));
}

std::vector<InjectionRule> InjectionRuleCatalog::effectiveRules(const InjectionRuleStore& store) {
    return effectiveRules(store.customRules(), store.disabledBuiltInRuleIDs());
}

std::optional<InjectionRule> InjectionRuleCatalog::makeUserRule(const IMEContext& context,
                                                                const std::optional<std::string>& name,
                                                                InjectionProfilePreset preset) {
    if (!context.bundleIdentifier || context.bundleIdentifier->empty()) return std::nullopt;

    InjectionRule rule;
    if (auto given = name ? trimmed(*name) : std::string(); !given.empty()) {
        rule.name = std::move(given);
    } else if (context.windowTitle && !context.windowTitle->empty()) {
        rule.name = *context.windowTitle;
    } else {
        rule.name = *context.bundleIdentifier;
    }
    rule.id = std::string(userRuleIDPrefix) + platform::Uuid::random().string();
    rule.bundleIdPatterns = {*context.bundleIdentifier};
    rule.titleMatchMode = RuleMatchMode::contains;
    rule.axMatchMode = RuleMatchMode::regex;
    rule.priority = kUserRulePriority;
    rule.profile = profile(preset);
    rule.enabled = true;
    return rule;
}

}  // namespace zentrel::typing
