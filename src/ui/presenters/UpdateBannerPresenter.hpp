#pragma once
// What the update banner shows and does. It watches an updater only once
// one is handed to it: the banner never makes the updater itself, so it
// never brings the first update check forward. Hidden without a pending
// update; "Update now" starts a check the updater shows itself and leaves
// the banner in place; "Later" and the close button remember the version
// as dismissed and hide the banner.

#include "platform/settings/Observable.hpp"
#include "services/updates/UpdaterManager.hpp"

#include <optional>
#include <string>

namespace zentrel::ui {

struct UpdateBannerContent {
    std::string title;
    std::string versionText;
    std::string accessibleLabel;
    std::string updateNowLabel;
    std::string laterLabel;
    std::string dismissLabel;

    bool operator==(const UpdateBannerContent&) const = default;
};

class UpdateBannerPresenter final {
public:
    void attach(services::UpdaterManager& updater);
    [[nodiscard]] bool isAttached() const { return updater_ != nullptr; }

    // None hides the banner.
    [[nodiscard]] std::optional<UpdateBannerContent> content() const;
    void updateNow();
    void later();

    // After every announcement of the pending update.
    platform::Signal<> changed;

private:
    services::UpdaterManager* updater_ = nullptr;
    platform::Subscription pending_;
};

}  // namespace zentrel::ui
