#include "viewmodels/UninstallViewModel.hpp"

#include "platform/text/ByteCountFormatter.hpp"
#include "platform/text/LocalizedText.hpp"

#include <algorithm>

namespace zentrel::viewmodels {

namespace {

std::string trimmedOfSpacesAndTabs(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

}  // namespace

UninstallViewModel::UninstallViewModel(services::AppUninstaller& uninstaller, platform::Executor& background,
                                       platform::MainQueue& main)
    : uninstaller_(uninstaller), background_(background), main_(main) {}

template <class Work, class Apply>
void UninstallViewModel::inBackground(Work work, Apply apply) {
    std::weak_ptr<UninstallViewModel*> weak = self_;
    auto& main = main_;
    background_.submit([weak, &main, work = std::move(work), apply = std::move(apply)]() mutable {
        auto result = work();
        main.post([weak, apply = std::move(apply), result = std::move(result)]() mutable {
            if (auto self = weak.lock()) apply(**self, std::move(result));
        });
    });
}

std::vector<model::InstalledApp> UninstallViewModel::filteredApps() const {
    const auto q = trimmedOfSpacesAndTabs(query.get());
    if (q.empty()) return apps.get();
    std::vector<model::InstalledApp> matching;
    for (const auto& app : apps.get()) {
        if (platform::localizedCaseInsensitiveContains(app.name, q) ||
            platform::localizedCaseInsensitiveContains(app.bundleID, q)) {
            matching.push_back(app);
        }
    }
    return matching;
}

std::vector<model::UninstallItem> UninstallViewModel::selectedItems() const {
    std::vector<model::UninstallItem> selected;
    for (const auto& item : items.get())
        if (item.isSelected) selected.push_back(item);
    return selected;
}

std::string UninstallViewModel::selectedSizeText() const {
    std::int64_t total = 0;
    for (const auto& item : selectedItems()) total += item.sizeBytes;
    return platform::formatByteCount(total, platform::ByteCountStyle::file);
}

void UninstallViewModel::loadApps(std::function<void()> done) {
    isLoadingApps.set(true);
    // Overlapping loads: the newest one decides, and only it clears the flag.
    const auto generation = ++loadGeneration_;
    auto& uninstaller = uninstaller_;
    inBackground([&uninstaller] { return uninstaller.listInstalledApps(); },
                 [generation, done = std::move(done)](UninstallViewModel& model, std::vector<model::InstalledApp> found) {
                     if (generation == model.loadGeneration_) {
                         model.apps.set(std::move(found));
                         model.isLoadingApps.set(false);
                     }
                     if (done) done();
                 });
}

void UninstallViewModel::selectApp(const model::InstalledApp& app) {
    selectedApp.set(app);
    items.set({});
    keptBack.set({});
    isLoadingItems.set(true);
    auto& uninstaller = uninstaller_;
    inBackground([&uninstaller, app] { return uninstaller.surveyLeftovers(app); },
                 [app](UninstallViewModel& model, services::AppLeftovers found) {
                     if (model.selectedApp.get() != app) {
                         // A newer selection clears the flag itself; a closed one cannot.
                         if (!model.selectedApp.get()) model.isLoadingItems.set(false);
                         return;
                     }
                     model.keptBack.set(std::move(found.keptBack));
                     model.items.set(std::move(found.items));
                     model.isLoadingItems.set(false);
                 });
}

void UninstallViewModel::toggleItem(const platform::Uuid& id) {
    const auto& current = items.get();
    auto found = std::find_if(current.begin(), current.end(), [&](const auto& item) { return item.id == id; });
    if (found == current.end()) return;
    const auto index = static_cast<std::size_t>(found - current.begin());
    items.modify([index](auto& list) { list[index].isSelected = !list[index].isSelected; });
}

void UninstallViewModel::uninstallSelected(std::function<void()> done) {
    auto targets = selectedItems();
    if (targets.empty() || isUninstalling()) return;
    isUninstalling.set(true);
    auto& uninstaller = uninstaller_;
    inBackground([&uninstaller, targets = std::move(targets)] { return uninstaller.uninstallItems(targets); },
                 [done = std::move(done), app = selectedApp()](UninstallViewModel& model,
                                                               services::UninstallResult result) mutable {
                     model.lastFreedBytes.set(result.freedBytes);
                     model.failureCount.set(static_cast<int>(result.failures.size()));
                     model.isUninstalling.set(false);
                     // The user may have closed this application and opened another meanwhile.
                     if (model.selectedApp() == app) {
                         model.selectedApp.set(std::nullopt);
                         model.items.set({});
                         model.keptBack.set({});
                     }
                     model.loadApps(std::move(done));
                 });
}

}  // namespace zentrel::viewmodels
