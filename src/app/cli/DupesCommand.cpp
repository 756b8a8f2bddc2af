// zentrel-cli dupes: duplicate files of 100 KB or more in Pictures, Documents,
// Downloads and Desktop of the home folder (or the folders given), the kept
// copy marked. Reads only, but keeps the pictures' fingerprints in the cache
// folder for the next run.

#include "app/cli/CliCommand.hpp"
#include "app/cli/TerminalText.hpp"
#include "platform/concurrency/TaskPool.hpp"
#include "platform/files/PosixFileSystem.hpp"
#include "platform/text/ByteCountFormatter.hpp"
#include "platform/text/DisplayWidth.hpp"
#include "platform/text/Localization.hpp"
#include "platform/text/NumberFormatter.hpp"
#include "scanners/duplicates/DuplicateScanner.hpp"
#include "scanners/duplicates/SimilarMediaPass.hpp"
#include "viewmodels/DuplicateWalkNotice.hpp"

#include <iostream>

namespace zentrel::cli {
namespace {

using platform::localized;
using platform::localizedFormat;

int runDupes(const Arguments& arguments) {
    const auto layout = hostLayout(arguments);
    scanners::DuplicateScanner::ScanOptions options;
    platform::PosixFileSystem fileSystem;
    if (const auto& roots = arguments.operands(); !roots.empty()) {
        for (const auto& root : roots) {
            const auto attributes = fileSystem.resolvedAttributes(root);
            if (!attributes) {
                std::cerr << "zentrel-cli dupes: " << localizedFormat("there is no folder at %@", {terminalText(root, Stream::error)}) << "\n";
                return 1;
            }
            if (!attributes->isDirectory()) {
                std::cerr << "zentrel-cli dupes: " << localizedFormat("%@ is not a folder", {terminalText(root, Stream::error)}) << "\n";
                return 1;
            }
        }
        options.scanRoots = roots;
    }
    platform::TaskPool pool;
    const auto store = scanners::mediaFingerprintStorePath(layout.cacheHome);
    const auto [groups, candidateLimit, cappedSizes, picturesTooLarge] =
        scanners::withMediaFingerprintStore(store, [&](scanners::MediaFingerprintStore& fingerprints) {
            scanners::SimilarMediaPass similarMedia(options, &pool, &fingerprints);
            scanners::DuplicateScanner scanner(options, fileSystem, layout.home.string(), &similarMedia, &pool);
            return scanner.scan();
        });
    std::int64_t total = 0;
    for (const auto& group : groups) {
        std::cout << localized(model::displayName(group.kind)) << "\t"
                  << localizedFormat("%@ reclaimable", {group.reclaimableSizeText()}) << "\n";
        for (const auto& member : group.members)
            std::cout << "  " << platform::paddedToWidth(localized(member.isKeeper ? "keep" : N_("extra")), 6) << terminalText(member.path)
                      << "\n";
        total += scanners::DuplicateScanner::reclaimableBytes(group);
    }
    std::cout << localizedFormat(N_COUNTED("%lld groups, %@ reclaimable"),
                                 {platform::formatCount(groups.size()), platform::formatByteCount(total)})
              << "\n";
    // Paths in the notice come from the walk: made safe before they are printed.
    auto shownStop = candidateLimit;
    if (shownStop) {
        shownStop->stoppedAt = terminalText(shownStop->stoppedAt);
        for (auto& root : shownStop->rootsNotReached) root = terminalText(root);
    }
    if (const auto notice = viewmodels::duplicateScanNotice(shownStop, cappedSizes)) std::cout << *notice << "\n";
    std::cout << viewmodels::smallFilesNotice(options.minFileBytes) << "\n";
    if (picturesTooLarge > 0) std::cout << viewmodels::picturesTooLargeNotice(picturesTooLarge) << "\n";
    return 0;
}

CliCommandRegistration dupes{{.name = "dupes",
                              .usage = N_("dupes [DIR ...] [--home DIR]"),
                              .summary = N_("List duplicate files of 100 KB or more with the copy that would be kept "
                                            "(reads only)"),
                              .options = withHostOptions({}),
                              .operands = ValueKind::path,
                              .run = runDupes}};

}  // namespace
}  // namespace zentrel::cli
