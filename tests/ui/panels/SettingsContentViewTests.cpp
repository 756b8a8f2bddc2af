#include "ui/panels/SettingsContentView.hpp"

#include "model/SharedEcosystemState.hpp"

#include "doubles/FakeClock.hpp"
#include "doubles/InMemoryDefaultsStore.hpp"

#include "ui/AccessibilityAudit.hpp"
#include "ui/LayoutAudit.hpp"

#include <QApplication>

#include <gtest/gtest.h>

namespace zentrel::ui {
namespace {

// A service that refuses every change.
class RefusingLoginItems final : public platform::LoginItemService {
public:
    std::optional<std::string> registerApp() override { return "Read-only file system"; }
    std::optional<std::string> unregisterApp() override { return "Read-only file system"; }
    [[nodiscard]] bool isRegistered() const override { return false; }
};

class SettingsContentViewTest : public ::testing::Test {
protected:
    testing::InMemoryDefaultsStore standard;
    testing::InMemoryDefaultsStore suite;
    testing::FakeClock clock;
    model::SharedEcosystemState shared{&suite, standard};
    model::UserPreferences prefs{standard, clock, shared};
    RefusingLoginItems loginItems;
    SettingsModel settings{{prefs, loginItems, {}}};
};

TEST_F(SettingsContentViewTest, EverySectionFitsThePageWithoutSidewaysScrolling) {
    SettingsContentView page(settings);
    for (const auto& info : settingsSections()) {
        page.setSection(info.section);
        for (const auto size : testing::kPageSizes)
            EXPECT_EQ(testing::layoutFaultsAt(page, size), std::vector<std::string>{}) << info.title << " " << size.width();
    }
}

TEST_F(SettingsContentViewTest, EverySectionReadsWellToAssistiveTools) {
    SettingsContentView page(settings);
    page.show();
    for (const auto& info : settingsSections()) {
        page.setSection(info.section);
        QApplication::processEvents();
        EXPECT_EQ(testing::accessibilityFaults(page), std::vector<std::string>{}) << info.title;
    }
}

TEST_F(SettingsContentViewTest, AChangeInTheWindowShowsOnThePage) {
    SettingsContentView page(settings);
    SettingsView window(settings);
    window.present();
    page.setSection(SettingsSection::scanning);
    window.content()->setSection(SettingsSection::scanning);
    auto* frequencyOnPage = page.pickerNamed("Scan frequency");
    ASSERT_NE(frequencyOnPage, nullptr);
    EXPECT_FALSE(frequencyOnPage->isVisibleTo(&page));

    window.content()->switchNamed("Enable automatic scanning")->click();
    EXPECT_TRUE(standard.boolean("autoScanEnabled"));
    EXPECT_TRUE(page.switchNamed("Enable automatic scanning")->isChecked());
    EXPECT_TRUE(frequencyOnPage->isVisibleTo(&page));
    EXPECT_EQ(frequencyOnPage->currentText(), "Weekly");

    window.present();
    EXPECT_EQ(window.content()->section(), SettingsSection::general) << "each opening starts on General";
}

TEST_F(SettingsContentViewTest, TheWindowOpensOverTheMainWindowThenWhereItWasLeft) {
    QWidget main;
    main.setGeometry(50, 30, 700, 560);  // inside the offscreen screen of 800 x 600
    main.show();
    {
        SettingsView window(settings);
        window.present(&main);
        // Within the window frame's few pixels, which are unknown before it first shows.
        EXPECT_LE((window.frameGeometry().center() - main.frameGeometry().center()).manhattanLength(), 8)
            << window.x() << "," << window.y();
        window.move(30, 40);
        window.hide();
    }
    SettingsView again(settings);
    again.present(&main);
    EXPECT_EQ(again.pos(), QPoint(30, 40));
}

TEST_F(SettingsContentViewTest, ARefusedLoginChangePutsTheSwitchBackAndSaysWhy) {
    SettingsContentView page(settings);
    page.show();
    auto* login = page.switchNamed("Launch Zentrel at login");
    ASSERT_NE(login, nullptr);
    login->click();
    EXPECT_FALSE(login->isChecked());
    EXPECT_TRUE(page.shownTexts().contains("Could not turn on start at login: Read-only file system"));
}

}  // namespace
}  // namespace zentrel::ui
