#include "services/updates/UpdaterManager.hpp"

#include "model/UserPreferences.hpp"
#include "platform/text/Warnings.hpp"
#include "services/updates/BestValidUpdate.hpp"

namespace zentrel::services {

namespace {

LazyShared<UpdaterManager>& sharedSlot() {
    static LazyShared<UpdaterManager> slot("UpdaterManager");
    return slot;
}

}  // namespace

UpdaterManager::UpdaterManager(Dependencies dependencies) : deps_(std::move(dependencies)) {
    controller_ = std::make_unique<Updater>(deps_.mainQueue, deps_.timers, deps_.transport, deps_.userDriver,
                                           static_cast<UpdaterDelegate&>(*this));
    controller_->setAutomaticallyChecksForUpdates(model::automaticUpdateChecksEnabled(deps_.defaults));
    if (auto error = controller_->start()) platform::warn("The updater could not start: " + *error);
}

UpdaterManager& UpdaterManager::shared() { return sharedSlot().get(); }

void UpdaterManager::configureShared(std::function<std::unique_ptr<UpdaterManager>()> factory) {
    sharedSlot().configure(std::move(factory));
}

std::string UpdaterManager::feedURL() const {
    auto configured = infoString(deps_.bundleInfo, kFeedURLKey);
    if (configured && !configured->empty()) return *configured;
    return std::string(kBuiltInFeedURL);
}

void UpdaterManager::setAutomaticChecks(bool on) {
    if (controller_) controller_->setAutomaticallyChecksForUpdates(on);
}

void UpdaterManager::checkForUpdates() {
    isUserInitiatedCheck = true;
    if (controller_) controller_->checkForUpdates();
}

void UpdaterManager::dismissUpdateBanner() {
    if (pendingUpdate()) deps_.defaults.setString(kDismissedVersionKey, pendingUpdate()->displayVersion);
    pendingUpdate.set(std::nullopt);
}

std::optional<AppcastItem> UpdaterManager::bestValidUpdate(const std::vector<AppcastItem>& items) {
    return services::bestValidUpdate(items, infoString(deps_.bundleInfo, kShortVersionKey).value_or("0"),
                                     infoString(deps_.bundleInfo, kBuildVersionKey).value_or("0"),
                                     versionComparator_);
}

void UpdaterManager::didFindValidUpdate(const AppcastItem& item) {
    if (!isUserInitiatedCheck) handleFoundUpdate(item);
}

void UpdaterManager::didReceiveUserAttention(const AppcastItem&) { pendingUpdate.set(std::nullopt); }

void UpdaterManager::didFinishUpdateCycle() { isUserInitiatedCheck = false; }

void UpdaterManager::handleFoundUpdate(const AppcastItem& item) {
    if (deps_.defaults.string(kDismissedVersionKey) == item.displayVersionString) return;
    PendingUpdateInfo found{item.displayVersionString, item.versionString};
    if (pendingUpdate() == found) return;
    pendingUpdate.set(std::move(found));
}

}  // namespace zentrel::services
