// Removes a generated tree of 50,000 files (500 folders) with the engine's
// clean run, and an identical tree with `rm -rf`, and reports the time of
// each. Every tree lives in a temporary folder removed at the end.

#include "engine/CleanerEngine.hpp"
#include "platform/concurrency/MainLoop.hpp"
#include "platform/concurrency/TaskPool.hpp"
#include "platform/desktop/MemoryClipboard.hpp"
#include "platform/files/PosixFileSystem.hpp"

#include "BenchTempFolder.hpp"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using namespace zentrel;

constexpr int kTopFolders = 50;
constexpr int kSubFolders = 10;
constexpr int kFilesPerFolder = 100;

void generateTree(const fs::path& root) {
    const std::string contents(4000, 'z');
    for (int top = 0; top < kTopFolders; ++top) {
        for (int sub = 0; sub < kSubFolders; ++sub) {
            const auto folder = root / ("d" + std::to_string(top)) / ("e" + std::to_string(sub));
            fs::create_directories(folder);
            for (int file = 0; file < kFilesPerFolder; ++file) {
                std::ofstream out(folder / ("f" + std::to_string(file) + ".dat"), std::ios::binary);
                out.write(contents.data(), (top * 31 + sub * 7 + file) % 4000);
            }
        }
    }
    ::sync();
}

void BM_CleanRunRemovesTree(benchmark::State& state) {
    BenchTempFolder home("zentrel-clean-bench");
    platform::MainLoop loop;
    platform::TaskPool pool(2);
    auto& fileSystem = platform::PosixFileSystem::shared();
    scanners::SweepJournal journal(home.path(), {});  // nothing is restored here
    scanners::PrivacyCookieStore cookies(fileSystem, home.path().string());
    platform::MemoryClipboard clipboard;
    platform::NoICloudFileStatus icloud;
    engine::CleanServices services{fileSystem, journal, cookies, clipboard, icloud, platform::SystemClock::shared(),
                                   platform::HostTable::macos(platform::HostLayout::forHome(home.path(), {}))};
    engine::CleanerEngine engine(fileSystem, pool, loop);
    engine.setCleanServices(services);
    const auto root = home.path() / "Library/Caches/generated";

    for (auto _ : state) {
        state.PauseTiming();
        generateTree(root);
        model::CleanItem item;
        item.name = "generated";
        item.path = root.string();
        item.category = model::CategoryType::systemCaches;
        state.ResumeTiming();

        std::optional<engine::DeleteResult> result;
        engine.cleanItems({item}, {}, [&](engine::DeleteResult done) { result = std::move(done); });
        loop.runUntil([&] { return result.has_value(); });
        if (!result->failedKeys.empty() || fs::exists(root)) throw std::runtime_error("the clean run left files");
        engine.clearSizeCache();
    }
    state.counters["files"] = kTopFolders * kSubFolders * kFilesPerFolder;
}

void BM_RmRfRemovesTree(benchmark::State& state) {
    BenchTempFolder home("zentrel-rm-bench");
    const auto root = home.path() / "generated";
    const auto command = "rm -rf '" + root.string() + "'";
    for (auto _ : state) {
        state.PauseTiming();
        generateTree(root);
        state.ResumeTiming();
        if (std::system(command.c_str()) != 0 || fs::exists(root)) throw std::runtime_error("rm -rf failed");
    }
    state.counters["files"] = kTopFolders * kSubFolders * kFilesPerFolder;
}

BENCHMARK(BM_CleanRunRemovesTree)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RmRfRemovesTree)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
