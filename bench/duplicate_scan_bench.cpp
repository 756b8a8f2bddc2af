// Runs the duplicate scanner's walk and exact pass over a generated tree of
// 50,000 files holding 5,000 duplicate pairs, and `jdupes -r -q` over the same
// tree when it is installed, both with warm caches. The tree lives in a
// temporary folder that is removed at the end.

#include "platform/files/PosixFileSystem.hpp"
#include "scanners/duplicates/DuplicateScanner.hpp"

#include "BenchTempFolder.hpp"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <string>
#include <unistd.h>

namespace {

constexpr int kFileCount = 50'000;
constexpr int kDistinctContents = 45'000;  // files past this repeat earlier contents: 5,000 pairs

class GeneratedTree {
public:
    GeneratedTree() {
        const auto& root = folder_.path();
        for (int i = 0; i < kFileCount; ++i) {
            const int seed = i % kDistinctContents;
            char folderName[32], fileName[32];
            std::snprintf(folderName, sizeof folderName, "d%d/e%d", i % 100, (i / 100) % 10);
            std::snprintf(fileName, sizeof fileName, "f%d.dat", i);
            const auto folder = root / folderName;
            std::filesystem::create_directories(folder);
            // Sizes repeat often, so most files share their size with others.
            std::string contents(static_cast<std::size_t>(1000 + seed % 3000), 'a');
            for (std::size_t at = 0; at < contents.size(); at += 97) contents[at] = static_cast<char>('A' + (seed + at) % 26);
            std::ofstream out(folder / fileName, std::ios::binary);
            out << contents << seed;
        }
        ::sync();
    }
    GeneratedTree(const GeneratedTree&) = delete;
    GeneratedTree& operator=(const GeneratedTree&) = delete;

    [[nodiscard]] std::string root() const { return folder_.path().string(); }

private:
    BenchTempFolder folder_{"zentrel-dupes-bench"};
};

GeneratedTree& tree() {
    static GeneratedTree instance;
    return instance;
}

std::size_t scannerGroups() {
    zentrel::scanners::DuplicateScanner::ScanOptions options;
    options.minFileBytes = 1;
    options.maxCandidates = kFileCount;
    options.maxPerSizeBucket = kFileCount;
    options.scanRoots = std::vector<std::string>{tree().root()};
    zentrel::scanners::DuplicateScanner scanner(options, zentrel::platform::PosixFileSystem::shared(), "/nonexistent");
    return scanner.scan().groups.size();
}

// Groups jdupes prints (sets separated by blank lines); -1 when it cannot run.
long jdupesGroups() {
    const std::string command = "jdupes -r -q '" + tree().root() + "' 2>/dev/null";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) return -1;
    long groups = 0;
    bool inGroup = false;
    char line[4096];
    while (std::fgets(line, sizeof line, pipe)) {
        const bool blank = line[0] == '\n';
        if (!blank && !inGroup) ++groups;
        inGroup = !blank;
    }
    return ::pclose(pipe) == 0 ? groups : -1;
}

void BM_ScannerExactPass(benchmark::State& state) {
    std::size_t groups = 0;
    for (auto _ : state) benchmark::DoNotOptimize(groups = scannerGroups());
    state.counters["groups"] = static_cast<double>(groups);
}

void BM_Jdupes(benchmark::State& state) {
    long groups = 0;
    for (auto _ : state) benchmark::DoNotOptimize(groups = jdupesGroups());
    if (groups < 0) state.SkipWithError("jdupes is not installed");
    state.counters["groups"] = static_cast<double>(groups);
}

BENCHMARK(BM_ScannerExactPass)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_Jdupes)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    std::cout << "Tree of " << kFileCount << " files in " << tree().root() << "\n";
    // One untimed pass of each, so that both start with warm caches.
    std::cout << "scanner: " << scannerGroups() << " groups; jdupes: " << jdupesGroups() << " groups\n";
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
