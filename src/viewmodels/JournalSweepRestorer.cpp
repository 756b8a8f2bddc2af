#include "viewmodels/SweepRestorer.hpp"

namespace zentrel::viewmodels {
namespace {

// A clipboard that only takes the restored text over to the main thread.
class HeldClipboard final : public platform::Clipboard {
public:
    [[nodiscard]] std::optional<std::string> text() const override { return held; }
    void clear() override { held.reset(); }
    void setText(const std::string& text) override { held = text; }
    std::optional<std::string> held;
};

}  // namespace

JournalSweepRestorer::JournalSweepRestorer(scanners::SweepJournal& journal, platform::Clipboard& clipboard,
                                           platform::Executor& pool, platform::MainQueue& main)
    : journal_(journal), clipboard_(clipboard), executor_(pool), main_(main) {}

void JournalSweepRestorer::restore(const model::SweepAction& action, Done done) {
    struct Outcome {
        std::optional<std::string> error;
        std::optional<std::string> clipboardText;
    };
    executor_.run(
        main_,
        [&journal = journal_, action] {
            HeldClipboard held;
            Outcome outcome;
            try {
                journal.restore(action, held);
                outcome.clipboardText = held.held;
            } catch (const std::exception& error) {
                outcome.error = error.what();
            }
            return outcome;
        },
        [&clipboard = clipboard_, done = std::move(done)](Outcome outcome) {
            if (outcome.clipboardText) clipboard.setText(*outcome.clipboardText);
            done(outcome.error);
        });
}

}  // namespace zentrel::viewmodels
