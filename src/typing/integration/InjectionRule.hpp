#pragma once
// One injection rule: for the places it matches (applications by bundle
// identifier, window titles, kinds of focused field), the profile the event
// bridge delivers with. Built-in rules come from a fixed table; the user's
// own rules are stored as a JSON array.

#include "typing/integration/InjectionProfile.hpp"

#include <nlohmann/json_fwd.hpp>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zentrel::typing {

// How a title or accessibility pattern is compared with its field; every
// mode ignores letter case.
enum class RuleMatchMode { contains, prefix, suffix, exact, regex };

inline constexpr std::array<RuleMatchMode, 5> kAllRuleMatchModes = {
    RuleMatchMode::contains, RuleMatchMode::prefix, RuleMatchMode::suffix, RuleMatchMode::exact,
    RuleMatchMode::regex};

[[nodiscard]] std::string_view rawValue(RuleMatchMode mode);
// Exactly a case name; anything else gives no value.
[[nodiscard]] std::optional<RuleMatchMode> ruleMatchModeFromRaw(std::string_view raw);

struct InjectionRule {
    std::string id;
    std::string name;
    // Empty: every application.
    std::vector<std::string> bundleIdPatterns;
    // Absent or empty: any title.
    std::optional<std::string> titlePattern;
    RuleMatchMode titleMatchMode = RuleMatchMode::contains;
    std::optional<std::string> axRolePattern;
    std::optional<std::string> axDescriptionPattern;
    std::optional<std::string> axIdentifierPattern;
    std::optional<std::string> axDOMClassPattern;
    // Used for all four accessibility patterns alike.
    RuleMatchMode axMatchMode = RuleMatchMode::regex;
    // Rules are tried from the highest priority down.
    std::int64_t priority = 0;
    InjectionProfile profile;
    // A disabled rule takes no part in matching.
    bool enabled = true;

    bool operator==(const InjectionRule&) const = default;
};

// The rules from the highest priority down; rules of equal priority keep
// their order.
[[nodiscard]] std::vector<InjectionRule> orderedByPriority(std::vector<InjectionRule> rules);

// JSON form: the field names as keys, absent patterns left out.
[[nodiscard]] nlohmann::ordered_json encodeRule(const InjectionRule& rule);
// Strict: every key but the five patterns (which may be missing or null) must
// be there with a value of its kind. Unknown keys are ignored.
[[nodiscard]] std::optional<InjectionRule> decodeRule(const nlohmann::ordered_json& object);

}  // namespace zentrel::typing
