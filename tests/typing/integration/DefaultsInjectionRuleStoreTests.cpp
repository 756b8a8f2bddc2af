#include "doubles/InMemoryDefaultsStore.hpp"
#include "doubles/WarningCapture.hpp"
#include "typing/integration/DefaultsInjectionRuleStore.hpp"
#include "typing/integration/InjectionProfilePreset.hpp"
#include "typing/integration/InjectionRuleCatalog.hpp"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <string>
#include <vector>

namespace zentrel::typing {
namespace {

using Json = nlohmann::ordered_json;

class DefaultsInjectionRuleStoreTest : public ::testing::Test {
protected:
    void storeText(std::string_view key, std::string_view text) { defaults.setData(key, platform::bytesOf(text)); }

    [[nodiscard]] Json storedJson(std::string_view key) const {
        auto data = defaults.data(key);
        return data ? Json::parse(platform::textOf(*data)) : Json();
    }

    static InjectionRule rule(const std::string& bundle, InjectionProfilePreset preset) {
        IMEContext context;
        context.bundleIdentifier = bundle;
        return *InjectionRuleCatalog::makeUserRule(context, std::nullopt, preset);
    }

    testing::InMemoryDefaultsStore defaults;
    DefaultsInjectionRuleStore store{defaults};
};

TEST_F(DefaultsInjectionRuleStoreTest, EmptyDefaultsGiveNoRulesNoSwitchedOffIdsAndTheEngineOn) {
    testing::WarningCapture warnings;
    EXPECT_TRUE(store.customRules().empty());
    EXPECT_TRUE(store.disabledBuiltInRuleIDs().empty());
    EXPECT_TRUE(store.isRuleEngineEnabled());
    EXPECT_TRUE(warnings.lines().empty());
    EXPECT_TRUE(defaults.keys().empty());
}

TEST_F(DefaultsInjectionRuleStoreTest, RulesAreStoredAsAJsonArrayAndReadBackInOrder) {
    std::vector<InjectionRule> rules = {rule("com.example.A", InjectionProfilePreset::slow),
                                        rule("com.example.B", InjectionProfilePreset::webEditor)};
    rules[1].titlePattern = "Docs";
    store.setCustomRules(rules);
    auto json = storedJson("vietIMECustomRules");
    ASSERT_TRUE(json.is_array());
    ASSERT_EQ(json.size(), 2u);
    EXPECT_EQ(json[1]["titlePattern"], "Docs");
    EXPECT_EQ(store.customRules(), rules);

    store.setCustomRules({});
    EXPECT_EQ(storedJson("vietIMECustomRules"), Json::array());
}

TEST_F(DefaultsInjectionRuleStoreTest, MalformedRuleIsSkippedWithAWarningAndKeptByTheNextSave) {
    auto good = rule("com.example.Good", InjectionProfilePreset::paste);
    Json broken = encodeRule(rule("com.example.Broken", InjectionProfilePreset::slow));
    broken["id"] = "user-broken";
    broken["titleMatchMode"] = "glob";
    Json array = Json::array({encodeRule(good), broken, 42});
    storeText("vietIMECustomRules", array.dump());

    testing::WarningCapture warnings;
    auto read = store.customRules();
    EXPECT_EQ(read, std::vector<InjectionRule>{good});
    auto lines = warnings.lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_NE(lines[0].find("\"user-broken\""), std::string::npos) << lines[0];

    auto added = rule("com.example.New", InjectionProfilePreset::selection);
    store.setCustomRules({good, added});
    auto stored = storedJson("vietIMECustomRules");
    EXPECT_EQ(stored, Json::array({encodeRule(good), encodeRule(added), broken, 42}));
    EXPECT_EQ(store.customRules(), (std::vector<InjectionRule>{good, added}));

    store.setCustomRules({});
    EXPECT_EQ(storedJson("vietIMECustomRules"), Json::array({broken, 42}));
}

TEST_F(DefaultsInjectionRuleStoreTest, UnreadableValueGivesNoRulesWithAWarning) {
    for (std::string_view text : {"not json", "{\"id\": \"x\"}", ""}) {
        storeText("vietIMECustomRules", text);
        testing::WarningCapture warnings;
        EXPECT_TRUE(store.customRules().empty()) << text;
        EXPECT_EQ(warnings.lines().size(), 1u) << text;
    }
    defaults.setString("vietIMECustomRules", "[]");
    EXPECT_TRUE(store.customRules().empty());
}

TEST_F(DefaultsInjectionRuleStoreTest, SwitchedOffIdsAreAJsonStringArray) {
    store.setDisabledBuiltInRuleIDs({"terminals", "figma"});
    EXPECT_EQ(storedJson("vietIMEDisabledBuiltInRuleIDs"), Json::array({"figma", "terminals"}));
    EXPECT_EQ(store.disabledBuiltInRuleIDs(), (std::set<std::string>{"figma", "terminals"}));

    storeText("vietIMEDisabledBuiltInRuleIDs", R"(["web-popup", 3, null, "web-popup"])");
    EXPECT_EQ(store.disabledBuiltInRuleIDs(), std::set<std::string>{"web-popup"});
    storeText("vietIMEDisabledBuiltInRuleIDs", "{");
    EXPECT_TRUE(store.disabledBuiltInRuleIDs().empty());
}

TEST_F(DefaultsInjectionRuleStoreTest, RuleEngineSwitchIsOnOnlyWhileAbsentOrTrue) {
    store.setRuleEngineEnabled(false);
    EXPECT_EQ(defaults.value("vietIMERuleEngineEnabled"), platform::DefaultsValue(false));
    EXPECT_FALSE(store.isRuleEngineEnabled());
    store.setRuleEngineEnabled(true);
    EXPECT_TRUE(store.isRuleEngineEnabled());
    defaults.setString("vietIMERuleEngineEnabled", "NO");
    EXPECT_FALSE(store.isRuleEngineEnabled());
    defaults.setInteger("vietIMERuleEngineEnabled", 0);
    EXPECT_FALSE(store.isRuleEngineEnabled());
    defaults.setString("vietIMERuleEngineEnabled", "YES");
    EXPECT_TRUE(store.isRuleEngineEnabled());
}

}  // namespace
}  // namespace zentrel::typing
