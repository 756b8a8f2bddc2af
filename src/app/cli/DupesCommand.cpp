// zentrel-cli dupes: duplicate files in Pictures, Documents, Downloads and
// Desktop of the home folder (or the folders given), the kept copy marked. Reads
// only, but keeps the pictures' fingerprints in the cache folder for the next run.

#include "app/cli/CliCommand.hpp"
#include "platform/ByteCountFormatter.hpp"
#include "platform/PosixFileSystem.hpp"
#include "platform/TaskPool.hpp"
#include "scanners/DuplicateScanner.hpp"
#include "scanners/SimilarMediaPass.hpp"

#include <iostream>

namespace zentrel::cli {
namespace {

int runDupes(const Arguments& arguments) {
    const auto layout = hostLayout(arguments);
    scanners::DuplicateScanner::ScanOptions options;
    platform::PosixFileSystem fileSystem;
    if (const auto& roots = arguments.operands(); !roots.empty()) {
        for (const auto& root : roots) {
            const auto attributes = fileSystem.resolvedAttributes(root);
            if (!attributes) {
                std::cerr << "zentrel-cli dupes: there is no folder at " << root << "\n";
                return 1;
            }
            if (!attributes->isDirectory()) {
                std::cerr << "zentrel-cli dupes: " << root << " is not a folder\n";
                return 1;
            }
        }
        options.scanRoots = roots;
    }
    platform::TaskPool pool;
    const auto store = scanners::mediaFingerprintStorePath(layout.cacheHome);
    const auto [groups, candidateLimit, picturesTooLarge] =
        scanners::withMediaFingerprintStore(store, [&](scanners::MediaFingerprintStore& fingerprints) {
            scanners::SimilarMediaPass similarMedia(options, &pool, &fingerprints);
            scanners::DuplicateScanner scanner(options, fileSystem, layout.home.string(), &similarMedia, &pool);
            return scanner.scan();
        });
    std::int64_t total = 0;
    for (const auto& group : groups) {
        std::cout << model::rawValue(group.kind) << "\t" << group.reclaimableSizeText() << " reclaimable\n";
        for (const auto& member : group.members)
            std::cout << (member.isKeeper ? "  keep  " : "  extra ") << member.path << "\n";
        total += scanners::DuplicateScanner::reclaimableBytes(group);
    }
    std::cout << groups.size() << " groups, " << platform::formatByteCount(total) << " reclaimable\n";
    if (candidateLimit) {
        std::cout << "Stopped early: the limit of " << candidateLimit->limit << " files to compare was reached at "
                  << candidateLimit->stoppedAt << "; files from there on were not compared";
        if (!candidateLimit->rootsNotReached.empty()) {
            std::cout << ", nor any in";
            for (const auto& root : candidateLimit->rootsNotReached) std::cout << " " << root;
        }
        std::cout << "\n";
    }
    if (picturesTooLarge > 0)
        std::cout << picturesTooLarge << " pictures were too large to compare and were left out\n";
    return 0;
}

CliCommandRegistration dupes{{.name = "dupes",
                              .usage = "dupes [DIR ...] [--home DIR]",
                              .summary = "List duplicate files with the copy that would be kept (reads only)",
                              .options = withHostOptions({}),
                              .operands = ValueKind::path,
                              .run = runDupes}};

}  // namespace
}  // namespace zentrel::cli
