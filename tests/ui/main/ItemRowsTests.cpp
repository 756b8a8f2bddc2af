#include "ui/main/ItemRows.hpp"

#include "platform/desktop/MemoryClipboard.hpp"

#include "viewmodels/ScanViewModelHarness.hpp"

#include <gtest/gtest.h>

namespace zentrel::ui {
namespace {

using model::CategoryType;
using testing::scannedItem;

class ItemRowsTest : public ::testing::Test {
protected:
    ItemRowServices services() { return {*vm, clipboard, h.clock}; }
    testing::ScanViewModelHarness h;
    std::shared_ptr<viewmodels::ScanViewModel> vm = h.make();
    platform::MemoryClipboard clipboard;
};

TEST_F(ItemRowsTest, CommandsAreCopiedWithoutTheirCommentForAWhile) {
    EXPECT_EQ(SuggestedCommandRow::copiedText("corepack enable && pnpm install  # run inside each project"),
              "corepack enable && pnpm install");
    EXPECT_EQ(SuggestedCommandRow::copiedText("  \tbrew cleanup \t"), "brew cleanup");
    EXPECT_EQ(SuggestedCommandRow::copiedText("echo a # not a comment"), "echo a # not a comment");

    SuggestedCommandRow row("xcrun simctl delete unavailable  # old simulators", clipboard, h.clock);
    EXPECT_EQ(row.copyButton()->text(), "Copy");
    row.copy();
    EXPECT_EQ(clipboard.text(), "xcrun simctl delete unavailable");
    EXPECT_TRUE(row.isCopied());
    EXPECT_EQ(row.copyButton()->text(), "Copied");
    h.clock.advance(std::chrono::milliseconds(1000));
    row.copy();
    h.clock.advance(std::chrono::milliseconds(600));
    EXPECT_FALSE(row.isCopied()) << "the first reset still fires at its own time";
    EXPECT_EQ(row.copyButton()->text(), "Copy");
}

TEST_F(ItemRowsTest, RowsShowTheItemAndItsFailure) {
    auto advice = scannedItem("", CategoryType::devProjects, 300, false);
    advice.name = "Switch 2 projects to pnpm";
    advice.warningMessage = "2 npm/yarn projects each copy their own dependencies.";
    advice.suggestedCommand = "corepack enable  # in each project";
    auto cache = scannedItem("/h/Library/Caches/a", CategoryType::systemCaches, 3000);
    cache.friendlyName = "System junk";
    cache.friendlyDescription = "Temporary data";
    h.scanTo(*vm, {advice, cache});
    vm->failedDeletionKeys.set({advice.id.string()});

    ItemRow failed(services(), advice);
    EXPECT_TRUE(failed.isFailed()) << "an item without a path fails under its id";
    EXPECT_EQ(failed.detailLine(), failed.failureLine()) << "the failure instead of the warning";
    ASSERT_NE(failed.failedBadge(), nullptr);
    EXPECT_EQ(failed.failedBadge()->text(), "Could not delete");
    EXPECT_EQ(failed.safety()->text(), "Review before deleting");
    EXPECT_NE(failed.commandRow(), nullptr);

    ItemRow plain(services(), cache);
    EXPECT_EQ(plain.detailLine()->text(), "/h/Library/Caches/a");
    EXPECT_EQ(plain.failedBadge(), nullptr);
    EXPECT_EQ(plain.safety()->text(), "Safe to delete");
    EXPECT_EQ(plain.commandRow(), nullptr);

    FriendlyItemRow friendly(services(), cache);
    ASSERT_NE(friendly.descriptionLabel(), nullptr);
    EXPECT_EQ(friendly.descriptionLabel()->text(), "Temporary data");
    EXPECT_EQ(friendly.checkBox()->accessibleName(), "System junk, 3 KB") << "the size it shows";
    EXPECT_EQ(friendly.sizeLabel()->text(), "3 KB");
    friendly.checkBox()->click();
    EXPECT_FALSE(vm->result().items[1].isSelected) << "the view model flips the flag";
}

}  // namespace
}  // namespace zentrel::ui
