#pragma once
// One clean run of the engine: deletes the selected items one after another,
// each by its deletion method, reports every item's start and end on the main
// thread, and, when the list holds privacy items, backs up what it changes so
// that the sweep can be undone for a day.

#include "engine/DeletionGuard.hpp"
#include "model/CleanItem.hpp"
#include "model/CleaningProgress.hpp"
#include "model/SweepRecord.hpp"
#include "platform/concurrency/Clock.hpp"
#include "platform/desktop/Clipboard.hpp"
#include "platform/files/FileSystem.hpp"
#include "platform/files/ICloudFileStatus.hpp"
#include "scanners/privacy/PrivacyCookieStore.hpp"
#include "scanners/privacy/SweepJournal.hpp"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace zentrel::engine {

class CleanerEngine;

// What a clean run changes besides sizes it reads through the engine.
struct CleanServices {
    platform::FileSystem& fileSystem;
    scanners::SweepJournal& journal;
    const scanners::PrivacyCookieStore& cookieStore;
    platform::Clipboard& clipboard;  // touched on the main thread only
    platform::ICloudFileStatus& icloud;
    const platform::Clock& clock;
    // The home and system locations the deletion guard lets the run change.
    platform::HostTable table;
};

struct DeleteResult {
    std::int64_t freed = 0;
    // The path of each failed item, or its id when it has no path, in the order they failed.
    std::vector<std::string> failedKeys;
    std::map<std::string, std::string> failureMessages;
    // Present when the run changed something it can undo.
    std::optional<model::SweepRecord> sweepRecord;
};

// A folder clear that removed some entries but not all.
class PartialDirectoryClearError final : public std::runtime_error {
public:
    PartialDirectoryClearError(std::int64_t freedBytes, int failureCount, std::string baseMessage);

    std::int64_t freedBytes;
    int failureCount;
    std::string baseMessage;
};

using CleaningProgressHandler = std::function<void(const model::CleaningProgressEvent&)>;

// Starts the run on the engine's executor. Events reach `progress` on the
// main thread in order; the result reaches `done` there after the last event.
void startCleanRun(CleanerEngine& engine, CleanServices& services, std::vector<model::CleanItem> items,
                   CleaningProgressHandler progress, std::function<void(DeleteResult)> done);

}  // namespace zentrel::engine
