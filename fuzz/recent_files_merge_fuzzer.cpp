// Recent-files lists of any shape, merged as an undo merges them. The input
// is the saved list, a NUL byte, then the list as it is now. The merge never
// fails; when both are lists, what it writes reads again as a list holding
// the entries of both.

#include "scanners/privacy/RecentFilesMerge.hpp"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zentrel::scanners;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const auto split = input.find('\0');
    const auto saved = input.substr(0, split);
    const auto current = split == std::string_view::npos ? std::string_view() : input.substr(split + 1);

    const auto merge = mergeRecentFiles(saved, current);
    if (merge.refusal) {
        if (!merge.contents.empty()) std::abort();
        return 0;
    }
    const auto savedEntries = recentFileHrefs(saved);
    const auto currentEntries = recentFileHrefs(current);
    if (!savedEntries || !currentEntries) return 0;
    const auto merged = recentFileHrefs(merge.contents);
    if (!merged) std::abort();
    for (const auto* entries : {&*savedEntries, &*currentEntries}) {
        for (const auto& href : *entries) {
            if (!merged->contains(href)) std::abort();
        }
    }
    return 0;
}
