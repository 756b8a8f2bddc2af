#pragma once
// The state behind the uninstaller screens: the installed applications with a
// search filter, the application the user opened with its leftovers and their
// check marks, and the outcome of the last uninstall. Lives on the main
// thread; the file-system work runs on a background executor and its results
// come back through the main queue.

#include "model/InstalledApp.hpp"
#include "model/UninstallItem.hpp"
#include "platform/concurrency/Executor.hpp"
#include "platform/settings/Observable.hpp"
#include "platform/text/Uuid.hpp"
#include "services/apps/AppUninstaller.hpp"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zentrel::viewmodels {

class UninstallViewModel final {
public:
    UninstallViewModel(services::AppUninstaller& uninstaller, platform::Executor& background,
                       platform::MainQueue& main);
    UninstallViewModel(const UninstallViewModel&) = delete;
    UninstallViewModel& operator=(const UninstallViewModel&) = delete;

    platform::Published<std::vector<model::InstalledApp>> apps;
    platform::Published<std::string> query;
    platform::Published<bool> isLoadingApps{false};
    platform::Published<std::optional<model::InstalledApp>> selectedApp;
    platform::Published<std::vector<model::UninstallItem>> items;
    // What the application's entry points at that is not offered, and why.
    platform::Published<std::vector<model::KeptBackItem>> keptBack;
    platform::Published<bool> isLoadingItems{false};
    platform::Published<bool> isUninstalling{false};
    platform::Published<std::optional<std::int64_t>> lastFreedBytes;
    platform::Published<int> failureCount{0};

    // `apps` whose name or bundle id contains the trimmed query, ignoring case.
    [[nodiscard]] std::vector<model::InstalledApp> filteredApps() const;
    [[nodiscard]] std::vector<model::UninstallItem> selectedItems() const;
    // The selected items' total size, in file style.
    [[nodiscard]] std::string selectedSizeText() const;

    // Rebuilds `apps`. `done` runs on the main thread once they are in.
    void loadApps(std::function<void()> done = {});
    // Opens an application and finds its leftovers; a newer selection wins
    // over an older search still running.
    void selectApp(const model::InstalledApp& app);
    void toggleItem(const platform::Uuid& id);
    // Removes the selected items, closes the application (unless another one
    // was opened meanwhile) and reloads the list. One removal at a time.
    void uninstallSelected(std::function<void()> done = {});

private:
    // Runs `work` in the background and `apply` with its result on the main
    // thread, unless this model is gone by then.
    template <class Work, class Apply>
    void inBackground(Work work, Apply apply);

    services::AppUninstaller& uninstaller_;
    platform::Executor& background_;
    platform::MainQueue& main_;
    std::uint64_t loadGeneration_ = 0;
    std::shared_ptr<UninstallViewModel*> self_ = std::make_shared<UninstallViewModel*>(this);
};

}  // namespace zentrel::viewmodels
