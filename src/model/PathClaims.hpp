#pragma once
// One path, one figure: when several items of a scan name the same path, the
// item of the more specific category keeps it (a tool's cache stays with the
// tool, not with the caches folder it lives in), and an item below a folder
// another item already removes is left out, so no byte of a clean is
// counted twice. A duplicate keeper claims nothing: it is not freed.

#include "model/CleanItem.hpp"

#include <vector>

namespace zentrel::model {

// The items that keep their paths, in their order.
[[nodiscard]] std::vector<CleanItem> claimPaths(std::vector<CleanItem> items);

}  // namespace zentrel::model
