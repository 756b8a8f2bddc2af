#include "typing/integration/BuiltInInjectionRules.hpp"
#include "typing/integration/InjectionRule.hpp"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <string>
#include <vector>

namespace zentrel::typing {
namespace {

using Json = nlohmann::ordered_json;

InjectionRule fullRule() {
    InjectionRule rule;
    rule.id = "user-0F6E1D7A-1C2B-4D3E-8F90-ABCDEF012345";
    rule.name = "Ghi chú";
    rule.bundleIdPatterns = {"com.example.Notes", "org.example.*"};
    rule.titlePattern = "Draft";
    rule.titleMatchMode = RuleMatchMode::prefix;
    rule.axRolePattern = "AXTextArea";
    rule.axDescriptionPattern = "body";
    rule.axIdentifierPattern = "editor";
    rule.axDOMClassPattern = "ql-editor";
    rule.axMatchMode = RuleMatchMode::exact;
    rule.priority = -7;
    rule.profile = InjectionProfile::webPopupSelection;
    rule.enabled = false;
    return rule;
}

std::vector<std::string> keysOf(const Json& object) {
    std::vector<std::string> keys;
    for (const auto& [key, value] : object.items()) keys.push_back(key);
    return keys;
}

TEST(InjectionRuleJsonTest, FullRuleWritesEveryKeyInFieldOrderAndRoundTrips) {
    auto encoded = encodeRule(fullRule());
    EXPECT_EQ(keysOf(encoded),
              (std::vector<std::string>{"id", "name", "bundleIdPatterns", "titlePattern", "titleMatchMode",
                                        "axRolePattern", "axDescriptionPattern", "axIdentifierPattern",
                                        "axDOMClassPattern", "axMatchMode", "priority", "profile", "enabled"}));
    EXPECT_EQ(encoded["titleMatchMode"], "prefix");
    EXPECT_EQ(encoded["priority"], -7);
    EXPECT_EQ(decodeRule(Json::parse(encoded.dump())), fullRule());
}

TEST(InjectionRuleJsonTest, RuleWithoutPatternsWritesNoneOfThePatternKeys) {
    auto rule = fullRule();
    rule.titlePattern.reset();
    rule.axRolePattern.reset();
    rule.axDescriptionPattern.reset();
    rule.axIdentifierPattern.reset();
    rule.axDOMClassPattern.reset();
    auto encoded = encodeRule(rule);
    EXPECT_EQ(keysOf(encoded), (std::vector<std::string>{"id", "name", "bundleIdPatterns", "titleMatchMode",
                                                         "axMatchMode", "priority", "profile", "enabled"}));
    EXPECT_EQ(decodeRule(encoded), rule);
}

TEST(InjectionRuleJsonTest, EveryBuiltInRuleRoundTrips) {
    for (const auto& rule : BuiltInInjectionRules::all())
        EXPECT_EQ(decodeRule(Json::parse(encodeRule(rule).dump())), rule) << rule.id;
}

TEST(InjectionRuleJsonTest, NullPatternsReadAsAbsentAndUnknownKeysAreIgnored) {
    auto json = encodeRule(fullRule());
    json["titlePattern"] = nullptr;
    json["axDOMClassPattern"] = nullptr;
    json["futureField"] = {1, 2};
    auto decoded = decodeRule(json);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->titlePattern, std::nullopt);
    EXPECT_EQ(decoded->axDOMClassPattern, std::nullopt);
    EXPECT_EQ(decoded->axRolePattern, "AXTextArea");
}

TEST(InjectionRuleJsonTest, EveryRequiredKeyIsRequired) {
    for (const char* key : {"id", "name", "bundleIdPatterns", "titleMatchMode", "axMatchMode", "priority", "profile",
                            "enabled"}) {
        auto json = encodeRule(fullRule());
        json.erase(key);
        EXPECT_EQ(decodeRule(json), std::nullopt) << key;
    }
}

TEST(InjectionRuleJsonTest, ValuesOfTheWrongKindFailTheRule) {
    struct Case {
        const char* key;
        Json value;
    };
    const std::vector<Case> cases = {
        {"id", 12},
        {"bundleIdPatterns", "com.apple.Safari"},
        {"bundleIdPatterns", Json::array({"com.apple.Safari", 3})},
        {"titlePattern", 5},
        {"axIdentifierPattern", Json::array({"urlbar"})},
        {"titleMatchMode", "wildcard"},
        {"axMatchMode", "Regex"},
        {"priority", 1.5},
        {"priority", "420"},
        {"priority", 9223372036854775808ULL},
        {"profile", "default"},
        {"enabled", 1},
    };
    for (const auto& c : cases) {
        auto json = encodeRule(fullRule());
        json[c.key] = c.value;
        EXPECT_EQ(decodeRule(json), std::nullopt) << c.key << " = " << c.value.dump();
    }
    EXPECT_EQ(decodeRule(Json::array()), std::nullopt);
}

TEST(InjectionRuleJsonTest, PrioritySpansSigned64Bits) {
    for (std::int64_t priority : {INT64_MIN, std::int64_t{0}, INT64_MAX}) {
        auto rule = fullRule();
        rule.priority = priority;
        EXPECT_EQ(decodeRule(Json::parse(encodeRule(rule).dump())), rule) << priority;
    }
}

TEST(RuleMatchModeTest, CasesInOrderAndOnlyExactNamesRead) {
    const std::vector<std::string> names = {"contains", "prefix", "suffix", "exact", "regex"};
    ASSERT_EQ(kAllRuleMatchModes.size(), names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        EXPECT_EQ(rawValue(kAllRuleMatchModes[i]), names[i]);
        EXPECT_EQ(ruleMatchModeFromRaw(names[i]), kAllRuleMatchModes[i]);
    }
    EXPECT_EQ(ruleMatchModeFromRaw("Contains"), std::nullopt);
    EXPECT_EQ(ruleMatchModeFromRaw("glob"), std::nullopt);
}

TEST(InjectionRuleOrderTest, HighestPriorityFirstAndEqualPrioritiesKeepTheirOrder) {
    auto rule = [](std::string id, std::int64_t priority) {
        InjectionRule made;
        made.id = std::move(id);
        made.priority = priority;
        return made;
    };
    auto ordered = orderedByPriority({rule("a", 5), rule("b", 10), rule("c", 5), rule("d", -1), rule("e", 10)});
    std::vector<std::string> ids;
    for (const auto& r : ordered) ids.push_back(r.id);
    EXPECT_EQ(ids, (std::vector<std::string>{"b", "e", "a", "c", "d"}));
}

}  // namespace
}  // namespace zentrel::typing
