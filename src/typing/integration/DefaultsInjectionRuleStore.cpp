#include "typing/integration/DefaultsInjectionRuleStore.hpp"

#include "platform/text/Warnings.hpp"

#include <nlohmann/json.hpp>

namespace zentrel::typing {

namespace {

using Json = nlohmann::ordered_json;

// The JSON array stored under `key`; absent when the key holds no data or data
// that is not a JSON array.
std::optional<Json> storedArray(const platform::DefaultsStore& defaults, std::string_view key) {
    auto data = defaults.data(key);
    if (!data) return std::nullopt;
    auto parsed = Json::parse(platform::textOf(*data), nullptr, /*allow_exceptions=*/false);
    if (parsed.is_discarded() || !parsed.is_array()) return std::nullopt;
    return parsed;
}

void storeJson(platform::DefaultsStore& defaults, std::string_view key, const Json& value) {
    defaults.setData(key, platform::bytesOf(value.dump()));
}

std::string describe(const Json& entry) {
    if (entry.is_object()) {
        auto id = entry.find("id");
        if (id != entry.end() && id->is_string()) return "\"" + id->get<std::string>() + "\"";
    }
    return "without an id";
}

}  // namespace

std::vector<InjectionRule> DefaultsInjectionRuleStore::customRules() const {
    std::vector<InjectionRule> rules;
    if (!defaults_.contains(customRulesKey)) return rules;
    auto stored = storedArray(defaults_, customRulesKey);
    if (!stored) {
        platform::warn("Could not read the stored typing rules; using none");
        return rules;
    }
    for (const auto& entry : *stored) {
        if (auto rule = decodeRule(entry)) {
            rules.push_back(std::move(*rule));
        } else {
            platform::warn("Skipped an unreadable typing rule " + describe(entry));
        }
    }
    return rules;
}

void DefaultsInjectionRuleStore::setCustomRules(const std::vector<InjectionRule>& rules) {
    Json array = Json::array();
    for (const auto& rule : rules) array.push_back(encodeRule(rule));
    if (auto stored = storedArray(defaults_, customRulesKey)) {
        for (auto& entry : *stored)
            if (!decodeRule(entry)) array.push_back(std::move(entry));
    }
    storeJson(defaults_, customRulesKey, array);
}

std::set<std::string> DefaultsInjectionRuleStore::disabledBuiltInRuleIDs() const {
    std::set<std::string> ids;
    if (auto stored = storedArray(defaults_, disabledBuiltInRuleIDsKey)) {
        for (const auto& entry : *stored)
            if (entry.is_string()) ids.insert(entry.get<std::string>());
    }
    return ids;
}

void DefaultsInjectionRuleStore::setDisabledBuiltInRuleIDs(const std::set<std::string>& ids) {
    storeJson(defaults_, disabledBuiltInRuleIDsKey, Json(ids));
}

bool DefaultsInjectionRuleStore::isRuleEngineEnabled() const {
    return !defaults_.contains(ruleEngineEnabledKey) || defaults_.boolean(ruleEngineEnabledKey);
}

void DefaultsInjectionRuleStore::setRuleEngineEnabled(bool enabled) { defaults_.setBool(ruleEngineEnabledKey, enabled); }

}  // namespace zentrel::typing
