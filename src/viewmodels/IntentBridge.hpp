#pragma once
// Hands the app's one scan view model to the intents. An intent that runs
// before the main window has registered the view model is held, and runs,
// in arrival order, when it is registered. The bridge never keeps the view
// model alive: once it is gone, intents are held again. Main thread.

#include "viewmodels/ScanViewModel.hpp"

#include <functional>
#include <memory>
#include <vector>

namespace zentrel::viewmodels {

class IntentBridge final {
public:
    using Action = std::function<void(ScanViewModel&)>;

    // Keeps the view model weakly and runs every held action with it.
    void registerViewModel(const std::shared_ptr<ScanViewModel>& viewModel);
    // Runs the action now, or holds it until a view model is registered.
    void perform(Action action);

    [[nodiscard]] std::shared_ptr<ScanViewModel> viewModel() const { return viewModel_.lock(); }
    [[nodiscard]] std::size_t pendingCount() const { return pending_.size(); }

private:
    std::weak_ptr<ScanViewModel> viewModel_;
    std::vector<Action> pending_;
};

}  // namespace zentrel::viewmodels
