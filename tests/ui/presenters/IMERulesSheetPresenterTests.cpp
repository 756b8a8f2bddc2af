#include "ui/presenters/IMERulesSheetPresenter.hpp"

#include "typing/integration/BuiltInInjectionRules.hpp"
#include "typing/integration/VietIMEManagerHarness.hpp"

#include <gtest/gtest.h>

namespace zentrel::ui {
namespace {

using typing::InjectionProfilePreset;

class IMERulesSheetTest : public ::testing::Test, protected testing::VietIMEManagerHarness {
protected:
    IMERulesSheetTest() {
        makeManager();
        sheet = std::make_unique<IMERulesSheetPresenter>(*manager);
    }
    std::unique_ptr<IMERulesSheetPresenter> sheet;
};

TEST_F(IMERulesSheetTest, ARuleIsMadeForTheLastOtherApplicationNeverForThisOne) {
    bringToFront(std::string(kOwnApplication));
    EXPECT_EQ(sheet->state().targetApplication, std::nullopt) << "\"Thêm\" is disabled";
    sheet->newRuleName = "x";
    sheet->add();
    EXPECT_TRUE(manager->customInjectionRules().empty());
    EXPECT_EQ(sheet->newRuleName, "") << "the name field is emptied in every case";

    elements.windowTitle = "notes.txt - gedit";
    bringToFront("gedit");
    bringToFront(std::string(kOwnApplication));
    EXPECT_EQ(sheet->state().targetApplication, "gedit");
    sheet->newRulePreset = InjectionProfilePreset::paste;
    sheet->add();
    const auto& rule = manager->customInjectionRules().back();
    EXPECT_EQ(rule.name, "notes.txt - gedit");
    EXPECT_EQ(rule.bundleIdPatterns, std::vector<std::string>{"gedit"});
    EXPECT_EQ(sheet->state().userRules.back().deliveryText, "Clipboard paste");
    EXPECT_EQ(sheet->newRulePreset, InjectionProfilePreset::paste) << "the preset is kept";
}

TEST_F(IMERulesSheetTest, NamesFallBackToTheTitleThenTheApplication) {
    const struct {
        std::optional<std::string> title;
        std::string typed;
        std::string name;
    } rows[] = {{"Inbox", "Mail rule", "Mail rule"}, {"Inbox", "", "Inbox"}, {"Inbox", "   ", "Inbox"},
                {"", "", "thunderbird"}, {std::nullopt, " \n", "thunderbird"}};
    for (const auto& row : rows) {
        elements.windowTitle = row.title;
        bringToFront("thunderbird");
        sheet->newRuleName = row.typed;
        sheet->add();
        EXPECT_EQ(manager->customInjectionRules().back().name, row.name);
    }
    const auto& rules = manager->customInjectionRules();
    EXPECT_NE(rules[0].id, rules[1].id) << "one application, two rules";
}

TEST_F(IMERulesSheetTest, AddedAndRemovedRulesAreStoredWithTheUsersRules) {
    EXPECT_TRUE(sheet->state().userRules.empty());
    bringToFront("gedit");
    sheet->add();
    sheet->add();
    ASSERT_EQ(stored->ruleStore.customRules().size(), 2u);
    const auto first = manager->customInjectionRules()[0];
    manager->customInjectionRules.modify([&](auto& rules) { rules.push_back(first); });
    sheet->remove(first.id);
    EXPECT_EQ(stored->ruleStore.customRules(), std::vector<typing::InjectionRule>{manager->customInjectionRules()});
    ASSERT_EQ(sheet->state().userRules.size(), 1u) << "both rules of that id go";

    reopen();
    IMERulesSheetPresenter reopened(*manager);
    EXPECT_EQ(reopened.state().userRules.size(), 1u);
}

TEST_F(IMERulesSheetTest, ABuiltInRuleSwitchedOffStaysOffAfterReopening) {
    const auto rows = sheet->state().builtInRules;
    ASSERT_EQ(rows.size(), typing::VietIMEManager::toggleableBuiltInRules().size());
    for (const auto& row : rows) {
        EXPECT_NE(row.id, typing::BuiltInInjectionRules::secureInputID);
        EXPECT_NE(row.id, typing::BuiltInInjectionRules::defaultID);
        EXPECT_TRUE(row.isOn);
    }
    sheet->setBuiltInRule("terminals", false);
    EXPECT_TRUE(manager->disabledBuiltInRuleIDs().contains("terminals"));

    reopen();
    IMERulesSheetPresenter reopened(*manager);
    for (const auto& row : reopened.state().builtInRules) EXPECT_EQ(row.isOn, row.id != "terminals") << row.id;
}

}  // namespace
}  // namespace zentrel::ui
