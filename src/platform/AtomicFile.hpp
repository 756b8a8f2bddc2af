#pragma once
// Writes a whole file so that a reader sees either the old contents or the new
// ones, never a part: a temporary file in the same folder, flushed to disk,
// then renamed over the target.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace zentrel::platform {

// Creates missing parent folders. Returns an error text on failure, in which
// case the target is unchanged.
[[nodiscard]] std::optional<std::string> writeFileAtomically(const std::filesystem::path& target,
                                                             std::string_view contents);

// Reads a whole file; nullopt when it cannot be opened or read.
[[nodiscard]] std::optional<std::string> readWholeFile(const std::filesystem::path& path);

// Reads a regular file that is not a link and holds at most `limit` bytes;
// nullopt for anything else (a FIFO or device never blocks the caller).
[[nodiscard]] std::optional<std::string> readRegularFile(const std::filesystem::path& path, std::uint64_t limit);
// Why `path` is not a regular file reached without a link; none when it is one.
[[nodiscard]] std::optional<std::string> notARegularFile(const std::filesystem::path& path);

}  // namespace zentrel::platform
