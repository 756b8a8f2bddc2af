#include "viewmodels/SweepRestorer.hpp"

#include "platform/concurrency/Clock.hpp"
#include "platform/desktop/MemoryClipboard.hpp"

namespace zentrel::viewmodels {

JournalSweepRestorer::JournalSweepRestorer(scanners::SweepJournal& journal, platform::Clipboard& clipboard,
                                           platform::Executor& pool, platform::MainQueue& main)
    : journal_(journal), clipboard_(clipboard), executor_(pool), main_(main) {}

void JournalSweepRestorer::restore(const model::SweepRecord& record, const model::SweepAction& action, Done done) {
    struct Outcome {
        std::optional<std::string> error;
        std::vector<platform::Uuid> undone;
        bool alreadyBack = false;
        std::optional<std::string> clipboardText;
    };
    executor_.run(
        main_,
        [&journal = journal_, action, actions = record.actions] {
            platform::MemoryClipboard held;  // takes the restored text over to the main thread
            Outcome outcome;
            try {
                auto restored = journal.restoreAction(action, held, actions);
                outcome.undone = std::move(restored.undone);
                outcome.alreadyBack = restored.alreadyBack;
                if (action.kind == model::SweepActionKind::pasteboardCleared) {
                    outcome.clipboardText = held.contents.value_or("");
                }
            } catch (const std::exception& error) {
                outcome.error = error.what();
            }
            return outcome;
        },
        [&clipboard = clipboard_, done = std::move(done)](Outcome outcome) {
            // Saved text that was empty leaves the clipboard empty.
            if (outcome.clipboardText) {
                clipboard.clear();
                if (!outcome.clipboardText->empty()) clipboard.setText(*outcome.clipboardText);
            }
            done(outcome.error, std::move(outcome.undone), outcome.alreadyBack);
        });
}

void JournalSweepRestorer::purgeBackups(std::set<platform::Uuid> liveSweepIDs, std::set<platform::Uuid> loggedSweepIDs) {
    executor_.submit([&journal = journal_, live = std::move(liveSweepIDs), logged = std::move(loggedSweepIDs)] {
        (void)journal.purgeBackups(live, logged, platform::SystemClock::shared().now());
    });
}

void JournalSweepRestorer::recordedSweeps(std::function<void(std::vector<model::SweepRecord>)> done) {
    executor_.run(main_, [&journal = journal_] { return journal.recordedSweeps(); }, std::move(done));
}

}  // namespace zentrel::viewmodels
