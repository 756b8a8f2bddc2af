#pragma once
// What every place that shows the Duplicates figure says when the scan left
// files uncompared: where the walk stopped at its limit of files to compare
// and which folders it never reached, and the sizes shared by more files than
// it compares.

#include "scanners/duplicates/DuplicateScanner.hpp"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zentrel::viewmodels {

[[nodiscard]] std::string duplicateWalkNotice(const scanners::CandidateLimitStop& stop);
// The sizes shared by more files than the exact pass compares: "13 files of
// 200 KB share a size; 12 were compared." for each of the first three, then
// how many more such sizes there are.
[[nodiscard]] std::string cappedSizesNotice(const std::vector<scanners::CappedSizeGroup>& sizes);
// All a duplicates scan left uncompared, the walk's stop first; none when it
// compared everything it found.
[[nodiscard]] std::optional<std::string> duplicateScanNotice(const std::optional<scanners::CandidateLimitStop>& stop,
                                                             const std::vector<scanners::CappedSizeGroup>& sizes);
// The files the duplicate finder never compares: "Files under 100 KB are not compared."
[[nodiscard]] std::string smallFilesNotice(std::int64_t minFileBytes);
// How many pictures the scan left out for their size.
[[nodiscard]] std::string picturesTooLargeNotice(std::size_t count);

}  // namespace zentrel::viewmodels
