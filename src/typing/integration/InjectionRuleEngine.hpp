#pragma once
// Answers which injection profile applies where the user is typing. Holds the
// rules in force, highest priority first, and the last answer for one
// context. Every operation takes the one lock, so any thread may call it
// (the event-tap callback reaches the engine).

#include "platform/text/Localization.hpp"
#include "typing/integration/IMEContext.hpp"
#include "typing/integration/InjectionRule.hpp"
#include "typing/integration/ResolvedInjection.hpp"

#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zentrel::typing {

class InjectionRuleEngine final {
public:
    // The answer while the engine is switched off.
    static constexpr std::string_view disabledRuleID = "disabled";
    static constexpr std::string_view disabledRuleName = N_("Rule engine tắt");
    // The answer when no rule matched.
    static constexpr std::string_view fallbackRuleID = "default";
    static constexpr std::string_view fallbackRuleName = N_("Mặc định");

    InjectionRuleEngine(std::vector<InjectionRule> rules, bool isEnabled);
    InjectionRuleEngine(const InjectionRuleEngine&) = delete;
    InjectionRuleEngine& operator=(const InjectionRuleEngine&) = delete;

    void updateRules(std::vector<InjectionRule> rules);
    void setEnabled(bool enabled);

    // A secure (password) field always gets the built-in secure-input rule,
    // whether the engine is on or not. Otherwise, switched off: the "disabled"
    // answer; on: the first enabled rule that matches, else the "default"
    // answer. The same context asked again gets the stored answer.
    [[nodiscard]] ResolvedInjection resolve(const IMEContext& context);
    // Resolves and keeps the answer for currentResolution().
    ResolvedInjection syncContext(const IMEContext& context);
    // The last answer, without matching.
    [[nodiscard]] ResolvedInjection currentResolution() const;

    [[nodiscard]] std::vector<InjectionRule> rules() const;
    [[nodiscard]] bool isEnabled() const;

    // Whether a bundle identifier matches a pattern list: an empty list matches
    // anything; otherwise "*" matches every identifier, a pattern ending ".*"
    // every identifier beginning with what precedes it, and any other pattern
    // only the identical identifier, letter case included.
    [[nodiscard]] static bool matchesBundle(const std::optional<std::string>& bundleIdentifier,
                                            const std::vector<std::string>& patterns);
    // Whether a text field matches a pattern by a mode, ignoring letter case.
    // An absent or empty pattern matches anything; an absent or empty value
    // matches no other pattern.
    [[nodiscard]] static bool matchesField(const std::optional<std::string>& value,
                                           const std::optional<std::string>& pattern, RuleMatchMode mode);
    [[nodiscard]] static bool matchesTitle(const std::optional<std::string>& windowTitle,
                                           const std::optional<std::string>& pattern, RuleMatchMode mode);
    // Whether every accessibility pattern of the rule matches its context field.
    [[nodiscard]] static bool matchesAX(const InjectionRule& rule, const IMEContext& context);
    // Bundle, title and accessibility patterns all match.
    [[nodiscard]] static bool matches(const InjectionRule& rule, const IMEContext& context);

private:
    [[nodiscard]] ResolvedInjection evaluate(const IMEContext& context) const;

    mutable std::mutex lock_;
    std::vector<InjectionRule> rules_;
    bool isEnabled_;
    std::optional<IMEContext> cachedContext_;
    ResolvedInjection cachedResolution_;
};

}  // namespace zentrel::typing
