#pragma once
// The scan view model of a command, over the command's engine and the
// settings of the home folder it works on. Settings are written only under
// a home given with --home; otherwise the view model works on scratch
// copies of the user's settings and changes no sweep backup. A terminal shows
// no desktop notifications.

#include "app/cli/ScanSetup.hpp"
#include "model/SharedEcosystemState.hpp"
#include "model/UserPreferences.hpp"
#include "platform/settings/DefaultsStore.hpp"
#include "services/desktop/NotificationManager.hpp"
#include "viewmodels/CleanerEngineScanEngine.hpp"
#include "viewmodels/ScanViewModel.hpp"

#include <memory>

namespace zentrel::cli {

class ScanViewModelSetup {
public:
    ScanViewModelSetup(ScanSetup& scan, const platform::HostLayout& layout, bool writeSettings);

    viewmodels::ScanViewModel& viewModel() { return *viewModel_; }
    model::UserPreferences& prefs() { return *prefs_; }
    // Runs the main loop until no scan or clean is running.
    void waitUntilIdle();

private:
    class SilentNotifications final : public platform::UserNotificationCenter {
    public:
        void add(const platform::UserNotification&) override {}
    };

    // Without a home given, nothing is undone and no backup is purged.
    class ReadOnlyRestorer final : public viewmodels::SweepRestorer {
    public:
        void restore(const model::SweepRecord&, const model::SweepAction&, Done done) override {
            done("Undo needs --home.", {}, false);
        }
        void purgeBackups(std::set<platform::Uuid>, std::set<platform::Uuid>) override {}
        void recordedSweeps(std::function<void(std::vector<model::SweepRecord>)> done) override { done({}); }
    };

    ScanSetup& scan_;
    std::unique_ptr<platform::DefaultsStore> standard_;
    std::unique_ptr<platform::DefaultsStore> suite_;
    std::unique_ptr<model::SharedEcosystemState> shared_;
    std::unique_ptr<model::UserPreferences> prefs_;
    SilentNotifications silent_;
    std::unique_ptr<services::NotificationManager> notifications_;
    platform::NoWidgetCenter widgets_;
    viewmodels::CleanerEngineScanEngine engine_;
    std::unique_ptr<viewmodels::SweepRestorer> restorer_;
    std::unique_ptr<viewmodels::ScanViewModel> viewModel_;
};

}  // namespace zentrel::cli
