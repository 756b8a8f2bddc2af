// Sizes a generated tree of 50,500 entries (50,000 files) with the file-system
// walker and with `du -sb` on the same tree, and reports files per second for
// both. The tree lives in a temporary folder that is removed at the end.

#include "platform/files/PosixFileSystem.hpp"

#include "BenchTempFolder.hpp"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <string>
#include <unistd.h>

namespace {

constexpr int kTopFolders = 50;
constexpr int kSubFolders = 10;
constexpr int kFilesPerFolder = 100;
constexpr int kFileCount = kTopFolders * kSubFolders * kFilesPerFolder;

class GeneratedTree {
public:
    GeneratedTree() {
        const auto& root = folder_.path();
        std::string contents(4000, 'z');
        for (int top = 0; top < kTopFolders; ++top) {
            for (int sub = 0; sub < kSubFolders; ++sub) {
                auto folder = root / ("d" + std::to_string(top)) / ("e" + std::to_string(sub));
                std::filesystem::create_directories(folder);
                for (int file = 0; file < kFilesPerFolder; ++file) {
                    std::ofstream out(folder / ("f" + std::to_string(file) + ".dat"), std::ios::binary);
                    out.write(contents.data(), (top * 31 + sub * 7 + file) % 4000);
                }
            }
        }
        // Let the new files reach the disk first, so that background writeback
        // does not slow whichever side runs first.
        ::sync();
    }
    GeneratedTree(const GeneratedTree&) = delete;
    GeneratedTree& operator=(const GeneratedTree&) = delete;

    [[nodiscard]] std::string root() const { return folder_.path().string(); }

private:
    BenchTempFolder folder_{"zentrel-walk-bench"};
};

GeneratedTree& tree() {
    static GeneratedTree instance;
    return instance;
}

// Sums the allocated size of every file below the root, as the engine does.
std::int64_t walkerTotal(const std::string& root, int& files) {
    auto walk = zentrel::platform::PosixFileSystem::shared().walk(root, {.skipHiddenEntries = true});
    std::int64_t total = 0;
    files = 0;
    while (auto entry = walk->next()) {
        if (entry->attributes.isDirectory()) continue;
        total += entry->attributes.allocatedSize;
        ++files;
    }
    return total;
}

std::int64_t duTotal(const std::string& root) {
    std::string command = "du -sb '" + root + "'";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) throw std::runtime_error("cannot run du");
    long long bytes = -1;
    if (std::fscanf(pipe, "%lld", &bytes) != 1) bytes = -1;
    ::pclose(pipe);
    return bytes;
}

void BM_WalkerSizesTree(benchmark::State& state) {
    const auto root = tree().root();
    int files = 0;
    std::int64_t total = 0;
    for (auto _ : state) {
        total = walkerTotal(root, files);
        benchmark::DoNotOptimize(total);
    }
    if (files != kFileCount) state.SkipWithError("the walk missed files");
    state.counters["files_per_second"] =
        benchmark::Counter(static_cast<double>(files) * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate);
    state.counters["allocated_bytes"] = static_cast<double>(total);
}

void BM_DuSizesTree(benchmark::State& state) {
    const auto root = tree().root();
    std::int64_t total = 0;
    for (auto _ : state) {
        total = duTotal(root);
        benchmark::DoNotOptimize(total);
    }
    if (total < 0) state.SkipWithError("du failed");
    state.counters["files_per_second"] = benchmark::Counter(
        static_cast<double>(kFileCount) * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["apparent_bytes"] = static_cast<double>(total);
}

BENCHMARK(BM_WalkerSizesTree)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_DuSizesTree)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    std::cout << "Tree of " << kFileCount << " files in " << tree().root() << "\n";
    // One untimed pass of each, so that both start with the same warm caches.
    int files = 0;
    std::cout << "walker: " << walkerTotal(tree().root(), files) << " allocated bytes in " << files
              << " files; du -sb: " << duTotal(tree().root()) << " bytes\n";
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
