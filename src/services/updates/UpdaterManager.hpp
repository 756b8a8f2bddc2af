#pragma once
// Runs the updater for the app: starts it with automatic checks unless the
// user turned them off in the settings, lets the user ask for a check, and turns an update found by a scheduled (not a
// user's) check into the one pending update the update banner shows, unless
// the user dismissed that version's banner before. One shared instance on the
// main thread.

#include "platform/concurrency/Clock.hpp"
#include "platform/concurrency/Executor.hpp"
#include "platform/settings/AnnouncedValue.hpp"
#include "platform/settings/DefaultsStore.hpp"
#include "services/apps/AppBundleInfo.hpp"
#include "services/permissions/LazyShared.hpp"
#include "services/updates/AppcastTransport.hpp"
#include "services/updates/PendingUpdateInfo.hpp"
#include "services/updates/UpdateUserDriver.hpp"
#include "services/updates/Updater.hpp"
#include "services/updates/UpdaterDelegate.hpp"
#include "services/updates/VersionComparator.hpp"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace zentrel::services {

class UpdaterManager final : private UpdaterDelegate {
public:
    struct Dependencies {
        platform::MainQueue& mainQueue;
        platform::TimerScheduler& timers;
        platform::DefaultsStore& defaults;
        AppcastTransport& transport;
        UpdateUserDriver& userDriver;
        InfoDictionary bundleInfo;
    };

    static constexpr std::string_view kDismissedVersionKey = "dismissedUpdateBannerVersion";
    static constexpr std::string_view kBuiltInFeedURL = "https://zentrel.torvane.com/releases/appcast.xml";

    // Starts the updater, with automatic checks as the stored switch says (on
    // when never set); a start failure is warned about and leaves the updater
    // in place without checks.
    explicit UpdaterManager(Dependencies dependencies);
    UpdaterManager(const UpdaterManager&) = delete;
    UpdaterManager& operator=(const UpdaterManager&) = delete;

    [[nodiscard]] static UpdaterManager& shared();
    static void configureShared(std::function<std::unique_ptr<UpdaterManager>()> factory);

    // Published; every assignment is announced.
    platform::AnnouncedValue<std::optional<PendingUpdateInfo>> pendingUpdate;
    // True from a user's check until that check ends.
    bool isUserInitiatedCheck = false;

    [[nodiscard]] Updater* controller() { return controller_.get(); }
    [[nodiscard]] std::string feedURL() const;

    // Follows the settings switch: off cancels the scheduled checks, on checks at once and then daily.
    void setAutomaticChecks(bool on);

    // A check whose outcome the updater shows itself; the banner stays as it is.
    void checkForUpdates();
    // Remembers the pending update's version as dismissed and hides the banner.
    void dismissUpdateBanner();

private:
    [[nodiscard]] std::string feedURLString() override { return feedURL(); }
    [[nodiscard]] std::optional<AppcastItem> bestValidUpdate(const std::vector<AppcastItem>& items) override;
    void didFindValidUpdate(const AppcastItem& item) override;
    void didReceiveUserAttention(const AppcastItem& item) override;
    void didFinishUpdateCycle() override;
    void handleFoundUpdate(const AppcastItem& item);

    Dependencies deps_;
    VersionComparator versionComparator_;
    std::unique_ptr<Updater> controller_;
};

}  // namespace zentrel::services
