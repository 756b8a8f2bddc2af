#pragma once
// Removes everything inside an open folder, however deep, relative to folder
// descriptors that follow no link and never leaving one device. At most
// kMostOpenFolders descriptors are open at any depth: a folder's is closed
// while the removal is far below it, and opened again through its child's
// "..", which must be the same folder (else the removal stops).

#include <cstdint>
#include <system_error>

namespace zentrel::platform {

inline constexpr int kMostOpenFolders = 32;

// The first error met; the removal goes on past entries that would not go.
[[nodiscard]] std::error_code removeInsideFolder(int folder, std::uint64_t device);

}  // namespace zentrel::platform
