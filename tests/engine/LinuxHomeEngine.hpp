#pragma once
// A generated Linux desktop home and an engine with every scanner registered
// over its Linux table, as the programs set the engine up; the engine's
// dates are written in `language`.

#include "engine/AllCategoryScanners.hpp"
#include "platform/files/PosixFileSystem.hpp"

#include "doubles/LinuxHomeFixture.hpp"
#include "doubles/ManualExecutor.hpp"
#include "doubles/ManualMainQueue.hpp"
#include "doubles/TempDir.hpp"

#include <unistd.h>

namespace zentrel::testing {

struct LinuxHomeEngine {
    explicit LinuxHomeEngine(const std::string& language = "en") : engine(fileSystem, pool, main, language) {
        engine::registerAllCategoryScanners(
            engine, {table, platform::SystemClock::shared(), icloud,
                     [] { return scanners::PrivacyScanner::ScanOptions{true, false}; },
                     [] { return scanners::ClipboardInsight{}; }});
    }

    TempDir dir;
    LinuxHomeFixture fixture = generateLinuxHome(dir.path());
    platform::PosixFileSystem fileSystem;
    platform::HostTable table = platform::HostTable::linuxDesktop(
        platform::HostLayout::forHome(fixture.home, fixture.systemRoot), fileSystem, static_cast<std::uint32_t>(::getuid()));
    ManualExecutor pool;
    ManualMainQueue main;
    platform::NoICloudFileStatus icloud;
    engine::CleanerEngine engine;
};

}  // namespace zentrel::testing
