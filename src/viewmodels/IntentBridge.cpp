#include "viewmodels/IntentBridge.hpp"

namespace zentrel::viewmodels {

void IntentBridge::registerViewModel(const std::shared_ptr<ScanViewModel>& viewModel) {
    viewModel_ = viewModel;
    auto held = std::exchange(pending_, {});
    for (auto& action : held) action(*viewModel);
}

void IntentBridge::perform(Action action) {
    if (auto viewModel = viewModel_.lock()) {
        action(*viewModel);
        return;
    }
    pending_.push_back(std::move(action));
}

}  // namespace zentrel::viewmodels
