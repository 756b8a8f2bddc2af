#include "doubles/InMemoryDefaultsStore.hpp"
#include "platform/text/Uuid.hpp"
#include "typing/integration/BuiltInInjectionRules.hpp"
#include "typing/integration/DefaultsInjectionRuleStore.hpp"
#include "typing/integration/InjectionRuleCatalog.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace zentrel::typing {
namespace {

std::vector<std::string> idsOf(const std::vector<InjectionRule>& rules) {
    std::vector<std::string> ids;
    for (const auto& rule : rules) ids.push_back(rule.id);
    return ids;
}

bool holds(const std::vector<InjectionRule>& rules, const std::string& id) {
    auto ids = idsOf(rules);
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

InjectionRule customRule(std::string id, std::int64_t priority, bool enabled = true) {
    InjectionRule rule;
    rule.id = std::move(id);
    rule.name = rule.id;
    rule.priority = priority;
    rule.enabled = enabled;
    return rule;
}

IMEContext context(std::optional<std::string> bundle, std::optional<std::string> title) {
    IMEContext made;
    made.bundleIdentifier = std::move(bundle);
    made.windowTitle = std::move(title);
    return made;
}

TEST(InjectionRuleCatalogTest, LeavesOutDisabledUserRulesAndSwitchedOffBuiltIns) {
    auto rules = InjectionRuleCatalog::effectiveRules(
        {customRule("user-on", 10), customRule("user-off", 10, false)}, {"terminals", "figma", "no-such-rule"});
    EXPECT_TRUE(holds(rules, "user-on"));
    EXPECT_FALSE(holds(rules, "user-off"));
    EXPECT_FALSE(holds(rules, "terminals"));
    EXPECT_FALSE(holds(rules, "figma"));
    EXPECT_EQ(rules.size(), BuiltInInjectionRules::all().size() - 2 + 1);
}

TEST(InjectionRuleCatalogTest, UserRulesPrecedeBuiltInsOfEqualPriorityAndKeepTheirOrder) {
    auto rules = InjectionRuleCatalog::effectiveRules(
        {customRule("user-b", 180), customRule("user-a", 180), customRule("user-top", 420)}, {});
    auto ids = idsOf(rules);
    auto at = [&](const std::string& id) { return std::find(ids.begin(), ids.end(), id) - ids.begin(); };
    EXPECT_EQ(ids.front(), "secure-input");
    EXPECT_EQ(ids[1], "user-top");
    EXPECT_EQ(at("user-b") + 1, at("user-a"));
    EXPECT_EQ(at("user-a") + 1, at("terminals"));
}

TEST(InjectionRuleCatalogTest, ReadsTheStoredRulesAndSwitchedOffIds) {
    testing::InMemoryDefaultsStore defaults;
    DefaultsInjectionRuleStore store(defaults);
    store.setCustomRules({customRule("user-x", 420)});
    store.setDisabledBuiltInRuleIDs({"native-cocoa"});
    auto rules = InjectionRuleCatalog::effectiveRules(store);
    EXPECT_EQ(rules.at(1).id, "user-x");
    EXPECT_FALSE(holds(rules, "native-cocoa"));
}

TEST(InjectionRuleCatalogTest, MakesAnExactRuleForTheApplicationInFront) {
    auto rule = InjectionRuleCatalog::makeUserRule(context("com.example.Chat", "Inbox"), "  Chat  \n",
                                                   InjectionProfilePreset::paste);
    ASSERT_TRUE(rule);
    EXPECT_EQ(rule->name, "Chat");
    ASSERT_EQ(rule->id.size(), 5u + 36u);
    EXPECT_TRUE(InjectionRuleCatalog::isUserRuleID(rule->id));
    auto uuid = rule->id.substr(5);
    EXPECT_TRUE(platform::Uuid::parse(uuid));
    EXPECT_TRUE(std::none_of(uuid.begin(), uuid.end(), [](char c) { return c >= 'a' && c <= 'z'; })) << uuid;
    EXPECT_EQ(rule->bundleIdPatterns, std::vector<std::string>{"com.example.Chat"});
    EXPECT_FALSE(rule->titlePattern || rule->axRolePattern || rule->axDescriptionPattern ||
                 rule->axIdentifierPattern || rule->axDOMClassPattern);
    EXPECT_EQ(rule->titleMatchMode, RuleMatchMode::contains);
    EXPECT_EQ(rule->axMatchMode, RuleMatchMode::regex);
    EXPECT_EQ(rule->priority, 420);
    EXPECT_EQ(rule->profile, InjectionProfile::remotePaste);
    EXPECT_TRUE(rule->enabled);

    auto another = InjectionRuleCatalog::makeUserRule(context("com.example.Chat", "Inbox"), "Chat",
                                                      InjectionProfilePreset::paste);
    ASSERT_TRUE(another);
    EXPECT_NE(another->id, rule->id);
}

TEST(InjectionRuleCatalogTest, NamesTheRuleByNameThenTitleThenBundle) {
    struct Case {
        std::optional<std::string> name;
        std::optional<std::string> title;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"Mail", "Inbox", "Mail"},
        {"   ", "  Inbox ", "  Inbox "},
        {"\u00a0\t\n", "Inbox", "Inbox"},
        {std::nullopt, "Inbox", "Inbox"},
        {"", "", "com.example.Mail"},
        {std::nullopt, std::nullopt, "com.example.Mail"},
        {" Thư  điện tử ", std::nullopt, "Thư  điện tử"},
    };
    for (const auto& c : cases) {
        auto rule = InjectionRuleCatalog::makeUserRule(context("com.example.Mail", c.title), c.name,
                                                       InjectionProfilePreset::automatic);
        ASSERT_TRUE(rule);
        EXPECT_EQ(rule->name, c.expected) << c.name.value_or("<absent>");
        EXPECT_EQ(rule->profile, InjectionProfile::defaultProfile);
    }
}

TEST(InjectionRuleCatalogTest, NoRuleWithoutABundleIdentifier) {
    for (const auto& bundle : {std::optional<std::string>{}, std::optional<std::string>{""}})
        EXPECT_FALSE(InjectionRuleCatalog::makeUserRule(context(bundle, "Inbox"), "Mail",
                                                        InjectionProfilePreset::slow));
}

TEST(InjectionRuleCatalogTest, UserRuleIdsBeginWithUserDash) {
    EXPECT_TRUE(InjectionRuleCatalog::isUserRuleID("user-"));
    EXPECT_TRUE(InjectionRuleCatalog::isUserRuleID("user-ABC"));
    EXPECT_FALSE(InjectionRuleCatalog::isUserRuleID("User-ABC"));
    EXPECT_FALSE(InjectionRuleCatalog::isUserRuleID("default"));
    EXPECT_FALSE(InjectionRuleCatalog::isUserRuleID(""));
}

}  // namespace
}  // namespace zentrel::typing
