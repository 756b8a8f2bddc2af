#include "ui/presenters/UpdateBannerPresenter.hpp"

#include "platform/text/Localization.hpp"

namespace zentrel::ui {

void UpdateBannerPresenter::attach(services::UpdaterManager& updater) {
    if (updater_ == &updater) return;
    updater_ = &updater;
    pending_ = updater.pendingUpdate.subscribe([this](const auto&) { changed.emit(); });
}

std::optional<UpdateBannerContent> UpdateBannerPresenter::content() const {
    if (updater_ == nullptr || !updater_->pendingUpdate()) return std::nullopt;
    const auto& version = updater_->pendingUpdate()->displayVersion;
    return UpdateBannerContent{
        platform::localized("Update available"),
        platform::localizedFormat("Zentrel %@ is ready to install.", {version}),
        platform::localizedFormat("Update available. Zentrel %@ is ready to install.", {version}),
        platform::localized("Update now"),
        platform::localized("Later"),
        platform::localized("Dismiss update notice"),
    };
}

void UpdateBannerPresenter::updateNow() {
    if (updater_ != nullptr) updater_->checkForUpdates();
}

void UpdateBannerPresenter::later() {
    if (updater_ != nullptr) updater_->dismissUpdateBanner();
}

}  // namespace zentrel::ui
