#pragma once
// What a folder takes on disk, counted as `du -s` counts it: the allocated
// blocks of the folder itself and of every entry below it, hidden ones too,
// a file with several hard links once, links never followed and other
// devices never entered. Folders are read on the caller's thread and on the
// task pool's workers, each worker taking folders the others have not
// reached yet.

#include "platform/concurrency/Executor.hpp"

#include <cstdint>
#include <optional>
#include <string>

namespace zentrel::platform {

// None when the path is not a folder that can be opened. `width` counts the
// caller; 0 means one per processor.
[[nodiscard]] std::optional<std::int64_t> diskUsageOfFolder(const std::string& folder, Executor* workers,
                                                            unsigned width = 0);

}  // namespace zentrel::platform
