#include "ui/presenters/UpdateBannerPresenter.hpp"

#include "doubles/FakeClock.hpp"
#include "doubles/FixtureAppcastTransport.hpp"
#include "doubles/InMemoryDefaultsStore.hpp"
#include "doubles/ManualMainQueue.hpp"
#include "doubles/RecordingUpdateUserDriver.hpp"

#include <gtest/gtest.h>

namespace zentrel::ui {
namespace {

constexpr const char* kFeed = "https://updates.example.org/releases/appcast.xml";

std::string feedOffering(const char* display, const char* build) {
    return std::string("<rss xmlns:sparkle=\"urn:example:updates\"><channel><item><title>Zentrel</title>"
                       "<sparkle:version>") +
           build + "</sparkle:version><sparkle:shortVersionString>" + display +
           "</sparkle:shortVersionString><enclosure url=\"https://updates.example.org/Zentrel.zip\"/></item>"
           "</channel></rss>";
}

// The app is 1.0 (build 100); the feed offers 1.1 to the scheduled checks.
class UpdateBannerPresenterTest : public ::testing::Test {
protected:
    UpdateBannerPresenterTest() { transport.documents[kFeed] = feedOffering("1.1", "110"); }

    // Runs the check the updater schedules at once after it starts.
    void firstCheck() {
        clock.advance(platform::Duration{0});
        main.drain();
    }

    testing::ManualMainQueue main;
    testing::FakeClock clock;
    testing::InMemoryDefaultsStore defaults;
    testing::FixtureAppcastTransport transport;
    testing::RecordingUpdateUserDriver driver;
    std::unique_ptr<services::UpdaterManager> updater = std::make_unique<services::UpdaterManager>(
        services::UpdaterManager::Dependencies{main, clock, defaults, transport, driver,
                                               {{"SUFeedURL", std::string(kFeed)},
                                                {"CFBundleShortVersionString", std::string("1.0")},
                                                {"CFBundleVersion", std::string("100")}}});
    UpdateBannerPresenter banner;
    int changes = 0;
    platform::Subscription counting = banner.changed.subscribe([this] { ++changes; });
};

TEST_F(UpdateBannerPresenterTest, HiddenUntilAttachedAndWhileNothingIsPending) {
    EXPECT_FALSE(banner.content());
    banner.updateNow();  // nothing to act on
    EXPECT_FALSE(updater->isUserInitiatedCheck);
    banner.attach(*updater);
    EXPECT_FALSE(banner.content());
}

TEST_F(UpdateBannerPresenterTest, ShowsTheVersionFoundByAScheduledCheck) {
    banner.attach(*updater);
    firstCheck();
    const auto content = banner.content();
    ASSERT_TRUE(content);
    EXPECT_EQ(content->versionText, "Zentrel 1.1 is ready to install.");
    EXPECT_EQ(content->accessibleLabel, "Update available. Zentrel 1.1 is ready to install.");
    EXPECT_GE(changes, 2);  // the value on attaching, then the update
}

TEST_F(UpdateBannerPresenterTest, LaterRemembersTheVersionAndHidesItForGood) {
    banner.attach(*updater);
    firstCheck();
    banner.later();
    EXPECT_FALSE(banner.content());
    EXPECT_EQ(defaults.string("dismissedUpdateBannerVersion"), "1.1");
    clock.advance(services::Updater::kCheckInterval);
    main.drain();
    EXPECT_FALSE(banner.content());

    transport.documents[kFeed] = feedOffering("1.2", "120");
    clock.advance(services::Updater::kCheckInterval);
    main.drain();
    ASSERT_TRUE(banner.content());
    EXPECT_EQ(banner.content()->versionText, "Zentrel 1.2 is ready to install.");
}

TEST_F(UpdateBannerPresenterTest, UpdateNowStartsTheUsersCheckAndLeavesTheBanner) {
    banner.attach(*updater);
    firstCheck();
    banner.updateNow();
    EXPECT_TRUE(updater->isUserInitiatedCheck);
    EXPECT_TRUE(banner.content());
    EXPECT_FALSE(defaults.contains("dismissedUpdateBannerVersion"));
}

}  // namespace
}  // namespace zentrel::ui
