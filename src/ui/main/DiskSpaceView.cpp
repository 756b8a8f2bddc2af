#include "ui/main/DiskSpaceView.hpp"

#include "platform/text/Localization.hpp"
#include "ui/design/DesignLabels.hpp"
#include "ui/design/MotionPreference.hpp"
#include "ui/design/SectionReveal.hpp"
#include "ui/design/TabOrder.hpp"
#include "ui/main/PageParts.hpp"

namespace zentrel::ui {
namespace {

enum SlotIndex { backgroundSlot, failureSlot, heroSlot, categoriesSlot, historySlot };

}  // namespace

DiskSpaceView::DiskSpaceView(viewmodels::ScanViewModel& viewModel, std::optional<DiskInfo> disk,
                             const platform::Clock& clock, Confirm confirm, QWidget* parent)
    : QWidget(parent), viewModel_(viewModel), disk_(disk), clock_(clock), confirm_(std::move(confirm)) {
    auto* column = scrollingColumn(*this, 24, 16);
    const double delays[] = {0.0, 0.02, 0.04, 0.1, 0.16};
    for (int i = 0; i < 5; ++i) {
        auto* holder = new QWidget;
        slots_[i].layout = new QVBoxLayout(holder);
        slots_[i].layout->setContentsMargins(0, 0, 0, 0);
        slots_[i].revealDelay = delays[i];
        holder->hide();
        column->addWidget(holder);
    }
    column->addStretch();

    const auto changed = [this](const auto&) { refresh(); };
    observers_.push_back(viewModel_.scanState.observe(changed));
    observers_.push_back(viewModel_.isBackgroundScanning.observe(changed));
    observers_.push_back(viewModel_.failedDeletionKeys.observe(changed));
    observers_.push_back(viewModel_.result.observe([this](const auto&) {
        refresh();
        refreshHistory();
    }));
    refresh();
    refreshHistory();
}

void DiskSpaceView::place(Slot& slot, QWidget* card) {
    const bool appearing = slot.card == nullptr;
    if (slot.card != nullptr) retireWidgets(slot.layout, std::vector<QWidget*>{slot.card});
    slot.card = card;
    slot.layout->parentWidget()->setVisible(card != nullptr);
    if (card == nullptr) return;
    slot.layout->addWidget(card);
    if (appearing) new SectionReveal(card, slot.revealDelay, reducedMotion());
    // A card made anew comes last in the Tab order: the slots put it back in its place.
    std::vector<const QWidget*> holders;
    for (const auto& each : slots_) holders.push_back(each.layout->parentWidget());
    chainInTabOrder(holders);
}

void DiskSpaceView::refresh() {
    const auto banner = backgroundScanBanner(viewModel_);
    if (banner != backgroundShown_ || (banner && background_ == nullptr)) {
        backgroundShown_ = banner;
        background_ = banner ? new BackgroundScanBanner(*banner) : nullptr;
        place(slots_[backgroundSlot], background_);
    }

    const auto failed = cleanFailureBanner(viewModel_);
    if (failed != failureShown_ || (failed && failure_ == nullptr)) {
        failureShown_ = failed;
        failure_ = failed ? new CleanFailureOverviewBanner(*failed, [this] { viewModel_.showFirstFailure(); }) : nullptr;
        place(slots_[failureSlot], failure_);
    }

    const auto card = heroCard(viewModel_, disk_);
    if (hero_ != nullptr && hero_->canShowInPlace(card)) {
        hero_->showStatus(card);
    } else {
        hero_ = new HeroOverviewCard(card, [this] {
            if (pressHeroButton(viewModel_) == HeroOutcome::confirmClean && confirm_)
                confirm_(smartCleanupConfirmation(viewModel_));
        });
        place(slots_[heroSlot], hero_);
    }

    auto tiles = topCategories(viewModel_);
    if (tiles != tilesShown_ || (!tiles.empty() && categories_ == nullptr)) {
        tilesShown_ = tiles;
        categories_ = tiles.empty() ? nullptr : new TopCategoriesRow(tiles, [this](model::CategoryType category) {
            viewModel_.sidebarSelection.set(model::SidebarSelection::category(category));
        });
        place(slots_[categoriesSlot], categories_);
    }
}

void DiskSpaceView::refreshHistory() {
    const auto content = cleaningHistory(viewModel_.prefs().cleaningHistory(), clock_.now(),
                                         platform::Localization::shared().language());
    if (content == historyShown_ && (!content || history_ != nullptr)) return;
    historyShown_ = content;
    history_ = content ? new CleaningHistoryCard(*content) : nullptr;
    place(slots_[historySlot], history_);
}

}  // namespace zentrel::ui
