#include "ui/main/SmartCleanupView.hpp"

#include "doubles/ScopedDesktopTexts.hpp"
#include "platform/text/ByteCountFormatter.hpp"
#include "ui/design/StatusPill.hpp"
#include "viewmodels/ScanViewModelHarness.hpp"

#include <gtest/gtest.h>

namespace zentrel::ui {
namespace {

using model::CategoryType;
using testing::scannedItem;

class SmartCleanupViewTest : public ::testing::Test {
protected:
    SmartCleanupViewTest() {
        view.setConfirmationPresenter([this](SmartCleanupView&) { ++confirmations; });
    }
    void scanTo(std::vector<model::CleanItem> items) { h.scanTo(*vm, std::move(items)); }
    bool shows(const QString& text) const { return view.shownTexts().contains(text); }

    testing::ScanViewModelHarness h;
    std::shared_ptr<viewmodels::ScanViewModel> vm = h.make();
    SmartCleanupView view{*vm};
    int confirmations = 0;
};

TEST_F(SmartCleanupViewTest, WithNothingKnownItOffersTheSmartScan) {
    EXPECT_FALSE(view.canApplyPlan());
    ASSERT_NE(view.primaryButton(), nullptr);
    EXPECT_EQ(view.primaryButton()->text(), "Start Smart Scan");
    EXPECT_TRUE(shows("Nothing to recommend"));
    view.primaryButton()->click();
    ASSERT_EQ(h.engine.fullScans.size(), 1u);
    EXPECT_TRUE(h.engine.fullScans[0].includeUserContent) << "a quick interactive scan";
}

TEST_F(SmartCleanupViewTest, AStoredPlanIsShownAsASummaryAndVerifiedByAScan) {
    model::PersistedSmartCleanupPlan stored;
    stored.totalBytes = 0;
    h.prefs.setLastSmartCleanupPlan(stored);
    SmartCleanupView zero(*vm);
    EXPECT_FALSE(zero.canApplyPlan()) << "a stored plan of 0 bytes is no plan";

    stored.totalBytes = 3'000'000;
    stored.itemCount = 4;
    stored.categories = {{"Xcode", 3, 2'000'000}, {"Trash & Downloads", 1, 1'000'000}};
    h.prefs.setLastSmartCleanupPlan(stored);
    SmartCleanupView restored(*vm);
    restored.setConfirmationPresenter([this](SmartCleanupView&) { ++confirmations; });
    EXPECT_TRUE(restored.plan().isSummaryOnly);
    EXPECT_EQ(restored.planItemCount(), 4);
    const auto texts = restored.shownTexts();
    EXPECT_TRUE(texts.contains("3 MB"));
    EXPECT_TRUE(texts.contains("4 safe items across 2 categories"));
    EXPECT_TRUE(texts.contains("By category"));
    EXPECT_TRUE(texts.contains(
        "Plan restored from your last scan. Applying will rescan to verify items before cleaning."));
    // The "&" is doubled so that it shows as itself, not as a shortcut mark.
    EXPECT_EQ(restored.primaryButton()->text(), "Apply plan && clean 3 MB");
    restored.primaryButton()->click();
    EXPECT_EQ(confirmations, 0) << "the scan that verifies the plan comes first";
    ASSERT_EQ(h.engine.fullScans.size(), 1u);
    h.engine.fullScans.back().done({scannedItem("/h/.cache/a", CategoryType::systemCaches, 2000)});
    EXPECT_EQ(confirmations, 1) << "then the plan it found is confirmed, as after any scan";
    EXPECT_TRUE(restored.isConfirmationShown());
    EXPECT_TRUE(h.engine.cleans.empty());
}

TEST_F(SmartCleanupViewTest, APlanFromTheScanIsAppliedThroughTheConfirmation) {
    const testing::ScopedDesktopTexts english;
    std::vector<model::CleanItem> items;
    for (int i = 0; i < 9; ++i) items.push_back(scannedItem("/h/c/" + std::to_string(i), CategoryType::systemCaches, 1000 + i));
    auto review = scannedItem("/h/big.iso", CategoryType::largeFiles, 90000, false);
    review.isSelected = true;
    items.push_back(review);
    scanTo(items);

    EXPECT_TRUE(view.canApplyPlan());
    EXPECT_TRUE(shows("Top picks"));
    EXPECT_TRUE(shows("and 1 more item"));
    std::size_t pills = 0;
    for (auto* card : view.cards()) {
        for (auto* widget : card->findChildren<QWidget*>()) pills += dynamic_cast<StatusPill*>(widget) != nullptr;
    }
    EXPECT_EQ(pills, 8u) << "eight top picks, each marked safe";
    EXPECT_EQ(view.cards().size(), 3u);
    view.primaryButton()->click();
    EXPECT_EQ(confirmations, 1);
    EXPECT_TRUE(view.isConfirmationShown());
    EXPECT_EQ(vm->selectedItems().size(), 9u) << "exactly the plan's items";
    EXPECT_EQ(view.confirmationTitle(), QString("Clean %1?").arg(QString::fromStdString(
                                            platform::formatByteCount(vm->result().selectedBytes()))));
    view.cancelClean();
    ASSERT_EQ(vm->selectedItems().size(), 10u) << "Cancel puts back the selection as it was";
    EXPECT_EQ(vm->selectedItems()[9].path, "/h/big.iso");
    EXPECT_TRUE(h.engine.cleans.empty());

    view.primaryButton()->click();
    view.confirmClean();
    EXPECT_FALSE(view.isConfirmationShown());
    ASSERT_EQ(h.engine.cleans.size(), 1u);
    EXPECT_EQ(h.engine.cleans[0].items.size(), 9u);
}

TEST_F(SmartCleanupViewTest, ABackgroundScanHidesThePlanAndMovesItsBarInPlace) {
    scanTo({scannedItem("/h/c/a", CategoryType::systemCaches, 1000)});
    vm->resetScan(true);
    vm->startScan(true, false, false, false);
    EXPECT_FALSE(view.canApplyPlan());
    ASSERT_NE(view.statusLine(), nullptr);
    EXPECT_EQ(view.statusLine()->text(), "Building your plan from the scan in progress\u2026");
    ASSERT_NE(view.progressBar(), nullptr);
    auto* bar = view.progressBar();
    h.engine.fullScans.back().progress(0.5, "Scanning Trash...");
    EXPECT_EQ(view.progressBar(), bar) << "the same card, updated";
    EXPECT_EQ(bar->value(), 500);
    EXPECT_TRUE(shows("Scanning Trash..."));
}

}  // namespace
}  // namespace zentrel::ui
