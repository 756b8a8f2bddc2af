#pragma once
// The engine of a command with every category scanner registered over the
// command's folders, as the window's engine is set up, and what its clean
// runs change besides files (the sweep journal and cookie stores of that
// home; a terminal reaches no desktop clipboard).

#include "engine/CleanerEngine.hpp"
#include "platform/concurrency/MainLoop.hpp"
#include "platform/concurrency/TaskPool.hpp"
#include "platform/desktop/MemoryClipboard.hpp"
#include "platform/files/ICloudFileStatus.hpp"
#include "platform/files/PosixFileSystem.hpp"
#include "platform/places/HostLayout.hpp"
#include "platform/text/Localization.hpp"
#include "scanners/privacy/PrivacyCookieStore.hpp"
#include "scanners/privacy/SweepJournal.hpp"

namespace zentrel::cli {

class ScanSetup {
public:
    ScanSetup(const platform::HostLayout& layout, const platform::HostTable& table);

    // Runs every phase; progress lines go to standard error unless `quiet`.
    [[nodiscard]] engine::CleanerEngine::Items fullScan(bool quiet);
    [[nodiscard]] engine::CleanerEngine::Items categoryScan(model::CategoryType category);

    platform::MainLoop loop;
    platform::PosixFileSystem& fileSystem = platform::PosixFileSystem::shared();
    // Declared before the pool: the pool finishes the journal's last purge before it goes.
    scanners::SweepJournal journal;
    platform::TaskPool pool;
    platform::NoICloudFileStatus icloud;
    // Dates in the items' descriptions in the language of the texts.
    engine::CleanerEngine engine{fileSystem, pool, loop, platform::Localization::shared().language()};
    scanners::PrivacyCookieStore cookieStore;
    platform::MemoryClipboard clipboard;
    engine::CleanServices cleanServices;
};

}  // namespace zentrel::cli
