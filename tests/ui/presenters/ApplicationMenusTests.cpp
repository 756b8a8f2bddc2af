#include "ui/presenters/AboutPresenter.hpp"
#include "ui/presenters/ApplicationMenus.hpp"

#include "platform/text/Localization.hpp"
#include "viewmodels/ScanViewModelHarness.hpp"

#include <gtest/gtest.h>

namespace zentrel::ui {
namespace {

using C = MenuCommand;

// A translation table of its own, so a title that skips the lookup shows.
class ApplicationMenusTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto& localization = platform::Localization::shared();
        localization.addTranslations("x-menus", {{"&File", "&Tệp"},
                                                 {"Quit", "Thoát"},
                                                 {"About Zentrel", "Giới thiệu Zentrel"},
                                                 {"Version %@", "Phiên bản %@"}});
        previous_ = localization.language();
    }
    void TearDown() override { platform::Localization::shared().setLanguage(previous_); }

    std::string previous_;
};

TEST_F(ApplicationMenusTest, FileSettingsAndHelpHoldTheirCommandsInOrder) {
    const auto menus = applicationMenus(false);
    ASSERT_EQ(menus.size(), 3u);
    const std::vector<std::pair<std::string, std::vector<C>>> expected = {
        {"&File", {C::exportReport, C::quit}},
        {"&Settings", {C::toggleTyping, C::preferences}},
        {"&Help", {C::checkForUpdates, C::about}},
    };
    for (std::size_t i = 0; i < menus.size(); ++i) {
        EXPECT_EQ(menus[i].title, expected[i].first);
        std::vector<C> commands;
        for (const auto& entry : menus[i].entries) commands.push_back(entry.command);
        EXPECT_EQ(commands, expected[i].second) << menus[i].title;
    }
    EXPECT_EQ(menus[0].entries[0].title, "Export Report\u2026");
    EXPECT_EQ(menus[0].entries[1], (MenuEntry{C::quit, "Quit", "Ctrl+Q", true}));
    EXPECT_EQ(menus[1].entries[1].title, "Preferences\u2026");
    EXPECT_EQ(menus[2].entries[0].title, "Check for Updates\u2026");
    EXPECT_EQ(menus[2].entries[1].title, "About Zentrel");
    // The typing toggle says what it will do.
    EXPECT_NE(applicationMenus(true)[1].entries[0].title, menus[1].entries[0].title);
    EXPECT_EQ(menus[1].entries[0].shortcut, "Ctrl+Shift+Z");
}

TEST_F(ApplicationMenusTest, TitlesGoThroughTheLocalizationLookup) {
    platform::Localization::shared().setLanguage("x-menus");
    const auto menus = applicationMenus(false);
    EXPECT_EQ(menus[0].title, "&Tệp");
    EXPECT_EQ(menus[0].entries[1].title, "Thoát");
    EXPECT_EQ(menus[2].entries[1].title, "Giới thiệu Zentrel");
    EXPECT_EQ(aboutContent("1.2.3").versionText, "Phiên bản 1.2.3");
}

TEST_F(ApplicationMenusTest, ExportReportOnlyWithAFinishedResultOnShow) {
    testing::ScanViewModelHarness harness;
    auto vm = harness.make();
    EXPECT_FALSE(canExportReport(*vm, MainWindowBranch::content));  // nothing scanned
    harness.scanTo(*vm, {testing::scannedItem("/h/.cache/a", model::CategoryType::appCaches, 50)});
    EXPECT_TRUE(canExportReport(*vm, MainWindowBranch::content));
    EXPECT_FALSE(canExportReport(*vm, MainWindowBranch::onboarding));
    vm->resetScan(true);
    vm->startScan(false, true, false, false);
    EXPECT_FALSE(canExportReport(*vm, MainWindowBranch::content));  // scanning
}

TEST(AboutPresenter, NamesTheProgramItsLicenceAndTheLibrariesWithKnownVersions) {
    const auto about = aboutContent("2.0.1", {{"Qt", "6.4.2"}});
    EXPECT_EQ(about.name, "Zentrel");
    EXPECT_EQ(about.icon, "zentrel");
    EXPECT_EQ(about.versionText, "Version 2.0.1");
    EXPECT_FALSE(about.description.empty());
    EXPECT_NE(about.licence.find("Torvane"), std::string::npos);
    ASSERT_GE(about.libraries.size(), 10u);
    EXPECT_EQ(about.libraries.front(), (AboutLibrary{"Qt", "6.4.2"}));
    const auto sqlite = std::ranges::find(about.libraries, std::string("SQLite"), &AboutLibrary::name);
    ASSERT_NE(sqlite, about.libraries.end());
    EXPECT_TRUE(sqlite->version.empty());
}

}  // namespace
}  // namespace zentrel::ui
