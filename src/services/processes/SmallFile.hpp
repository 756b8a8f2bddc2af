#pragma once
// Reads the small text files of /proc and /sys with plain system calls: one
// open, a few reads, one close, and no stream machinery, because a process
// sweep reads a few of them per process.

#include <optional>
#include <string>

namespace zentrel::services {

// The whole file, or nullopt when it cannot be opened or read.
[[nodiscard]] std::optional<std::string> readSmallFile(const std::string& path);

}  // namespace zentrel::services
