#include "ui/panels/UpdateAvailableBanner.hpp"

#include "ui/design/MotionPreference.hpp"

#include "doubles/FakeClock.hpp"
#include "doubles/FixtureAppcastTransport.hpp"
#include "doubles/InMemoryDefaultsStore.hpp"
#include "doubles/ManualMainQueue.hpp"
#include "doubles/RecordingUpdateUserDriver.hpp"

#include <QLabel>

#include <gtest/gtest.h>

namespace zentrel::ui {
namespace {

constexpr const char* kFeed = "https://updates.example.org/releases/appcast.xml";

class UpdateAvailableBannerTest : public ::testing::Test {
protected:
    UpdateAvailableBannerTest() {
        setReducedMotion(true);
        transport.documents[kFeed] =
            "<rss xmlns:sparkle=\"urn:example:updates\"><channel><item><title>Zentrel</title><sparkle:version>110"
            "</sparkle:version><sparkle:shortVersionString>1.1</sparkle:shortVersionString>"
            "<enclosure url=\"https://updates.example.org/Zentrel.zip\"/></item></channel></rss>";
    }
    ~UpdateAvailableBannerTest() override { setReducedMotion(false); }

    bool showsText(const QString& text) const {
        for (auto* label : banner.findChildren<QLabel*>())
            if (label->text() == text && !label->isHidden()) return true;
        return false;
    }

    testing::ManualMainQueue main;
    testing::FakeClock clock;
    testing::InMemoryDefaultsStore defaults;
    testing::FixtureAppcastTransport transport;
    testing::RecordingUpdateUserDriver driver;
    services::UpdaterManager updater{{main, clock, defaults, transport, driver,
                                      {{"SUFeedURL", std::string(kFeed)},
                                       {"CFBundleShortVersionString", std::string("1.0")},
                                       {"CFBundleVersion", std::string("100")}}}};
    UpdateBannerPresenter presenter;
    QWidget window;
    UpdateAvailableBanner banner{presenter, &window};
};

TEST_F(UpdateAvailableBannerTest, AppearsWithTheVersionAndLaterHidesIt) {
    window.show();
    EXPECT_TRUE(banner.isHidden());
    EXPECT_EQ(banner.sizeHint(), QSize(0, 0));

    presenter.attach(updater);
    clock.advance(platform::Duration{0});
    main.drain();
    ASSERT_TRUE(banner.isVisible());
    EXPECT_TRUE(showsText("Zentrel 1.1 is ready to install."));
    EXPECT_LE(banner.sizeHint().width(), UpdateAvailableBanner::kMaximumWidth);
    EXPECT_GT(banner.sizeHint().height(), 0);

    banner.updateNowButton()->click();
    EXPECT_TRUE(updater.isUserInitiatedCheck);
    EXPECT_TRUE(banner.isVisible());

    banner.laterButton()->click();
    EXPECT_TRUE(banner.isHidden());
    EXPECT_EQ(defaults.string("dismissedUpdateBannerVersion"), "1.1");
}

}  // namespace
}  // namespace zentrel::ui
