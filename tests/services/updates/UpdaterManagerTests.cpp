#include "services/updates/UpdaterManager.hpp"

#include "model/SharedEcosystemState.hpp"
#include "model/UserPreferences.hpp"

#include "doubles/FakeClock.hpp"
#include "doubles/FixtureAppcastTransport.hpp"
#include "doubles/InMemoryDefaultsStore.hpp"
#include "doubles/ManualMainQueue.hpp"
#include "doubles/RecordingUpdateUserDriver.hpp"
#include "doubles/WarningCapture.hpp"

#include <gtest/gtest.h>

namespace zentrel::services {
namespace {

using namespace std::chrono_literals;

constexpr const char* kFeed = "https://updates.example.org/releases/appcast.xml";

std::string feedOf(std::initializer_list<std::pair<const char*, const char*>> releases) {
    std::string items;
    for (const auto& [display, build] : releases) {
        items += std::string("<item><title>Zentrel ") + display + "</title><sparkle:version>" + build +
                 "</sparkle:version><sparkle:shortVersionString>" + display +
                 "</sparkle:shortVersionString><enclosure url=\"https://updates.example.org/Zentrel-" + display +
                 ".zip\"/></item>";
    }
    return "<rss xmlns:sparkle=\"urn:example:updates\"><channel>" + items + "</channel></rss>";
}

class UpdaterManagerTest : public ::testing::Test {
protected:
    void SetUp() override { transport.documents[kFeed] = feedOf({{"1.1", "110"}}); }

    // The app is display version 1.0, build 100.
    void make(InfoDictionary info = {{"SUFeedURL", std::string(kFeed)},
                                     {"CFBundleShortVersionString", std::string("1.0")},
                                     {"CFBundleVersion", std::string("100")}}) {
        manager = std::make_unique<UpdaterManager>(
            UpdaterManager::Dependencies{main, clock, defaults, transport, driver, std::move(info)});
    }
    // Fires due timers and runs what they post.
    void advance(platform::Duration by) {
        clock.advance(by);
        main.drain();
    }

