#pragma once
// The overview page: up to five cards, top to bottom: a banner while a
// background scan runs, a banner about items that could not be deleted, the
// storage card with the scan or Smart Cleanup button, the three largest
// categories of the last scan and the cleaning history. A card is redrawn
// when its figures change, and fades in when it first appears.

#include "platform/concurrency/Clock.hpp"
#include "ui/main/OverviewCards.hpp"
#include "ui/presenters/OverviewPresenter.hpp"
#include "viewmodels/ScanViewModel.hpp"

#include <QVBoxLayout>
#include <QWidget>

#include <functional>

namespace zentrel::ui {

class DiskSpaceView final : public QWidget {
public:
    // Opens the clean confirmation; the pane cleans when the user agrees.
    using Confirm = std::function<void(const CleanConfirmation&)>;

    // `disk`: the volume of the home folder, read once by the caller.
    DiskSpaceView(viewmodels::ScanViewModel& viewModel, std::optional<DiskInfo> disk, const platform::Clock& clock,
                  Confirm confirm, QWidget* parent = nullptr);

    [[nodiscard]] BackgroundScanBanner* backgroundBanner() const { return background_; }
    [[nodiscard]] CleanFailureOverviewBanner* failureBanner() const { return failure_; }
    [[nodiscard]] HeroOverviewCard* hero() const { return hero_; }
    [[nodiscard]] TopCategoriesRow* categories() const { return categories_; }
    [[nodiscard]] CleaningHistoryCard* history() const { return history_; }

private:
    struct Slot {
        QVBoxLayout* layout = nullptr;
        QWidget* card = nullptr;
        double revealDelay = 0.0;
    };
    void refresh();
    void refreshHistory();
    // Puts `card` (none: nothing) in the slot in place of the card there.
    void place(Slot& slot, QWidget* card);

    viewmodels::ScanViewModel& viewModel_;
    std::optional<DiskInfo> disk_;
    const platform::Clock& clock_;
    Confirm confirm_;
    Slot slots_[5];
    std::optional<BackgroundScanBannerContent> backgroundShown_;
    std::optional<CleanFailureBannerContent> failureShown_;
    std::vector<CategoryTile> tilesShown_;
    std::optional<CleaningHistoryContent> historyShown_;
    BackgroundScanBanner* background_ = nullptr;
    CleanFailureOverviewBanner* failure_ = nullptr;
    HeroOverviewCard* hero_ = nullptr;
    TopCategoriesRow* categories_ = nullptr;
    CleaningHistoryCard* history_ = nullptr;
    std::vector<platform::Subscription> observers_;
};

}  // namespace zentrel::ui
