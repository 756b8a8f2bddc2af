#include "ui/presenters/SettingsModel.hpp"

#include "model/SharedEcosystemState.hpp"
#include "platform/desktop/XdgAutostartLoginItem.hpp"

#include "doubles/FakeClock.hpp"
#include "doubles/InMemoryDefaultsStore.hpp"
#include "doubles/TempDir.hpp"

#include <gtest/gtest.h>

#include <filesystem>

namespace zentrel::ui {
namespace {

using model::ViewMode;

class ScriptedLoginItems final : public platform::LoginItemService {
public:
    bool registered = false;
    // What a change does: takes effect, waits (no error, nothing changes) or fails.
    enum class Outcome { takes, waits, fails } outcome = Outcome::takes;
    std::vector<bool> calls;  // true: register

    std::optional<std::string> registerApp() override { return change(true); }
    std::optional<std::string> unregisterApp() override { return change(false); }
    [[nodiscard]] bool isRegistered() const override { return registered; }

private:
    std::optional<std::string> change(bool on) {
        calls.push_back(on);
        if (outcome == Outcome::fails) return "Permission denied";
        if (outcome == Outcome::takes) registered = on;
        return std::nullopt;
    }
};

class SettingsModelTest : public ::testing::Test {
protected:
    [[nodiscard]] SettingsModel make(platform::LoginItemService& service) {
        return SettingsModel({prefs, service, [this] { ++authorizationRequests; }});
    }
    testing::InMemoryDefaultsStore standard;
    testing::InMemoryDefaultsStore suite;
    testing::FakeClock clock;
    model::SharedEcosystemState shared{&suite, standard};
    model::UserPreferences prefs{standard, clock, shared};
    ScriptedLoginItems loginItems;
    int authorizationRequests = 0;
};

TEST_F(SettingsModelTest, AnEmptyStoreShowsTheDefaultsAndWritesNothing) {
    const auto keysBefore = standard.keys();
    auto settings = make(loginItems);
    EXPECT_EQ(settings.viewMode(), ViewMode::recommended);
    EXPECT_FALSE(settings.loginItemOn());
    EXPECT_FALSE(settings.autoScanEnabled());
    EXPECT_EQ(settings.autoScanIntervalDays(), 7);
    for (bool off : {settings.notificationsEnabled(), settings.autoCleanEnabled(), settings.includeTerminal(),
                     settings.includePasteboard(), settings.focusAutoCalmEnabled()})
        EXPECT_FALSE(off);
    EXPECT_TRUE(settings.energyDigestEnabled());
    EXPECT_TRUE(settings.automaticUpdateChecks());
    EXPECT_EQ(standard.keys(), keysBefore);
}

TEST_F(SettingsModelTest, StoredValuesAreReadAsTheScreensShowThem) {
    struct Case {
        std::int64_t storedInterval;
        std::int64_t shownInterval;
        const char* storedMode;
        ViewMode shownMode;
    };
    for (const auto& c : std::vector<Case>{{0, 7, "", ViewMode::recommended},
                                           {-3, 7, "Advanced", ViewMode::recommended},
                                           {14, 14, "advanced", ViewMode::advanced},
                                           {30, 30, "advance", ViewMode::recommended}}) {
        standard.setInteger("autoScanIntervalDays", c.storedInterval);
        standard.setString("viewMode", c.storedMode);
        auto settings = make(loginItems);
        EXPECT_EQ(settings.autoScanIntervalDays(), c.shownInterval);
        EXPECT_EQ(settings.viewMode(), c.shownMode) << c.storedMode;
        EXPECT_EQ(standard.integer("autoScanIntervalDays"), c.storedInterval) << "nothing written by showing";
    }
}

TEST_F(SettingsModelTest, EveryChangeIsStoredAndShownToEveryScreen) {
    auto settings = make(loginItems);
    std::vector<bool> heard;
    auto sub = settings.autoCleanEnabled.observe([&](const bool& on) { heard.push_back(on); });
    settings.setViewMode(ViewMode::advanced);
    settings.setAutoScanEnabled(true);
    settings.setAutoScanIntervalDays(30);
    settings.setAutoCleanEnabled(true);
    settings.setIncludeTerminal(true);
    settings.setIncludePasteboard(true);
    settings.setEnergyDigestEnabled(false);
    settings.setFocusAutoCalmEnabled(true);
    EXPECT_EQ(standard.string("viewMode"), "advanced");
    EXPECT_EQ(standard.integer("autoScanIntervalDays"), 30);
    for (const char* key : {"autoScanEnabled", "autoCleanEnabled", "privacyIncludeTerminalHistory",
                            "privacyIncludePasteboardAnalysis", "focusAutoCalmEnabled"})
        EXPECT_TRUE(standard.boolean(key)) << key;
    EXPECT_TRUE(standard.contains("energyDigestEnabled"));
    EXPECT_FALSE(standard.boolean("energyDigestEnabled"));
    EXPECT_EQ(heard, (std::vector<bool>{true}));

    settings.setAutoScanEnabled(false);
    EXPECT_EQ(standard.integer("autoScanIntervalDays"), 30) << "turning auto-scan off keeps the interval";

    standard.setBool("autoCleanEnabled", false);  // changed elsewhere
    settings.reload();
    EXPECT_EQ(heard, (std::vector<bool>{true, false}));
}

TEST_F(SettingsModelTest, AutomaticUpdateChecksAreOnUntilTurnedOffAndTellTheUpdater) {
    auto settings = make(loginItems);
    EXPECT_TRUE(settings.automaticUpdateChecks());
    EXPECT_FALSE(standard.contains("automaticUpdateChecksEnabled"));
    std::vector<bool> told;
    auto sub = prefs.automaticUpdateChecksChanged.subscribe([&](bool on) { told.push_back(on); });
    settings.setAutomaticUpdateChecks(false);
    settings.setAutomaticUpdateChecks(false);
    EXPECT_FALSE(settings.automaticUpdateChecks());
    EXPECT_FALSE(model::automaticUpdateChecksEnabled(standard));
    EXPECT_EQ(told, std::vector<bool>{false}) << "told once, when it changed";
    EXPECT_FALSE(make(loginItems).automaticUpdateChecks()) << "a new settings screen reads it back";
    settings.setAutomaticUpdateChecks(true);
    EXPECT_TRUE(standard.boolean("automaticUpdateChecksEnabled"));
    EXPECT_EQ(told, (std::vector<bool>{false, true}));
}

TEST_F(SettingsModelTest, NotificationsOnAsksForPermissionAndStaysOnWhateverTheAnswer) {
    auto settings = make(loginItems);
    settings.setNotificationsEnabled(true);
    EXPECT_EQ(authorizationRequests, 1);
    EXPECT_TRUE(standard.boolean("notificationsEnabled"));
    EXPECT_TRUE(settings.notificationsEnabled());
    settings.setNotificationsEnabled(false);
    EXPECT_EQ(authorizationRequests, 1);
    EXPECT_FALSE(standard.boolean("notificationsEnabled"));
}

TEST_F(SettingsModelTest, TheLoginSwitchShowsWhatItReadsBackAndNeverUndoesIt) {
    using Outcome = ScriptedLoginItems::Outcome;
    struct Case {
        const char* name;
        bool registeredBefore;
        Outcome outcome;
        bool wanted;
        bool shown;
        std::optional<std::string> problem;
    };
    for (const auto& c : std::vector<Case>{
             {"takes", false, Outcome::takes, true, true, std::nullopt},
             {"waits for approval", false, Outcome::waits, true, false, "The autostart entry did not change."},
             {"registration fails", false, Outcome::fails, true, false,
              "Could not turn on start at login: Permission denied"},
             {"removal fails", true, Outcome::fails, false, true,
              "Could not turn off start at login: Permission denied"},
         }) {
        ScriptedLoginItems service;
        service.registered = c.registeredBefore;
        service.outcome = c.outcome;
        auto settings = make(service);
        std::vector<bool> shown;
        auto sub = settings.loginItemOn.observe([&](const bool& on) { shown.push_back(on); });
        settings.setLaunchAtLogin(c.wanted);
        EXPECT_EQ(service.calls, (std::vector<bool>{c.wanted})) << c.name << ": one call, nothing undone";
        EXPECT_EQ(shown, (std::vector<bool>{c.shown})) << c.name << ": the switch is told where it stands";
        EXPECT_EQ(settings.loginItemProblem(), c.problem) << c.name;
    }
}

TEST_F(SettingsModelTest, TheLoginSwitchCreatesAndRemovesTheAutostartEntry) {
    testing::TempDir dir;
    platform::XdgAutostartLoginItem autostart(dir / "config", "/usr/bin/zentrel");
    auto settings = make(autostart);
    const auto entry = dir / "config/autostart/com.torvane.zentrel.desktop";
    settings.setLaunchAtLogin(true);
    EXPECT_TRUE(std::filesystem::is_regular_file(entry));
    EXPECT_TRUE(settings.loginItemOn());
    settings.setLaunchAtLogin(false);
    EXPECT_FALSE(std::filesystem::exists(entry));
    EXPECT_FALSE(settings.loginItemOn());
    EXPECT_EQ(settings.loginItemProblem(), std::nullopt);
}

}  // namespace
}  // namespace zentrel::ui