    testing::ManualMainQueue main;
    testing::FakeClock clock;
    testing::InMemoryDefaultsStore defaults;
    testing::FixtureAppcastTransport transport;
    testing::RecordingUpdateUserDriver driver;
    std::unique_ptr<UpdaterManager> manager;
};

TEST_F(UpdaterManagerTest, FeedAddressComesFromTheBundleOrTheBuiltInFeed) {
    struct Case {
        const char* name;
        InfoDictionary info;
        std::string expected;
    };
    const std::string builtIn(UpdaterManager::kBuiltInFeedURL);
    const Case cases[] = {
        {"missing", {}, builtIn},
        {"empty", {{"SUFeedURL", std::string()}}, builtIn},
        {"not a string", {{"SUFeedURL", std::int64_t{42}}}, builtIn},
        {"data", {{"SUFeedURL", platform::bytesOf(kFeed)}}, builtIn},
        {"given", {{"SUFeedURL", std::string(kFeed)}}, kFeed},
    };
    EXPECT_TRUE(builtIn.starts_with("https://"));
    EXPECT_TRUE(builtIn.ends_with("/releases/appcast.xml"));
    for (const auto& c : cases) {
        make(c.info);
        EXPECT_EQ(manager->feedURL(), c.expected) << c.name;
    }
}

TEST_F(UpdaterManagerTest, ScheduledCheckPublishesTheUpdateAndRepeatsDaily) {
    make();
    ASSERT_NE(manager->controller(), nullptr);
    EXPECT_TRUE(manager->controller()->automaticallyChecksForUpdates());
    EXPECT_TRUE(transport.fetchedURLs.empty());  // nothing happens inside the initializer
    advance(0s);
    EXPECT_EQ(transport.fetchedURLs, std::vector<std::string>{kFeed});
    EXPECT_EQ(manager->pendingUpdate(), (PendingUpdateInfo{"1.1", "110"}));
    EXPECT_TRUE(driver.shown.empty());  // a scheduled update never shows the updater's own window

    advance(Updater::kCheckInterval - 1s);
    EXPECT_EQ(transport.fetchedURLs.size(), 1u);
    advance(1s);
    EXPECT_EQ(transport.fetchedURLs.size(), 2u);
}

TEST_F(UpdaterManagerTest, WithTheSwitchOffNeitherTheStartNorTheDayAsksTheFeed) {
    testing::InMemoryDefaultsStore suite;
    model::SharedEcosystemState shared(&suite, defaults);
    model::UserPreferences prefs(defaults, clock, shared);
    prefs.setAutomaticUpdateChecksEnabled(false);
    make();
    EXPECT_FALSE(manager->controller()->automaticallyChecksForUpdates());
    advance(0s);
    advance(Updater::kCheckInterval * 2);
    EXPECT_TRUE(transport.fetchedURLs.empty());

    manager->checkForUpdates();  // "Check for Updates…" still looks
    main.drain();
    EXPECT_EQ(transport.fetchedURLs.size(), 1u);

    manager->setAutomaticChecks(true);  // turned on again: at once, then daily
    advance(0s);
    EXPECT_EQ(transport.fetchedURLs.size(), 2u);
    manager->setAutomaticChecks(false);
    advance(Updater::kCheckInterval);
    EXPECT_EQ(transport.fetchedURLs.size(), 2u);
}

TEST_F(UpdaterManagerTest, FindingTheSameUpdateAgainChangesNothing) {
    make();
    advance(0s);
    int announcements = 0;
    auto sub = manager->pendingUpdate.subscribe([&](const auto&) { ++announcements; });
    advance(Updater::kCheckInterval);
    EXPECT_EQ(announcements, 1);  // only the subscription's first value
}

TEST_F(UpdaterManagerTest, DismissedVersionNeverComesBackButANewerOneDoes) {
    make();
    advance(0s);
    manager->dismissUpdateBanner();
    EXPECT_FALSE(manager->pendingUpdate().has_value());
    EXPECT_EQ(defaults.string("dismissedUpdateBannerVersion"), "1.1");

    advance(Updater::kCheckInterval);
    EXPECT_FALSE(manager->pendingUpdate().has_value());

    transport.documents[kFeed] = feedOf({{"1.1", "110"}, {"1.2", "120"}});
    advance(Updater::kCheckInterval);
    EXPECT_EQ(manager->pendingUpdate(), (PendingUpdateInfo{"1.2", "120"}));
}

TEST_F(UpdaterManagerTest, DismissingWithoutAPendingUpdateKeepsTheStoredVersion) {
    defaults.setString("dismissedUpdateBannerVersion", "0.9");
    make();
    int announcements = 0;
    auto sub = manager->pendingUpdate.subscribe([&](const auto&) { ++announcements; });
    manager->dismissUpdateBanner();
    EXPECT_EQ(defaults.string("dismissedUpdateBannerVersion"), "0.9");
    EXPECT_EQ(announcements, 2);  // the banner is told to hide all the same
}

TEST_F(UpdaterManagerTest, UserInitiatedCheckNeverRaisesTheBanner) {
    make();
    int raised = 0;
    auto sub = manager->pendingUpdate.subscribe([&](const auto& update) { raised += update.has_value(); });
    manager->checkForUpdates();
    EXPECT_TRUE(manager->isUserInitiatedCheck);
    main.drain();
    EXPECT_EQ(driver.shown, std::vector<std::string>{"found 1.1 110"});
    EXPECT_EQ(raised, 0);
    EXPECT_FALSE(manager->isUserInitiatedCheck);
}

TEST_F(UpdaterManagerTest, UserCheckDuringAScheduledCheckJoinsItAndShowsTheOutcome) {
    transport.holdAnswers = true;
    make();
    int raised = 0;
    auto sub = manager->pendingUpdate.subscribe([&](const auto& update) { raised += update.has_value(); });
    advance(0s);
    manager->checkForUpdates();
    transport.answerHeld();
    main.drain();
    EXPECT_EQ(transport.fetchedURLs.size(), 1u);
    EXPECT_EQ(driver.shown, std::vector<std::string>{"found 1.1 110"});
    EXPECT_EQ(raised, 0);
    EXPECT_FALSE(manager->isUserInitiatedCheck);
}

TEST_F(UpdaterManagerTest, ShowingTheUpdateToTheUserHidesTheBanner) {
    make();
    advance(0s);
    ASSERT_TRUE(manager->pendingUpdate().has_value());
    manager->checkForUpdates();  // "Update now"
    EXPECT_TRUE(manager->pendingUpdate().has_value());
    main.drain();
    EXPECT_EQ(driver.shown, std::vector<std::string>{"found 1.1 110"});
    EXPECT_FALSE(manager->pendingUpdate().has_value());
    // Not dismissed: the next scheduled check offers it again.
    advance(Updater::kCheckInterval);
    EXPECT_TRUE(manager->pendingUpdate().has_value());
}

TEST_F(UpdaterManagerTest, UserCheckWithoutNewerReleaseSaysUpToDate) {
    transport.documents[kFeed] = feedOf({{"1.0", "100"}, {"0.9", "90"}});
    make();
    manager->checkForUpdates();
    main.drain();
    EXPECT_EQ(driver.shown, std::vector<std::string>{"up to date"});
}

TEST_F(UpdaterManagerTest, BadFeedsGiveNoUpdateAndAWarning) {
    struct Case {
        const char* name;
        std::optional<std::string> document;  // none: the fetch fails
    };
    const Case cases[] = {
        {"malformed", std::string("<rss><channel><item>")},
        {"empty", std::string()},
        {"wrong document", std::string("<html><body>502 Bad Gateway</body></html>")},
        {"unreachable", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        transport.documents.clear();
        if (c.document) transport.documents[kFeed] = *c.document;
        driver.shown.clear();
        testing::WarningCapture warnings;
        make();
        advance(0s);
        EXPECT_FALSE(manager->pendingUpdate().has_value());
        ASSERT_EQ(warnings.lines().size(), 1u);
        EXPECT_NE(warnings.lines()[0].find("Could not check for updates"), std::string::npos);

        manager->checkForUpdates();
        main.drain();
        ASSERT_EQ(driver.shown.size(), 1u);
        EXPECT_TRUE(driver.shown[0].starts_with("error ")) << driver.shown[0];
        EXPECT_EQ(warnings.lines().size(), 1u);  // the user sees the error instead
        EXPECT_FALSE(manager->isUserInitiatedCheck);
    }
}

TEST_F(UpdaterManagerTest, UnusableFeedAddressStopsTheUpdaterWithAWarning) {
    testing::WarningCapture warnings;
    make({{"SUFeedURL", std::string("ftp://updates.example.org/appcast.xml")}});
    ASSERT_EQ(warnings.lines().size(), 1u);
    EXPECT_NE(warnings.lines()[0].find("updater could not start"), std::string::npos);
    advance(Updater::kCheckInterval * 2);
    EXPECT_TRUE(transport.fetchedURLs.empty());
    EXPECT_FALSE(manager->pendingUpdate().has_value());

    manager->checkForUpdates();
    ASSERT_EQ(driver.shown.size(), 1u);
    EXPECT_NE(driver.shown[0].find("not usable"), std::string::npos);
    EXPECT_FALSE(manager->isUserInitiatedCheck);
}

TEST_F(UpdaterManagerTest, MissingBundleVersionsCountAsZero) {
    transport.documents[kFeed] = feedOf({{"0.5", "1"}});
    make({{"SUFeedURL", std::string(kFeed)}, {"CFBundleVersion", std::int64_t{500}}});
    advance(0s);
    EXPECT_EQ(manager->pendingUpdate(), (PendingUpdateInfo{"0.5", "1"}));
}

TEST_F(UpdaterManagerTest, AnswerArrivingAfterTheManagerIsGoneIsDropped) {
    transport.holdAnswers = true;
    make();
    advance(0s);
    manager.reset();
    transport.answerHeld();
    EXPECT_EQ(main.drain(), 1u);  // the posted answer runs and does nothing
}

}  // namespace
}  // namespace zentrel::services
