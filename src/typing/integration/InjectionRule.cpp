#include "typing/integration/InjectionRule.hpp"

#include <nlohmann/json.hpp>

#include <algorithm>

namespace zentrel::typing {

namespace {

using Json = nlohmann::ordered_json;

// A pattern key: missing or null is absent, a string is the pattern, anything
// else fails the rule (the outer optional).
std::optional<std::optional<std::string>> decodePattern(const Json& object, const char* key) {
    auto found = object.find(key);
    if (found == object.end() || found->is_null()) return std::optional<std::string>{};
    if (!found->is_string()) return std::nullopt;
    return std::optional<std::string>{found->get<std::string>()};
}

std::optional<std::string> decodeString(const Json& object, const char* key) {
    auto found = object.find(key);
    if (found == object.end() || !found->is_string()) return std::nullopt;
    return found->get<std::string>();
}

std::optional<RuleMatchMode> decodeMode(const Json& object, const char* key) {
    auto text = decodeString(object, key);
    return text ? ruleMatchModeFromRaw(*text) : std::nullopt;
}

std::optional<std::vector<std::string>> decodeStringList(const Json& object, const char* key) {
    auto found = object.find(key);
    if (found == object.end() || !found->is_array()) return std::nullopt;
    std::vector<std::string> list;
    for (const auto& element : *found) {
        if (!element.is_string()) return std::nullopt;
        list.push_back(element.get<std::string>());
    }
    return list;
}

std::optional<std::int64_t> decodeInteger(const Json& object, const char* key) {
    auto found = object.find(key);
    if (found == object.end()) return std::nullopt;
    if (found->is_number_integer() && !found->is_number_unsigned()) return found->get<std::int64_t>();
    if (found->is_number_unsigned()) {
        auto value = found->get<std::uint64_t>();
        if (value > static_cast<std::uint64_t>(INT64_MAX)) return std::nullopt;
        return static_cast<std::int64_t>(value);
    }
    return std::nullopt;
}

void encodePattern(Json& object, const char* key, const std::optional<std::string>& pattern) {
    if (pattern) object[key] = *pattern;
}

}  // namespace

std::string_view rawValue(RuleMatchMode mode) {
    switch (mode) {
    case RuleMatchMode::contains: return "contains";
    case RuleMatchMode::prefix: return "prefix";
    case RuleMatchMode::suffix: return "suffix";
    case RuleMatchMode::exact: return "exact";
    case RuleMatchMode::regex: return "regex";
    }
    return "contains";
}

std::optional<RuleMatchMode> ruleMatchModeFromRaw(std::string_view raw) {
    for (auto mode : kAllRuleMatchModes)
        if (rawValue(mode) == raw) return mode;
    return std::nullopt;
}

std::vector<InjectionRule> orderedByPriority(std::vector<InjectionRule> rules) {
    std::stable_sort(rules.begin(), rules.end(),
                     [](const InjectionRule& a, const InjectionRule& b) { return a.priority > b.priority; });
    return rules;
}

nlohmann::ordered_json encodeRule(const InjectionRule& rule) {
    Json object = Json::object();
    object["id"] = rule.id;
    object["name"] = rule.name;
    object["bundleIdPatterns"] = rule.bundleIdPatterns;
    encodePattern(object, "titlePattern", rule.titlePattern);
    object["titleMatchMode"] = rawValue(rule.titleMatchMode);
    encodePattern(object, "axRolePattern", rule.axRolePattern);
    encodePattern(object, "axDescriptionPattern", rule.axDescriptionPattern);
    encodePattern(object, "axIdentifierPattern", rule.axIdentifierPattern);
    encodePattern(object, "axDOMClassPattern", rule.axDOMClassPattern);
    object["axMatchMode"] = rawValue(rule.axMatchMode);
    object["priority"] = rule.priority;
    object["profile"] = encodeProfile(rule.profile);
    object["enabled"] = rule.enabled;
    return object;
}

std::optional<InjectionRule> decodeRule(const nlohmann::ordered_json& object) {
    if (!object.is_object()) return std::nullopt;
    auto id = decodeString(object, "id");
    auto name = decodeString(object, "name");
    auto bundles = decodeStringList(object, "bundleIdPatterns");
    auto title = decodePattern(object, "titlePattern");
    auto titleMode = decodeMode(object, "titleMatchMode");
    auto role = decodePattern(object, "axRolePattern");
    auto description = decodePattern(object, "axDescriptionPattern");
    auto identifier = decodePattern(object, "axIdentifierPattern");
    auto domClass = decodePattern(object, "axDOMClassPattern");
    auto axMode = decodeMode(object, "axMatchMode");
    auto priority = decodeInteger(object, "priority");
    auto profile = object.contains("profile") ? decodeProfile(object.at("profile")) : std::nullopt;
    auto enabled = object.find("enabled");
    if (!id || !name || !bundles || !title || !titleMode || !role || !description || !identifier || !domClass ||
        !axMode || !priority || !profile || enabled == object.end() || !enabled->is_boolean())
        return std::nullopt;
    return InjectionRule{*id,          *name,     std::move(*bundles), *title,    *titleMode,
                         *role,        *description, *identifier,      *domClass, *axMode,
                         *priority,    *profile,  enabled->get<bool>()};
}

}  // namespace zentrel::typing
