// A full scan of a generated Linux desktop home (every category's junk where
// the desktop keeps it) with every scanner registered over the Linux table.
// The home lives in a temporary folder removed at the end.

#include "engine/AllCategoryScanners.hpp"
#include "platform/concurrency/MainLoop.hpp"
#include "platform/concurrency/TaskPool.hpp"
#include "platform/files/PosixFileSystem.hpp"

#include "BenchTempFolder.hpp"
#include "doubles/LinuxHomeFixture.hpp"

#include <benchmark/benchmark.h>

#include <stdexcept>
#include <unistd.h>

namespace {

using namespace zentrel;

void BM_FullScanOfALinuxHome(benchmark::State& state) {
    BenchTempFolder folder("zentrel-linux-home-bench");
    const auto fixture = testing::generateLinuxHome(folder.path());
    auto& fileSystem = platform::PosixFileSystem::shared();
    const auto table = platform::HostTable::linuxDesktop(platform::HostLayout::forHome(fixture.home, fixture.systemRoot),
                                                         fileSystem, static_cast<std::uint32_t>(::getuid()));
    platform::MainLoop loop;
    platform::TaskPool pool(2);
    platform::NoICloudFileStatus icloud;
    auto& clock = platform::SystemClock::shared();
    engine::CleanerEngine engine(fileSystem, pool, loop);
    engine::registerAllCategoryScanners(engine, {table, clock, icloud,
                                                 [] { return scanners::PrivacyScanner::ScanOptions{true, false}; },
                                                 [] { return scanners::ClipboardInsight{}; }});

    for (auto _ : state) {
        const auto items = engine.runFullScan(true, true, {});
        if (items.empty()) throw std::runtime_error("the scan found nothing");
        benchmark::DoNotOptimize(items.data());
    }
}
BENCHMARK(BM_FullScanOfALinuxHome)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
