// The side of compare_with_peers that is ours: it runs one of our paths over
// the tree peer_tree_generator writes, so that the script can time it as a
// whole process, as it times the peers.
//
//   peer_comparison_probe exact HOME      the duplicate walk and the exact pass
//   peer_comparison_probe similar HOME    the duplicate walk and the similar-picture pass
//   peer_comparison_probe size FOLDER     the engine's size of a folder, in bytes
//
// It never reads a folder it is not given.

#include "engine/CleanerEngine.hpp"
#include "platform/concurrency/MainLoop.hpp"
#include "platform/concurrency/TaskPool.hpp"
#include "platform/files/PosixFileSystem.hpp"
#include "scanners/duplicates/DuplicateScanner.hpp"
#include "scanners/duplicates/SimilarMediaPass.hpp"

#include <iostream>
#include <string>
#include <vector>

namespace {

using zentrel::scanners::DuplicateScanner;

int runPass(const std::string& home, bool media) {
    zentrel::platform::TaskPool pool;
    DuplicateScanner::ScanOptions options;
    zentrel::scanners::SimilarMediaPass similar(options, &pool);
    DuplicateScanner scanner(options, zentrel::platform::PosixFileSystem::shared(), home, nullptr, &pool);
    std::vector<zentrel::scanners::ScanCandidate> chosen;
    for (const auto& candidate : scanner.collectCandidates())
        if (candidate.isMedia == media) chosen.push_back(candidate);
    const auto groups = media ? similar.findSimilarMedia(chosen) : scanner.findExactDuplicates(chosen);
    std::cout << chosen.size() << " files, " << groups.size() << " groups\n";
    return 0;
}

int runSize(const std::string& folder) {
    zentrel::platform::MainLoop loop;
    zentrel::platform::TaskPool pool;
    zentrel::engine::CleanerEngine engine(zentrel::platform::PosixFileSystem::shared(), pool, loop);
    std::cout << engine.allocatedSizeOfPath(folder) << "\n";
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc == 3 ? argv[1] : "";
    if (mode == "exact" || mode == "similar") return runPass(argv[2], mode == "similar");
    if (mode == "size") return runSize(argv[2]);
    std::cerr << "usage: peer_comparison_probe exact|similar|size PATH\n";
    return 2;
}
