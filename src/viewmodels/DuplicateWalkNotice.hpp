#pragma once
// What every place that shows the Duplicates figure says when the walk
// stopped at its limit of files to compare: where it stopped and which
// folders it never reached.

#include "scanners/DuplicateScanner.hpp"

#include <string>

namespace zentrel::viewmodels {

[[nodiscard]] std::string duplicateWalkNotice(const scanners::CandidateLimitStop& stop);
// How many pictures the scan left out for their size.
[[nodiscard]] std::string picturesTooLargeNotice(std::size_t count);

}  // namespace zentrel::viewmodels
