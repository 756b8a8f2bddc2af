#pragma once
// Puts one action of a privacy sweep back from its backup, and drops the
// backups no sweep needs any more. The answer of a restore arrives on the
// main thread: an error text on failure, else the actions now undone (the
// one asked for, and those of the same store when the whole store went
// back). `JournalSweepRestorer` is the real one.

#include "model/SweepRecord.hpp"
#include "platform/concurrency/Executor.hpp"
#include "platform/concurrency/SerialExecutor.hpp"
#include "platform/desktop/Clipboard.hpp"
#include "scanners/privacy/SweepJournal.hpp"

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace zentrel::viewmodels {

class SweepRestorer {
public:
    // `alreadyBack`: nothing was left to put back, the action is settled all the same.
    using Done =
        std::function<void(std::optional<std::string> error, std::vector<platform::Uuid> undone, bool alreadyBack)>;
    virtual ~SweepRestorer() = default;
    virtual void restore(const model::SweepRecord& record, const model::SweepAction& action, Done done) = 0;
    // Removes the backups of every sweep not in `liveSweepIDs` that the log
    // is done with (`loggedSweepIDs`) or that is a day old, in the background.
    virtual void purgeBackups(std::set<platform::Uuid> liveSweepIDs, std::set<platform::Uuid> loggedSweepIDs) = 0;
    // The records the journal keeps of its sweeps (those cut short among
    // them), read in the background and handed over on the main thread.
    virtual void recordedSweeps(std::function<void(std::vector<model::SweepRecord>)> done) = 0;
};

// Files are copied back on a serial executor; clipboard text goes back on
// the main thread, where the clipboard lives.
class JournalSweepRestorer final : public SweepRestorer {
public:
    JournalSweepRestorer(scanners::SweepJournal& journal, platform::Clipboard& clipboard, platform::Executor& pool,
                         platform::MainQueue& main);
    void restore(const model::SweepRecord& record, const model::SweepAction& action, Done done) override;
    void purgeBackups(std::set<platform::Uuid> liveSweepIDs, std::set<platform::Uuid> loggedSweepIDs) override;
    void recordedSweeps(std::function<void(std::vector<model::SweepRecord>)> done) override;

private:
    scanners::SweepJournal& journal_;
    platform::Clipboard& clipboard_;
    platform::SerialExecutor executor_;
    platform::MainQueue& main_;
};

}  // namespace zentrel::viewmodels
