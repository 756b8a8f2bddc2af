#pragma once
// Puts the entries of a saved recent-files list ("recently-used.xbel", the
// desktop's XBEL list of recently used files) back into the list as it is
// now, for the undo of a privacy sweep that removed the list.
//
// Every saved <bookmark> comes back by its href. A bookmark the list holds
// now for the same href is kept as it is: the sweep removed the whole list,
// so what it holds now was written since and is the newer. The list's own
// namespaces, order and other content stay; the saved bookmarks go in front
// of the ones written since. Both texts are read with libxml2, never
// following a network or external entity.
//
//   auto merge = mergeRecentFiles(saved, current);
//   if (merge.refusal) ...nothing may be written...
//   else ...write merge.contents...

#include <optional>
#include <set>
#include <string>
#include <string_view>

namespace zentrel::scanners {

struct RecentFilesMerge {
    // The list to write: the merge, or one of the two texts unchanged.
    std::string contents;
    // Why nothing may be written; `contents` is empty then.
    std::optional<std::string> refusal;
};

// A text that is not a well-formed list the desktop can read is used only
// where nothing is lost: a current list that is blank, or (for a saved text
// that is no list) holds no bookmark, takes the saved text as it is; a saved
// list with no bookmarks leaves the current text as it is. Otherwise the
// merge is refused, with the reason.
[[nodiscard]] RecentFilesMerge mergeRecentFiles(std::string_view saved, std::string_view current);

// The hrefs of a list's bookmarks; none when the text is not a well-formed
// XBEL list.
[[nodiscard]] std::optional<std::set<std::string>> recentFileHrefs(std::string_view list);

}  // namespace zentrel::scanners
