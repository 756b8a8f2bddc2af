#include "viewmodels/SweepRestorer.hpp"

#include "platform/MemoryClipboard.hpp"

#include "doubles/ManualExecutor.hpp"
#include "doubles/ManualMainQueue.hpp"
#include "doubles/TempDir.hpp"

#include <gtest/gtest.h>

namespace zentrel::viewmodels {
namespace {

TEST(JournalSweepRestorerTest, SavedClipboardTextGoesBackAndAnEmptyOneLeavesTheClipboardEmpty) {
    testing::TempDir home;
    scanners::SweepJournal journal(home.path(), {});
    testing::ManualExecutor pool;
    testing::ManualMainQueue main;
    platform::MemoryClipboard clipboard;
    JournalSweepRestorer restorer(journal, clipboard, pool, main);

    for (const std::string saved : {"4111 1111 1111 1111", ""}) {
        const auto backup = journal.backupPasteboard(saved, platform::Uuid::random());
        clipboard.setText("copied since the sweep");
        std::optional<std::optional<std::string>> answer;
        const model::SweepAction action{platform::Uuid::random(), model::SweepActionKind::pasteboardCleared,
                                        "Clipboard cleared", std::nullopt, backup, "pasteboard", false};
        restorer.restore({platform::Uuid::random(), {}, {}, {action}, 0}, action,
                         [&](std::optional<std::string> error, std::vector<platform::Uuid>) { answer = error; });
        pool.runAll();
        main.drain();
        ASSERT_TRUE(answer);
        EXPECT_EQ(*answer, std::nullopt);
        EXPECT_EQ(clipboard.text(), saved.empty() ? std::nullopt : std::optional(saved)) << saved;
    }
}

}  // namespace
}  // namespace zentrel::viewmodels
