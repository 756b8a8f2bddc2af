#include "ui/tools/AppFeaturesView.hpp"
#include "ui/tools/IMERulesSheet.hpp"
#include "ui/tools/IMEShortcutSheet.hpp"
#include "ui/tools/VietnameseIMEFeatureCard.hpp"

#include "typing/integration/VietIMEManagerHarness.hpp"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QButtonGroup>
#include <QKeyEvent>
#include <QTest>

#include "ui/LayoutAudit.hpp"

#include <gtest/gtest.h>

namespace zentrel::ui {
namespace {

class TypingScreensTest : public ::testing::Test, protected testing::VietIMEManagerHarness {
protected:
    TypingScreensTest() { makeManager(); }
    TypingCardServices services() { return {*manager, *permissions, clock, didBecomeActive}; }
    // Typing turned on through the card's switch, the key tap trusted.
    void turnOn(VietnameseIMEFeatureCard& card) {
        trust.trusted = true;
        permissions->accessibility.set(true);
        card.enabledSwitch()->click();
    }
};

TEST_F(TypingScreensTest, ThePageFitsWithoutSidewaysScrollingAtEverySize) {
    AppFeaturesView page(kFeatureGridColumns, services());
    for (const auto size : testing::kPageSizes)
        EXPECT_EQ(testing::layoutFaultsAt(page, size), std::vector<std::string>{}) << size.width();
}

TEST_F(TypingScreensTest, TheIntroSpeaksOfTypingAndThePathStandsOnALineOfItsOwn) {
    EXPECT_NE(std::string(kFeaturesIntro).find("typing"), std::string::npos) << "the page holds only the typing card";
    AppFeaturesView page(kFeatureGridColumns, services());
    auto& card = *page.typingCard();
    turnOn(card);
    page.resize(testing::kFirstPage);
    page.show();
    QApplication::processEvents();
    const auto* detail = card.integrationModeDetail();
    const auto* path = card.typingPathLabel();
    ASSERT_TRUE(path->isVisible());
    EXPECT_EQ(path->text(), "Typing through the key tap");
    EXPECT_FALSE(detail->text().contains(path->text()));
    const int detailBottom = detail->mapTo(&card, QPoint(0, detail->height())).y();
    EXPECT_GE(path->mapTo(&card, QPoint(0, 0)).y() - detailBottom, 8) << "a gap between the two texts";
}

TEST_F(TypingScreensTest, ARefusedSwitchTurnsBackOffAndSaysWhy) {
    tap.available = false;
    tap.reason = "The key tap works only in an X11 session; on Wayland, type through the input method";
    VietnameseIMEFeatureCard card(services());
    EXPECT_FALSE(card.integrationModePicker()->isEnabled());
    card.enabledSwitch()->click();
    EXPECT_FALSE(card.enabledSwitch()->isChecked());
    EXPECT_TRUE(card.shownTexts().contains(QString::fromStdString(*tap.reason)));
    EXPECT_TRUE(card.integrationModePicker()->isEnabled()) << "the input-method mode can be chosen instead";
}

TEST_F(TypingScreensTest, AnOptionSwitchStoresItsOwnOption) {
    VietnameseIMEFeatureCard card(services());
    turnOn(card);
    ASSERT_TRUE(manager->isEnabled());
    card.advancedOptions()->header()->click();
    QCheckBox* clearTone = nullptr;
    for (auto* box : card.findChildren<QCheckBox*>())
        if (box->text() == "Xoá dấu (z / 0)") clearTone = box;
    ASSERT_NE(clearTone, nullptr);
    clearTone->click();
    EXPECT_FALSE(stored->prefs.vietIMEOptions().clearToneKey);
    EXPECT_FALSE(snapshot().options.clearToneKey);
    auto expected = typing::VietIMEOptions::defaultOptions;
    expected.clearToneKey = false;
    EXPECT_EQ(manager->options(), expected);
}

TEST_F(TypingScreensTest, TheMethodFollowsTheChosenSegmentHoweverItWasChosen) {
    VietnameseIMEFeatureCard card(services());
    turnOn(card);
    ASSERT_TRUE(manager->isEnabled());
    auto* group = card.inputMethodPicker();
    ASSERT_TRUE(group->exclusive()) << "one choice";
    const auto segment = [&](typing::VietInputMethod method) { return group->button(static_cast<int>(method)); };
    // An assistive technology's Toggle, then a click, then Toggle on the chosen one.
    auto* vni = QAccessible::queryAccessibleInterface(segment(typing::VietInputMethod::vni));
    ASSERT_NE(vni, nullptr);
    ASSERT_NE(vni->actionInterface(), nullptr);
    vni->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_EQ(manager->inputMethod(), typing::VietInputMethod::vni);
    EXPECT_EQ(group->checkedId(), static_cast<int>(typing::VietInputMethod::vni));
    segment(typing::VietInputMethod::viqr)->click();
    EXPECT_EQ(manager->inputMethod(), typing::VietInputMethod::viqr);
    QAccessible::queryAccessibleInterface(segment(typing::VietInputMethod::viqr))
        ->actionInterface()
        ->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_EQ(manager->inputMethod(), typing::VietInputMethod::viqr);
    EXPECT_EQ(group->checkedId(), static_cast<int>(typing::VietInputMethod::viqr));
    // A change from elsewhere shows without being chosen again.
    manager->setInputMethod(typing::VietInputMethod::telex);
    EXPECT_EQ(group->checkedId(), static_cast<int>(typing::VietInputMethod::telex));
}

TEST_F(TypingScreensTest, TheShortcutSheetClosesOnEscape) {
    QWidget window;
    window.show();
    auto* sheet = new IMEShortcutSheet(&window);
    sheet->open();
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_GE(sheet->minimumWidth(), 420);
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(sheet, &escape);
    EXPECT_FALSE(sheet->isVisible());
}

TEST_F(TypingScreensTest, TheRulesSheetAddsForTheLastOtherApplicationAndDeletes) {
    IMERulesSheet sheet(*manager);
    EXPECT_FALSE(sheet.addButton()->isEnabled());
    EXPECT_TRUE(sheet.deleteButtons().empty());

    bringToFront("gedit");
    bringToFront(std::string(kOwnApplication));
    ASSERT_TRUE(sheet.addButton()->isEnabled());
    EXPECT_EQ(sheet.targetLine()->text(), "gedit");
    sheet.nameField()->setText("Editor");
    sheet.addButton()->click();
    EXPECT_TRUE(sheet.nameField()->text().isEmpty());
    ASSERT_EQ(sheet.deleteButtons().size(), 1u);
    EXPECT_EQ(stored->ruleStore.customRules().front().name, "Editor");

    sheet.deleteButtons().front()->click();
    EXPECT_TRUE(stored->ruleStore.customRules().empty());
    EXPECT_TRUE(sheet.deleteButtons().empty());
}

TEST_F(TypingScreensTest, ABuiltInRuleSwitchKeepsTheFocusWhenTheListsAreBuiltAgain) {
    IMERulesSheet sheet(*manager);
    sheet.show();
    QApplication::setActiveWindow(&sheet);
    ASSERT_GE(sheet.builtInSwitches().size(), 2u);
    sheet.builtInSwitches()[1]->setFocus();
    for (int press = 1; press <= 2; ++press) {
        auto* toggle = sheet.builtInSwitches()[1];
        ASSERT_TRUE(toggle->hasFocus()) << press;
        const bool wasOn = toggle->isChecked();
        QTest::keyClick(toggle, Qt::Key_Space);
        auto* rebuilt = sheet.builtInSwitches()[1];
        ASSERT_NE(rebuilt, toggle) << "the lists were built again";
        EXPECT_NE(rebuilt->isChecked(), wasOn);
        EXPECT_EQ(QApplication::focusWidget(), rebuilt) << press;
    }
}

TEST_F(TypingScreensTest, SpaceOnTheTypingSwitchKeepsTheFocusOnIt) {
    trust.trusted = true;
    permissions->accessibility.set(true);
    VietnameseIMEFeatureCard card(services());
    card.show();
    QApplication::setActiveWindow(&card);
    card.enabledSwitch()->setFocus();
    ASSERT_TRUE(card.enabledSwitch()->hasFocus());
    QTest::keyClick(card.enabledSwitch(), Qt::Key_Space);
    ASSERT_TRUE(manager->isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), card.enabledSwitch()) << "moved into the card built for the new state";
}

}  // namespace
}  // namespace zentrel::ui
