// zentrel-cli dupes: duplicate files in Pictures, Documents, Downloads and
// Desktop of the home folder (or the folders given), the kept copy marked. Reads only.

#include "app/cli/CliCommand.hpp"
#include "platform/ByteCountFormatter.hpp"
#include "platform/PosixFileSystem.hpp"
#include "scanners/DuplicateScanner.hpp"
#include "scanners/SimilarMediaPass.hpp"

#include <iostream>

namespace zentrel::cli {
namespace {

int runDupes(const Arguments& arguments) {
    const auto layout = hostLayout(arguments);
    scanners::DuplicateScanner::ScanOptions options;
    if (auto roots = arguments.operands(); !roots.empty()) options.scanRoots = roots;
    platform::PosixFileSystem fileSystem;
    scanners::SimilarMediaPass similarMedia(options);
    scanners::DuplicateScanner scanner(options, fileSystem, layout.home.string(), &similarMedia);
    const auto groups = scanner.scan();
    std::int64_t total = 0;
    for (const auto& group : groups) {
        std::cout << model::rawValue(group.kind) << "\t" << group.reclaimableSizeText() << " reclaimable\n";
        for (const auto& member : group.members)
            std::cout << (member.isKeeper ? "  keep  " : "  extra ") << member.path << "\n";
        total += scanners::DuplicateScanner::reclaimableBytes(group);
    }
    std::cout << groups.size() << " groups, " << platform::formatByteCount(total) << " reclaimable\n";
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
